#pragma once

#include <windows.h>

namespace skelvane {

// WM_COMMAND of the main window, by control id; the notification code does
// not matter.
void OnCommand(int controlId);

// Starts a refresh, or asks the running one to stop.
void OnUpdateButton();

// A refresh has ended: make Update usable again, unless a new refresh has
// already started.
void OnRefreshEnded();

}  // namespace skelvane
