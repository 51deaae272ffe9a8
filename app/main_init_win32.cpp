#include "app/main_init_win32.h"

#include <windows.h>

#include <commctrl.h>

#include "app/browser_entry_win32.h"
#include "app/browser_win32.h"
#include "app/buddy_watch_win32.h"
#include "app/kept_list_win32.h"
#include "app/main_commands_win32.h"
#include "app/main_timers_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/server_details_win32.h"
#include "app/settings_store_win32.h"
#include "browse/buddy_list.h"
#include "engine/masters_to_ask.h"
#include "platform/udp_socket.h"
#include "res/resource.h"
#include "sizer/sizer_win32.h"
#include "ui/player_list_view_win32.h"

namespace skelvane {

namespace {

bool IsXpOrLater(const OSVERSIONINFOW& version) {
    return version.dwMajorVersion > 5 ||
           (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

OSVERSIONINFOW QueryOsVersion() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    return version;
}

void ConnectPresentation(Browser& browser) {
    Presentation& view = browser.view;
    view = Presentation{};
    view.engine = browser.engine.get();
    view.settings = &browser.settings;
    view.statusBar.timer = kStatusBarTimer;
    view.repaintTimer = kListRepaintTimer;
}

// How each control follows the main window's client area. The status bar
// moves with the width as well as stretching with it; it keeps itself along
// the bottom of the window whatever it is told.
constexpr SizerAnchor kMainAnchors[] = {
    {IDC_CONFIG, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_UPDATE, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_EXIT, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_SERVERLIST, SIZER_STRETCH_X | SIZER_STRETCH_Y},
    {IDC_PLAYERLIST, SIZER_MOVE_Y | SIZER_STRETCH_X},
    {IDC_SERVERS_GROUP, SIZER_STRETCH_X | SIZER_STRETCH_Y},
    {IDC_PLAYERS_GROUP, SIZER_MOVE_Y | SIZER_STRETCH_X},
    {IDC_CONTROLS_GROUP, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_STATUSBAR, SIZER_MOVE_X | SIZER_MOVE_Y | SIZER_STRETCH_X},
    {IDC_SHOWEMPTY, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_SHOWFULL, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_FIND, SIZER_STRETCH_X},
    {-1, SIZER_TABLE_END},
};

// After the status bar exists, which the sizer finds by its id, and before the
// settings: the window still has its template size, which becomes its
// smallest, and a stored placement must already move the controls. Without
// the sizer the window keeps its layout at any size.
void AttachSizer(HWND window) {
    SizerAttach(window, kMainAnchors, true, std::nullopt);
}

}  // namespace

void InitMainDialog(Browser& browser) {
    HWND window = browser.mainWindow;
    const OSVERSIONINFOW version = QueryOsVersion();
    RefreshState& engine = *browser.engine;
    if (!engine.abortEvent.IsValid()) {
        PostQuitMessage(kExitStartFailed);
        return;
    }
    browser.isXpOrLater = IsXpOrLater(version);
    if (!StartNetworking()) {
        MessageBoxW(window, L"Couldn't load Winsock!", L"Error", MB_OK);
        PostQuitMessage(kExitStartFailed);
        return;
    }
    engine.table.count.store(0);
    browser.bridge = &ConnectRefreshBridge(engine);
    browser.bridge->SetWindow(window);
    ConnectPresentation(browser);
    browser.view.serverList = InitPresentation(browser.view, window, browser.instance);
    AttachSizer(window);
    browser.storedTexts = LoadSettings(window, browser.settings);
    engine.masters = MastersToAsk(browser.commandLineMasters, browser.settings.moreMasters);
    UseKeptList(engine.sources, KeptListPath());
    browser.view.buddies = ParseBuddyList(browser.settings.buddyText);
    PublishRefreshSettings(browser.settings, engine.settings);
    RestorePlayerView(browser.view, browser.isXpOrLater);
    browser.watch.pauseMs = WatchPauseMs(browser.settings.watchPauseSeconds);
    ResumeWatching(browser);
    SetWindowTextW(window, L"Skelvane Server Browser");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    OnUpdateButton(browser);
    // While the first refresh waits for the master.
    PrepareDetailsWindow(browser);
}

}  // namespace skelvane
