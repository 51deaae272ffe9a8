#pragma once

#include <windows.h>

#include "ui/presentation_win32.h"

namespace skelvane {

// The find field sits at the top of the Servers box, hidden until it is
// opened; the server list gives up the room it takes while it shows.

// Opens the field if it is hidden and gives it the focus, its text selected
// so that typing replaces it.
void OpenFindField(HWND mainWindow);

// The field's text has changed (or may have): the server list follows it.
void OnFindFieldChange(Presentation& view, HWND mainWindow);

// Empties and hides the field, which shows every server again, and gives the
// focus back to the server list. False, with nothing done, when the field
// does not have the focus: Escape elsewhere keeps its meaning.
bool CloseFocusedFindField(Presentation& view, HWND mainWindow);

}  // namespace skelvane
