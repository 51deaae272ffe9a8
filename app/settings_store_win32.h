#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace skelvane {

// Reads the settings from the current user's registry, ticks the Full and
// Empty boxes to match and gives the hidden main window its stored normal
// position and size.
void LoadSettings(HWND mainWindow, Settings& settings);

// Writes the settings, the Full and Empty boxes as they are ticked and the
// main window's placement. Quick: it waits for nothing.
void SaveSettings(HWND mainWindow, const Settings& settings);

}  // namespace skelvane
