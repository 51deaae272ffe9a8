#pragma once

#include <windows.h>

#include "ui/presentation_win32.h"

namespace skelvane {

// WM_SIZE of the main window, after its controls have followed the new size:
// the columns of both lists take their shares of the new client width, the low
// word of `clientSize`. A minimised window keeps the widths it had. Returns 0,
// so that the message's default handling goes on.
LRESULT ScaleColumns(const Presentation& view, WPARAM sizeKind, LPARAM clientSize);

}  // namespace skelvane
