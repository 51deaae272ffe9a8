#include "app/main_init_win32.h"

#include <windows.h>

#include <commctrl.h>

#include "app/browser_entry_win32.h"
#include "app/browser_win32.h"
#include "app/main_commands_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/settings_store_win32.h"
#include "platform/udp_socket.h"

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
}

// Between the status bar's creation and the settings: the window sizer is
// attached here once it exists, while the window still has its template size.
void AttachSizer(HWND) {}

void RestorePlayerView(const Browser& browser) {
    if (browser.settings.playerViewStyle != 0 && browser.isXpOrLater) {
        ListView_SetView(browser.view.playerList, LV_VIEW_DETAILS);
    }
}

}  // namespace

void InitMainDialog(Browser& browser) {
    HWND window = browser.mainWindow;
    const OSVERSIONINFOW version = QueryOsVersion();
    RefreshEngine& engine = *browser.engine;
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
    LoadSettings(window, browser.settings);
    PublishRefreshSettings(browser.settings, engine.settings);
    RestorePlayerView(browser);
    SetWindowTextW(window, L"Skelvane Server Browser");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    OnUpdateButton(browser);
}

}  // namespace skelvane
