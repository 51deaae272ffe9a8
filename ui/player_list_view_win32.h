#pragma once

#include <windows.h>

#include "ui/presentation_win32.h"

namespace skelvane {

// "Name", "Score" and "Ping" at half, a quarter and a quarter of the list's
// width. False when the list refuses a column.
bool InsertPlayerColumns(HWND playerList);

// Shows the players of the selected server. Player rows are not made yet, so
// for now the list is only emptied, which is also what a lost selection needs.
void FillPlayerList(const Presentation& view);

}  // namespace skelvane
