#include "app/main_init_win32.h"

#include <commctrl.h>

#include "app/browser_win32.h"
#include "app/browser_entry_win32.h"
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

void ConnectPresentation() {
    Presentation& view = gBrowser.view;
    view = Presentation{};
    view.engine = &gBrowser.engine;
    view.settings = &gBrowser.settings;
}

// Between the status bar's creation and the settings: the window sizer is
// attached here once it exists, while the window still has its template size.
void AttachSizer(HWND) {}

void RestorePlayerView() {
    if (gBrowser.settings.playerViewStyle != 0 && gBrowser.isXpOrLater) {
        ListView_SetView(gBrowser.view.playerList, LV_VIEW_DETAILS);
    }
}

}  // namespace

void InitMainDialog(HWND window) {
    const OSVERSIONINFOW version = QueryOsVersion();
    RefreshEngine& engine = gBrowser.engine;
    if (!engine.abortEvent.IsValid()) {
        PostQuitMessage(kExitStartFailed);
        return;
    }
    gBrowser.isXpOrLater = IsXpOrLater(version);
    if (!StartNetworking()) {
        MessageBoxW(window, L"Couldn't load Winsock!", L"Error", MB_OK);
        PostQuitMessage(kExitStartFailed);
        return;
    }
    engine.table.count.store(0);
    engine.ui = MakeRefreshBridge();
    gBrowser.mailbox.SetRecipient(window, WM_APP_MAILBOX);
    ConnectPresentation();
    gBrowser.view.serverList = InitPresentation(gBrowser.view, window, gBrowser.instance);
    AttachSizer(window);
    LoadSettings(window, gBrowser.settings, engine.settings);
    RestorePlayerView();
    SetWindowTextW(window, L"Skelvane Server Browser");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    OnUpdateButton();
}

}  // namespace skelvane
