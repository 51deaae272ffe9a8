#pragma once

#include <windows.h>

namespace skelvane {

// The main window's timers, one id each. The window hands the status bar and
// the server list the ids of theirs.
enum MainWindowTimer : UINT_PTR {
    // What waits for the screen: browse/screen_limiters.h says what each is
    // for and how often it fires.
    kStatusBarTimer = 1,
    kListRepaintTimer = 2,
    kMailboxTimer = 3,
    // The pause before the next watched refresh, and the time an alert is
    // left on screen.
    kWatchTimer = 4,
    kAlertTimer = 5,
};

}  // namespace skelvane
