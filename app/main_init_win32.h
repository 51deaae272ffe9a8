#pragma once

#include <windows.h>

namespace skelvane {

// Everything between the main window's creation and its first refresh, run
// while the window is still hidden. On a fatal failure it posts a quit with
// exit code 1 and leaves the window hidden.
void InitMainDialog(HWND window);

}  // namespace skelvane
