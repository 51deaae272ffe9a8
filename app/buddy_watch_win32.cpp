#include "app/buddy_watch_win32.h"

#include <shellapi.h>

#include "app/browser_win32.h"
#include "app/main_commands_win32.h"
#include "app/main_timers_win32.h"
#include "engine/host_and_port.h"
#include "res/resource.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

HICON IconOf(const Browser& browser) {
    return static_cast<HICON>(LoadImageW(browser.instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

void ShowIcon(Browser& browser) {
    browser.watch.icon.Show(browser.mainWindow, WM_APP_NOTIFY_ICON, IconOf(browser));
}

void ShowNextAlert(Browser& browser) {
    WatchState& watch = browser.watch;
    if (const auto next = watch.alerts.ShowNext()) {
        watch.icon.ShowBalloon(*next);
        SetTimer(browser.mainWindow, kAlertTimer, watch.alertShownMs, nullptr);
    }
}

void AlertGone(Browser& browser) {
    KillTimer(browser.mainWindow, kAlertTimer);
    browser.watch.alerts.ShownGone();
    ShowNextAlert(browser);
}

// The server the user was told of; the list may have lost it since, to a
// filter or to a refresh that has not heard from it yet.
void ShowAlertServer(Browser& browser, const BuddyAlert& alert) {
    ShowMainWindow(browser);
    if (!SelectServer(browser.view, alert.server)) {
        const std::string address =
            DottedAddress(alert.server.address) + ":" + std::to_string(alert.server.port);
        const std::u16string text =
            std::u16string(address.begin(), address.end()) + u" is not in the list now.";
        ShowStatus(browser.view.statusBar, text.c_str());
    }
}

// The icon's menu opens at the pointer. The window comes to the front first,
// or the menu would not close when the user clicks elsewhere.
void ShowIconMenu(Browser& browser) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, IDM_SHOW_WINDOW, L"&Show Skelvane Server Browser");
    AppendMenuW(menu, MF_STRING | MF_CHECKED, IDM_WATCH_BUDDIES, L"&Watch for buddies");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDC_EXIT, L"E&xit");
    SetMenuDefaultItem(menu, IDM_SHOW_WINDOW, FALSE);
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(browser.mainWindow);
    const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_BOTTOMALIGN,
                                       at.x, at.y, 0, browser.mainWindow, nullptr);
    PostMessageW(browser.mainWindow, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (command != 0) {
        OnCommand(browser, command);
    }
}

}  // namespace

// Back from the notification area, or from behind other windows.
void ShowMainWindow(const Browser& browser) {
    HWND window = browser.mainWindow;
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window);
}

bool IsWatching(const Browser& browser) {
    return browser.settings.watchForBuddies != 0;
}

void SetWatching(Browser& browser, bool watching) {
    WatchState& watch = browser.watch;
    browser.settings.watchForBuddies = watching ? 1 : 0;
    KillTimer(browser.mainWindow, kWatchTimer);
    KillTimer(browser.mainWindow, kAlertTimer);
    watch.buddies.Reset();
    watch.alerts.Clear();
    if (!watching) {
        watch.icon.Hide();
        ShowMainWindow(browser);
        return;
    }
    ShowIcon(browser);
    if (!IsRefreshInProgress(*browser.engine)) {
        OnUpdateButton(browser);
    }
}

void ResumeWatching(Browser& browser) {
    if (IsWatching(browser)) {
        ShowIcon(browser);
    }
}

// A refresh that did not sweep a whole list tells nothing of where buddies
// are, but the watch goes on all the same.
void OnWatchedRefreshEnded(Browser& browser) {
    if (!IsWatching(browser)) {
        return;
    }
    WatchState& watch = browser.watch;
    if (SweptWholeList(browser.engine->lastResult)) {
        const std::vector<BuddySighting> sightings =
            SightBuddies(browser.engine->table, browser.view.buddies);
        watch.alerts.Add(AlertsFor(watch.buddies.Observe(sightings)));
        ShowNextAlert(browser);
    }
    SetTimer(browser.mainWindow, kWatchTimer, watch.pauseMs, nullptr);
}

// A refresh the user started meanwhile is taken for the watch's next; its
// end sets the timer again.
void OnWatchTimer(Browser& browser) {
    KillTimer(browser.mainWindow, kWatchTimer);
    if (IsWatching(browser) && !IsRefreshInProgress(*browser.engine)) {
        OnUpdateButton(browser);
    }
}

void OnAlertTimer(Browser& browser) {
    AlertGone(browser);
}

// A click on the icon also stands for a click on the alert it shows: some
// shells never tell of a click on the balloon itself.
void OnNotifyIcon(Browser& browser, UINT event) {
    const BuddyAlert* shown = browser.watch.alerts.Shown();
    switch (event) {
        case NIN_BALLOONUSERCLICK:
        case WM_LBUTTONUP:
            if (shown != nullptr) {
                ShowAlertServer(browser, *shown);
                AlertGone(browser);
            } else {
                ShowMainWindow(browser);
            }
            break;
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONHIDE:
            AlertGone(browser);
            break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            ShowIconMenu(browser);
            break;
        default:
            break;
    }
}

void OnShellRestarted(Browser& browser) {
    if (IsWatching(browser)) {
        browser.watch.icon.Hide();
        ShowIcon(browser);
    }
}

bool HideInNotificationArea(Browser& browser) {
    if (!IsWatching(browser)) {
        return false;
    }
    ShowWindow(browser.mainWindow, SW_HIDE);
    return true;
}

}  // namespace skelvane
