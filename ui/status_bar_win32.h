#pragma once

#include <windows.h>

#include <cstdint>

#include "browse/screen_limiters.h"
#include "browse/update_throttle.h"
#include "engine/status_text.h"

namespace skelvane {

// The bar along the bottom of the main window. Every text is drawn as soon as
// it is written, so when answers come by the hundred a second the bar takes
// texts at most every kStatusBarIntervalMs: a text that comes sooner waits,
// and only the latest waiting text of each part is written when the time has
// come, by the main window's timer `timer`.
struct StatusBar {
    HWND window = nullptr;
    UINT_PTR timer = 0;
    UpdateThrottle throttle{kStatusBarIntervalMs};
    char16_t waiting[3][kStatusTextCapacity] = {};
    bool isWaiting[3] = {};
};

// Creates the bar with its three parts, icons and first texts; the parts are
// sized once, for the width at creation. False when it could not be created.
bool CreateStatusBar(StatusBar& bar, HWND mainWindow, HINSTANCE instance);

// Writes a progress or error text into the message part, cut to 1023
// characters. Does nothing while there is no bar. UI thread only.
void ShowStatus(StatusBar& bar, const char16_t* text);

// "%d Player%s" into part 1 and "%d Server%s" into part 2.
void UpdateCounts(StatusBar& bar, std::int32_t shownPlayers, std::int32_t shownServers);

// Writes every waiting text now (the bar's timer, the end of a refresh, and
// the main window shown again); none while the window is out of sight.
void FlushStatusBar(StatusBar& bar);

}  // namespace skelvane
