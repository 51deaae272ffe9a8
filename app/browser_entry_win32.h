#pragma once

#include <windows.h>

namespace skelvane {

enum BrowserExitCode : int {
    kExitNormal = 0,
    // The main window was not created or its initialisation failed.
    kExitStartFailed = 1,
    // The command line was refused; a message box said why.
    kExitBadCommandLine = 2,
};

// The entry's steps up to the message loop: the main window, initialised,
// shown and refreshing; null when it was not created.
HWND CreateMainWindow(HINSTANCE instance);

// Runs until the quit message and gives its exit code.
int RunMessageLoop();

// The whole program: command line, main window, message loop.
int RunBrowser(HINSTANCE instance);

}  // namespace skelvane
