#pragma once

#include <windows.h>

#include <commctrl.h>

namespace skelvane {

struct Browser;

// WM_NOTIFY of the main window, by the sending control and the notification
// code. What it gives is the dialog procedure's result.
INT_PTR OnNotify(Browser& browser, NMHDR& header);

}  // namespace skelvane
