#pragma once

#include <windows.h>

#include "app/browser_win32.h"

namespace skelvane {

// Starts the game on the server of a row of the server list and closes the
// browser, whose settings, with a game directory found on the way, are saved
// as it goes. A double-click beside the rows (row -1) does nothing.
void JoinServer(Browser& browser, int row);

}  // namespace skelvane
