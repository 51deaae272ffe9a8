#include "app/main_dialog_win32.h"

#include "app/browser_entry_win32.h"
#include "app/browser_win32.h"
#include "app/buddy_watch_win32.h"
#include "app/main_commands_win32.h"
#include "app/main_init_win32.h"
#include "app/main_notify_win32.h"
#include "app/main_timers_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/server_menu_win32.h"
#include "app/settings_store_win32.h"
#include "platform/udp_socket.h"
#include "ui/column_scaling_win32.h"
#include "ui/out_of_sight_win32.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

// Holds until the sizer is attached; from then on the sizer answers for the window.
constexpr LONG kMinimumTrackWidth = 694;
constexpr LONG kMinimumTrackHeight = 447;

Browser* StoredBrowser(HWND window) {
    return reinterpret_cast<Browser*>(GetWindowLongPtrW(window, DWLP_USER));
}

INT_PTR OnInitDialog(HWND window, Browser& browser) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&browser));
    browser.mainWindow = window;
    InitMainDialog(browser);
    // TRUE lets the dialog manager focus the first tab stop, the server list.
    return TRUE;
}

// The controls have followed the new size by now. The group boxes are drawn
// see-through, so pieces of their old frames would stay on the background
// unless all of it is painted afresh.
// While watching, a minimized window goes to the notification area.
INT_PTR OnSize(Browser& browser, WPARAM sizeKind, LPARAM clientSize) {
    if (sizeKind == SIZE_MINIMIZED) {
        HideInNotificationArea(browser);
    } else {
        InvalidateRect(browser.mainWindow, nullptr, TRUE);
    }
    return ScaleColumns(browser.view, sizeKind, clientSize);
}

// Sent to every top-level window when the shell starts again.
UINT ShellRestartedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

INT_PTR OnGetMinMaxInfo(MINMAXINFO& limits) {
    limits.ptMinTrackSize.x = kMinimumTrackWidth;
    limits.ptMinTrackSize.y = kMinimumTrackHeight;
    return 0;
}

// While watching, the window closes to the notification area, and the
// browser ends through Exit (the button or the icon's menu) instead.
INT_PTR OnClose(Browser& browser) {
    if (!HideInNotificationArea(browser)) {
        DestroyWindow(browser.mainWindow);
    }
    return TRUE;
}

// Out of sight (hidden or minimized) the window asks the refresh for no
// repaints and takes in its rows and texts only when the refresh ends; seen
// again, it catches up at once. Every show, hide, minimize and restore ends
// with this message. FALSE: the dialog's default handling goes on, sending
// WM_SIZE.
INT_PTR OnWindowPosChanged(Browser& browser) {
    const bool outOfSight = IsOutOfSight(browser.mainWindow);
    if (browser.bridge != nullptr) {
        browser.bridge->SetOutOfSight(outOfSight);
    }
    if (!outOfSight) {
        CatchUpWhenShown(browser);
    }
    return FALSE;
}

void SaveSettingsOnce(Browser& browser) {
    if (!browser.settingsSaved) {
        browser.settingsSaved = true;
        SaveSettings(browser.mainWindow, browser.settings, browser.storedTexts);
    }
}

// When Windows ends the session the window is not destroyed: the process
// just ends once this message has been answered, so the settings are saved
// here, as they would be on closing.
INT_PTR OnEndSession(Browser& browser, bool sessionEnds) {
    if (sessionEnds) {
        SaveSettingsOnce(browser);
    }
    return 0;
}

// Nothing waits for a running refresh: it is asked to stop, and its threads
// keep what they use alive until they end or the process does. The bridge
// forwards nothing from here on, so the settings are saved and the loop ends
// without a refresh thread in the way.
INT_PTR OnDestroy(Browser& browser) {
    if (browser.bridge != nullptr) {
        browser.bridge->SetWindow(nullptr);
    }
    if (browser.serverQuery != nullptr) {
        browser.serverQuery->notify.store(nullptr);
    }
    browser.watch.icon.Hide();
    AbortRefresh(*browser.engine);
    SaveSettingsOnce(browser);
    StopNetworking();
    PostQuitMessage(kExitNormal);
    return 0;
}

// The status bar and the server list hold back updates that come too fast.
INT_PTR OnTimer(Browser& browser, WPARAM timer) {
    switch (timer) {
        case kStatusBarTimer:
            FlushStatusBar(browser.view.statusBar);
            return TRUE;
        case kListRepaintTimer:
            RepaintServerListNow(browser.view);
            return TRUE;
        case kMailboxTimer:
            KillTimer(browser.mainWindow, kMailboxTimer);
            DeliverMailbox(browser);
            return TRUE;
        case kWatchTimer:
            OnWatchTimer(browser);
            return TRUE;
        case kAlertTimer:
            OnAlertTimer(browser);
            return TRUE;
        default:
            return FALSE;
    }
}

// Only the server list has a menu; the player list's right click switches
// its view instead.
INT_PTR OnContextMenu(Browser& browser, HWND from, LPARAM position) {
    return from == browser.view.serverList && ShowServerMenu(browser, position) ? TRUE : FALSE;
}

// A result for the sender of a message goes through DWLP_MSGRESULT.
INT_PTR AnswerBridge(Browser& browser, UINT message) {
    SetWindowLongPtrW(browser.mainWindow, DWLP_MSGRESULT, OnBridgeMessage(browser, message));
    return TRUE;
}

INT_PTR Dispatch(Browser& browser, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            return OnSize(browser, wParam, lParam);
        case WM_GETMINMAXINFO:
            return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_CLOSE:
            return OnClose(browser);
        case WM_WINDOWPOSCHANGED:
            return OnWindowPosChanged(browser);
        case WM_DESTROY:
            return OnDestroy(browser);
        case WM_ENDSESSION:
            return OnEndSession(browser, wParam != FALSE);
        case WM_NOTIFY:
            return OnNotify(browser, *reinterpret_cast<NMHDR*>(lParam));
        case WM_COMMAND:
            OnCommand(browser, LOWORD(wParam));
            return 0;
        case WM_CONTEXTMENU:
            return OnContextMenu(browser, reinterpret_cast<HWND>(wParam), lParam);
        case WM_TIMER:
            return OnTimer(browser, wParam);
        case WM_APP_SERVER_ANSWERED:
            OnServerQueryDone(browser);
            return TRUE;
        case WM_APP_MAILBOX:
        case WM_APP_FORGET_TABLE:
        case WM_APP_TAKE_TABLE:
        case WM_APP_REPAINT_LIST:
        case WM_APP_REFRESH_ENDED:
            return AnswerBridge(browser, message);
        case WM_APP_NOTIFY_ICON:
            OnNotifyIcon(browser, LOWORD(lParam));
            return TRUE;
        default:
            if (message == ShellRestartedMessage()) {
                OnShellRestarted(browser);
            }
            return 0;
    }
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(window, *reinterpret_cast<Browser*>(lParam));
    }
    // Messages that come before WM_INITDIALOG, or after the state was let go,
    // find no state and get the dialog manager's handling.
    Browser* browser = StoredBrowser(window);
    return browser != nullptr ? Dispatch(*browser, message, wParam, lParam) : FALSE;
}

void ForgetBrowser(HWND mainWindow) {
    if (IsWindow(mainWindow)) {
        SetWindowLongPtrW(mainWindow, DWLP_USER, 0);
    }
}

}  // namespace skelvane
