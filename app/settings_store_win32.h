#pragma once

#include <windows.h>

#include "settings/settings_store.h"

namespace skelvane {

// Reads the settings from the current user's registry, ticks the Full and
// Empty boxes to match and gives the hidden main window its stored normal
// position and size. Gives what the store held of the texts, for saving.
StoredTexts LoadSettings(HWND mainWindow, Settings& settings);

// Writes the settings, the Full and Empty boxes as they are ticked and the
// main window's placement; a stored text is written only when the run
// changed it. Quick: it waits for nothing.
void SaveSettings(HWND mainWindow, const Settings& settings, const StoredTexts& storedTexts);

}  // namespace skelvane
