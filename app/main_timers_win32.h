#pragma once

#include <windows.h>

namespace skelvane {

// The main window's timers, one id each. The window hands the status bar and
// the server list the ids of theirs; browse/screen_limiters.h says what each
// is for and how often it fires.
enum MainWindowTimer : UINT_PTR {
    kStatusBarTimer = 1,
    kListRepaintTimer = 2,
    kMailboxTimer = 3,
};

}  // namespace skelvane
