#include "tests/windows/message_box_answerer.h"

#include <algorithm>

namespace skelvane::test {

namespace {

// The timer has no room for a context: the answerer of this thread.
MessageBoxAnswerer* gAnswerer = nullptr;

// Message boxes keep their text in the static control with this id.
constexpr int kMessageTextId = 0xFFFF;

std::wstring TextOf(HWND window) {
    wchar_t text[2048] = L"";
    GetWindowTextW(window, text, 2048);
    return text;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(found) =
            reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<bool> answers) : answers_(std::move(answers)) {
    gAnswerer = this;
    // A thread timer fires inside the message box's own message loop.
    timer_ = SetTimer(nullptr, 0, 10, &MessageBoxAnswerer::OnTimer);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    KillTimer(nullptr, timer_);
    gAnswerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (gAnswerer != nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), &MessageBoxAnswerer::AnswerIfMessageBox,
                          reinterpret_cast<LPARAM>(gAnswerer));
    }
}

BOOL CALLBACK MessageBoxAnswerer::AnswerIfMessageBox(HWND window, LPARAM self) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    // Other dialogs, such as the browser's main window, have no message text.
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
        GetDlgItem(window, kMessageTextId) != nullptr) {
        reinterpret_cast<MessageBoxAnswerer*>(self)->Answer(window);
    }
    return TRUE;
}

void MessageBoxAnswerer::Answer(HWND box) {
    std::erase_if(answered_, [](HWND old) { return !IsWindow(old); });
    if (std::ranges::find(answered_, box) != answered_.end() || (ready_ && !ready_())) {
        return;
    }
    answered_.push_back(box);
    ShownMessageBox shown;
    shown.caption = TextOf(box);
    shown.text = TextOf(GetDlgItem(box, kMessageTextId));
    shown.asksYesNo = GetDlgItem(box, IDYES) != nullptr;
    EnumChildWindows(box, &FindIcon, reinterpret_cast<LPARAM>(&shown.icon));
    shown_.push_back(shown);
    int answer = IDOK;
    if (shown.asksYesNo) {
        answer = !answers_.empty() && answers_.front() ? IDYES : IDNO;
        if (!answers_.empty()) {
            answers_.pop_front();
        }
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
}

}  // namespace skelvane::test
