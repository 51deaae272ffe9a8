#pragma once

namespace skelvane {

struct Browser;

// The commands on the server that the server list has selected, however they
// are given: its context menu or a key. Each does nothing when no server is
// selected.

// Joins it, as a double-click on its row does.
void JoinSelectedServer(Browser& browser);

// Puts its address, "A.B.C.D:PORT", on the clipboard as text.
void CopySelectedAddress(Browser& browser);

// Asks it again, once, outside a refresh: its row, the counts and an open
// details window of it follow the answer. Nothing while a refresh or another
// such query runs.
void RefreshSelectedServer(Browser& browser);

// Not on the selected server but on the best of those the list shows
// (browse/quick_join.h): selects its row and joins it as a double-click does.
// When none has a human on it and a free slot, says so on the status line and
// starts nothing.
void QuickJoin(Browser& browser);

// Makes it a favourite, swept in every refresh from the next one on, or no
// longer one. The favourites are saved at exit.
void AddSelectedToFavourites(Browser& browser);
void RemoveSelectedFromFavourites(Browser& browser);

}  // namespace skelvane
