#pragma once

#include <windows.h>

#include <commctrl.h>

namespace skelvane {

// WM_NOTIFY of the main window, by the sending control and the code. The
// result is the dialog procedure's; custom drawing answers through
// DWLP_MSGRESULT of `mainWindow`.
INT_PTR OnNotify(HWND mainWindow, NMHDR& header);

}  // namespace skelvane
