#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/buddy_watch_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/server_details_win32.h"
#include "app/server_query_win32.h"
#include "engine/refresh_engine.h"
#include "settings/settings_store.h"
#include "ui/presentation_win32.h"

namespace skelvane {

// The state of one main window, made by CreateMainWindow and kept in the
// dialog's DWLP_USER until the window is gone; handlers are handed what they
// need of it. The engine is shared with the refresh worker, which keeps it
// (and the bridge it owns) alive until the refresh has ended, so closing the
// window never releases anything a refresh thread still uses.
struct Browser {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    bool isXpOrLater = false;
    std::shared_ptr<RefreshState> engine = std::make_shared<RefreshState>();
    // Owned by the engine.
    RefreshBridge* bridge = nullptr;
    // The masters the command line names; none: the built-in one.
    std::vector<MasterServer> commandLineMasters;
    Settings settings;
    // What the store held of the texts at start: saving leaves those values
    // as they are stored unless the run changed them.
    StoredTexts storedTexts;
    // Set once the settings are written: at the end of the Windows session,
    // or when the window is destroyed, whichever comes first.
    bool settingsSaved = false;
    Presentation view;
    // The details window and the server it shows.
    DetailsTarget details;
    // The server asked again from the details window, while it is asked.
    std::shared_ptr<ServerQueryJob> serverQuery;
    WatchState watch;
};

}  // namespace skelvane
