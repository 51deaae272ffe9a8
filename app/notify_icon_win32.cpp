#include "app/notify_icon_win32.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace skelvane {

namespace {

// The browser has one icon.
constexpr UINT kIconId = 1;

template <std::size_t N>
void CopyText(wchar_t (&field)[N], std::u16string_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(AsWide(text.data()), length, field);
    field[length] = L'\0';
}

}  // namespace

NOTIFYICONDATAW NotifyIcon::Data(UINT flags) const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    CopyText(data.szTip, u"Skelvane Server Browser: watching for buddies");
    return data;
}

bool NotifyIcon::Show(HWND owner, UINT callbackMessage, HICON icon) {
    owner_ = owner;
    callbackMessage_ = callbackMessage;
    icon_ = icon;
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (Shell_NotifyIconW(NIM_ADD, &data) == FALSE) {
        owner_ = nullptr;
        return false;
    }
    return true;
}

void NotifyIcon::Hide() {
    if (owner_ != nullptr) {
        NOTIFYICONDATAW data = Data(0);
        Shell_NotifyIconW(NIM_DELETE, &data);
        owner_ = nullptr;
    }
}

void NotifyIcon::ShowBalloon(const BuddyAlert& alert) {
    if (owner_ == nullptr) {
        return;
    }
    NOTIFYICONDATAW data = Data(NIF_INFO);
    CopyText(data.szInfoTitle, alert.title);
    CopyText(data.szInfo, alert.text);
    data.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

}  // namespace skelvane
