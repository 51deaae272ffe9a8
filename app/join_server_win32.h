#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "app/browser_win32.h"

namespace skelvane {

// NM_DBLCLK of the server list: starts the game on the double-clicked server
// and closes the browser, whose settings, with a game directory found on the
// way, are saved as it goes. A double-click beside the rows does nothing.
void JoinServer(Browser& browser, const NMITEMACTIVATE& click);

// The same for a record of the table of that generation; nothing once the
// table has moved on.
void JoinRecord(Browser& browser, std::int32_t record, std::uint32_t tablesForgotten);

}  // namespace skelvane
