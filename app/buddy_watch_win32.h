#pragma once

#include <windows.h>

#include <cstdint>

#include "app/notify_icon_win32.h"
#include "browse/buddy_alerts.h"
#include "browse/buddy_watch.h"

namespace skelvane {

struct Browser;

// What the notification-area icon sends the main window.
inline constexpr UINT WM_APP_NOTIFY_ICON = WM_APP + 20;

// The main window's watch for buddies.
struct WatchState {
    BuddyWatch buddies;
    AlertQueue alerts;
    NotifyIcon icon;
    // From the end of a watched refresh to the start of the next; the
    // settings give it, tests shorten it.
    std::uint32_t pauseMs = 60000;
    // How long an alert stays before the next is shown, for a shell that does
    // not say when its balloon has gone.
    std::uint32_t alertShownMs = 10000;
};

bool IsWatching(const Browser& browser);

// Switches watching on (the icon appears and a refresh starts unless one is
// running, which then is the watch's first) or off (the icon goes, and a
// window hidden in the notification area comes back).
void SetWatching(Browser& browser, bool watching);

// At start: a watch kept in the settings goes on, with the start's refresh as
// its first.
void ResumeWatching(Browser& browser);

// A refresh has ended: while watching, its buddies raise their alerts and
// the next refresh is due after the pause.
void OnWatchedRefreshEnded(Browser& browser);

// kWatchTimer and kAlertTimer.
void OnWatchTimer(Browser& browser);
void OnAlertTimer(Browser& browser);

// WM_APP_NOTIFY_ICON: a click on the icon or its balloon, or the icon's menu.
void OnNotifyIcon(Browser& browser, UINT event);

// Shows the main window, hidden in the notification area or not, in front.
void ShowMainWindow(const Browser& browser);

// The shell has restarted and lost the icon.
void OnShellRestarted(Browser& browser);

// While watching, closing or minimizing the window hides it in the
// notification area instead. True when it did.
bool HideInNotificationArea(Browser& browser);

}  // namespace skelvane
