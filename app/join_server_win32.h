#pragma once

#include <windows.h>

#include <cstdint>

#include "app/browser_win32.h"

namespace skelvane {

// Starts the game on the server of a row of the server list and closes the
// browser, whose settings, with a game directory found on the way, are saved
// as it goes. A double-click beside the rows (row -1) does nothing.
void JoinServer(Browser& browser, int row);

// The same for a record of the table of that generation; nothing once the
// table has moved on.
void JoinRecord(Browser& browser, std::int32_t record, std::uint32_t tablesForgotten);

}  // namespace skelvane
