#pragma once

#include <windows.h>

namespace skelvane {

// The dialog procedure of the main window: routes each message to its handler.
// WM_INITDIALOG's parameter is the window's Browser, which it keeps in
// DWLP_USER.
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window keeps no hold on its state any more; used when the state goes
// before the window does.
void ForgetBrowser(HWND mainWindow);

}  // namespace skelvane
