#pragma once

#include <windows.h>

#include "app/ui_mailbox_win32.h"
#include "engine/refresh_engine.h"
#include "ui/presentation_win32.h"
#include "ui/view_settings.h"

namespace skelvane {

// The process-wide state of the Windows program. The main window handle is
// recorded first thing in WM_INITDIALOG and is null until then.
struct Browser {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    bool isXpOrLater = false;
    RefreshEngine engine;
    ViewSettings settings;
    Presentation view;
    UiMailbox mailbox;
};

extern Browser gBrowser;

}  // namespace skelvane
