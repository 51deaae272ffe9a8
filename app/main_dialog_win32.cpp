#include "app/main_dialog_win32.h"

#include "app/browser_win32.h"
#include "app/main_commands_win32.h"
#include "app/main_init_win32.h"
#include "app/main_notify_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/settings_store_win32.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

constexpr LONG kMinimumTrackWidth = 694;
constexpr LONG kMinimumTrackHeight = 447;

INT_PTR OnInitDialog(HWND window) {
    gBrowser.mainWindow = window;
    InitMainDialog(window);
    // TRUE lets the dialog manager focus the first tab stop, the server list.
    return TRUE;
}

// Column widths follow the window once column scaling is built.
INT_PTR OnSize(WPARAM, LPARAM) {
    return 0;
}

INT_PTR OnGetMinMaxInfo(MINMAXINFO& limits) {
    limits.ptMinTrackSize.x = kMinimumTrackWidth;
    limits.ptMinTrackSize.y = kMinimumTrackHeight;
    return 0;
}

INT_PTR OnClose(HWND window) {
    DestroyWindow(window);
    return TRUE;
}

INT_PTR OnDestroy() {
    SaveSettings();
    PostQuitMessage(0);
    return 0;
}

// The status bar and the server list hold back updates that come too fast.
INT_PTR OnTimer(WPARAM timer) {
    switch (timer) {
        case kStatusBarTimer:
            FlushStatusBar(gBrowser.view.statusBar);
            return TRUE;
        case kListRepaintTimer:
            RepaintServerListNow(gBrowser.view);
            return TRUE;
        default:
            return FALSE;
    }
}

// A result for the sender of a message goes through DWLP_MSGRESULT.
INT_PTR AnswerBridge(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SetWindowLongPtrW(window, DWLP_MSGRESULT, OnBridgeMessage(message, wParam, lParam));
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(window);
        case WM_CREATE:
            return TRUE;
        case WM_SIZE:
            return OnSize(wParam, lParam);
        case WM_GETMINMAXINFO:
            return OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        case WM_CLOSE:
            return OnClose(window);
        case WM_DESTROY:
            return OnDestroy();
        case WM_NOTIFY:
            return OnNotify(window, *reinterpret_cast<NMHDR*>(lParam));
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_APP_MAILBOX:
        case WM_APP_TABLE_REPLACED:
        case WM_APP_HAND_OVER:
        case WM_APP_REPAINT_LIST:
        case WM_APP_REFRESH_ENDED:
            return AnswerBridge(window, message, wParam, lParam);
        default:
            return 0;
    }
}

}  // namespace skelvane
