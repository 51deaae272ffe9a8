#pragma once

#include <windows.h>

namespace skelvane {

struct Browser;

// WM_CONTEXTMENU from the server list: a right click on a row, the
// context-menu key or Shift+F10. `position` is the pointer in screen
// coordinates, or -1 from the keyboard, which opens the menu at the selected
// row. The chosen command goes through the main window's command routing.
// False, showing nothing, when no row is meant.
bool ShowServerMenu(Browser& browser, LPARAM position);

}  // namespace skelvane
