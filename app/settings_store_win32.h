#pragma once

#include <windows.h>

#include "engine/refresh_engine.h"
#include "ui/view_settings.h"

namespace skelvane {

// Puts every setting in place and ticks the Full and Empty boxes to match.
// Nothing is stored between runs yet, so every start is a first start: both
// filters on, 10 queries per second, pings of 100 and 200 ms, Ping order.
void LoadSettings(HWND mainWindow, ViewSettings& view, RefreshSettings& refresh);

// The counterpart of LoadSettings at the main window's destruction. Its last
// step, in every case, shuts down the sockets that initialisation started.
void SaveSettings();

}  // namespace skelvane
