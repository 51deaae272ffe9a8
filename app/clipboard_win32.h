#pragma once

#include <windows.h>

#include <string_view>

namespace skelvane {

// Puts `text` on the clipboard as Unicode text, replacing what it held. False
// when the clipboard could not be taken, which leaves it as it was, or the
// text could not be stored.
bool PutClipboardText(HWND owner, std::u16string_view text);

}  // namespace skelvane
