#pragma once

#include <windows.h>

#include <memory>

#include "settings/browser_options.h"

namespace skelvane {

enum BrowserExitCode : int {
    kExitNormal = 0,
    // The main window was not created or its initialisation failed.
    kExitStartFailed = 1,
    // The master address on the command line was refused; a message box said why.
    kExitBadCommandLine = 2,
};

struct Browser;

// The entry's steps up to the message loop: the main window, initialised,
// shown and refreshing, with its state; null when it was not created. The
// state must outlive the window.
std::unique_ptr<Browser> CreateMainWindow(HINSTANCE instance, const BrowserOptions& options);

// Runs until the quit message and gives its exit code.
int RunMessageLoop(HWND mainWindow);

// The whole program: command line, main window, message loop.
int RunBrowser(HINSTANCE instance);

}  // namespace skelvane
