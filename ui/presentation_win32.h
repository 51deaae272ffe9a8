#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "browse/buddy_list.h"
#include "browse/screen_limiters.h"
#include "browse/server_find.h"
#include "browse/update_throttle.h"
#include "engine/refresh_engine.h"
#include "settings/settings.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

// The windows and counts of the main window's lists and status bar. Lives on
// the UI thread; refresh threads reach it only through window messages.
struct Presentation {
    HWND serverList = nullptr;
    HWND playerList = nullptr;
    StatusBar statusBar;
    RefreshState* engine = nullptr;
    Settings* settings = nullptr;

    std::int32_t shownServers = 0;
    std::int32_t shownPlayers = 0;

    // False from the moment the table is about to be replaced until it has
    // been handed over complete: no record may be read meanwhile.
    bool tableReadable = false;
    // Counts the tables let go: a record index kept across a wait means the
    // same server only while this count stays the same.
    std::uint32_t tablesForgotten = 0;
    // One flag per record of the current table: its answer has been parsed and
    // announced to this thread, so the record no longer changes. Only such
    // records ever get a row.
    std::vector<std::uint8_t> parsed;
    // What a find looks in, FoundTextOf each record, kept from its
    // announcement on: every keystroke reads it for every record.
    std::vector<std::u16string> foundTexts;
    // The server list holds no rows of its own: row i shows record rows[i].
    std::vector<std::int32_t> rows;
    // Every announced record in the list's order, whether the filters show
    // it or not: a new find text takes its rows from here without a sort.
    std::vector<std::int32_t> ordered;
    // Set while the selection moves to follow its server to another row; the
    // server, and so its players, stay the same.
    bool followingRecord = false;
    // The record whose players the player list shows, or -1; a player row
    // carries the index of its player in that record.
    std::int32_t playerServer = -1;
    // The names whose rows are highlighted.
    BuddyList buddies;
    // What the find field holds: only servers it finds have rows. It lives for
    // the session and is never stored.
    FindText find;
    // Rows were added without redrawing the server list since its last repaint.
    bool redrawPaused = false;
    // A repaint was held back while the main window was hidden or minimized.
    bool repaintWhenShown = false;
    // The list repaints at most every kListRepaintIntervalMs while answers
    // pour in; a repaint asked for sooner waits for the main window's timer
    // `repaintTimer`.
    UpdateThrottle repaintThrottle{kListRepaintIntervalMs};
    UINT_PTR repaintTimer = 0;
};

// Sets up both lists' columns, the status bar and the image lists. The server
// list, or null when a list refused a column (nothing after that is created).
HWND InitPresentation(Presentation& view, HWND mainWindow, HINSTANCE instance);

}  // namespace skelvane
