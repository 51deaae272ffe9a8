#pragma once

#include <windows.h>

namespace skelvane {

// The main window is hidden in the notification area or minimized: nothing of
// it can be seen, so nothing of it is painted until it is shown again.
inline bool IsOutOfSight(HWND mainWindow) {
    return IsWindowVisible(mainWindow) == FALSE || IsIconic(mainWindow) != FALSE;
}

}  // namespace skelvane
