#pragma once

#include <windows.h>

namespace skelvane {

// The dialog procedure of the main window: routes each message to its handler.
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skelvane
