#pragma once

#include <windows.h>

#include <cstdint>

namespace skelvane {

// The bar along the bottom of the main window, with its three parts, icons
// and first texts. The parts are sized once, for the width at creation.
HWND CreateStatusBar(HWND mainWindow, HINSTANCE instance);

// Writes a progress or error text into the message part, cut to 1023
// characters. Does nothing while there is no bar. UI thread only.
void ShowStatus(HWND statusBar, const char16_t* text);

// "%d Player%s" into part 1 and "%d Server%s" into part 2.
void UpdateCounts(HWND statusBar, std::int32_t shownPlayers, std::int32_t shownServers);

}  // namespace skelvane
