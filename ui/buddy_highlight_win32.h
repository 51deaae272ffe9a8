#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/presentation_win32.h"

namespace skelvane {

// NM_CUSTOMDRAW of either list: a server row with a buddy among its players,
// and a player row of a buddy, get a yellow text background. Gives the
// custom-draw result.
LRESULT OnListCustomDraw(const Presentation& view, NMLVCUSTOMDRAW& draw);

}  // namespace skelvane
