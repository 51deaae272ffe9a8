#include "app/clipboard_win32.h"

#include <cstring>

namespace skelvane {

namespace {

// The text and its terminator in memory the clipboard can take over.
HGLOBAL CopyToGlobal(std::u16string_view text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return nullptr;
    }
    auto* units = static_cast<char16_t*>(GlobalLock(memory));
    if (units == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    GlobalUnlock(memory);
    return memory;
}

}  // namespace

// The clipboard owns the memory once SetClipboardData has taken it; until
// then it is ours to free.
bool PutClipboardText(HWND owner, std::u16string_view text) {
    HGLOBAL memory = CopyToGlobal(text);
    if (memory == nullptr) {
        return false;
    }
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!stored) {
        GlobalFree(memory);
    }
    return stored;
}

}  // namespace skelvane
