#pragma once

#include <windows.h>

#include "app/settings.h"

namespace skelvane {

// Puts every setting in place and ticks the Full and Empty boxes to match.
// Nothing is stored between runs yet, so every start is a first start.
void LoadSettings(HWND mainWindow, Settings& settings);

// The counterpart of LoadSettings at the main window's destruction. Its last
// step, in every case, shuts down the sockets that initialisation started.
void SaveSettings(HWND mainWindow, const Settings& settings);

}  // namespace skelvane
