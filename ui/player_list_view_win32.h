#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/presentation_win32.h"

namespace skelvane {

// "Name", "Score" and "Ping" at half, a quarter and a quarter of the list's
// width. False when the list refuses a column.
bool InsertPlayerColumns(HWND playerList);

// Shows the players of the selected server in the order of its answer; with
// no server selected the list stays empty.
void FillPlayerList(Presentation& view);

// Empties the player list; no row refers to a record any more.
void ClearPlayerList(Presentation& view);

// The player a row's item data names, or null when the table may not be read
// or the row belongs to no player of the server shown.
const PlayerRecord* PlayerOfRow(const Presentation& view, LPARAM itemData);

// LVN_GETDISPINFOW of the player list.
void FillPlayerCell(const Presentation& view, NMLVDISPINFOW& request);

// LVN_COLUMNCLICK of the player list: always the column's one direction.
void SortPlayerList(const Presentation& view, int column);

// NM_RCLICK of the player list: between the details and small-icon views,
// where the system has both.
void TogglePlayerView(Presentation& view, bool isXpOrLater);

// At start: the details view when the settings say so.
void RestorePlayerView(const Presentation& view, bool isXpOrLater);

}  // namespace skelvane
