#pragma once

#include <windows.h>

namespace skelvane {

// The main window's keyboard, for every message the loop takes: first the
// browser's own keys, then the dialog manager's navigation (Tab, arrows,
// mnemonics, Enter on a button). True when the message was taken and must
// not be dispatched.
bool TakeMainWindowInput(HWND mainWindow, MSG& message);

}  // namespace skelvane
