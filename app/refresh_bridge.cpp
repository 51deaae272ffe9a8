#include "app/refresh_bridge.h"

#include "app/browser.h"
#include "app/main_commands.h"
#include "ui/server_list_view.h"
#include "ui/status_bar.h"

namespace skelvane {

namespace {

// Refresh-thread side. Before the main window exists there is nobody to tell.
LRESULT Forward(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    HWND mainWindow = gBrowser.mainWindow;
    return mainWindow != nullptr ? SendMessageW(mainWindow, message, wParam, lParam) : 0;
}

void SendShowStatus(void*, const char16_t* text) {
    Forward(WM_APP_SHOW_STATUS, 0, reinterpret_cast<LPARAM>(text));
}
void SendTableReplaced(void*) {
    Forward(WM_APP_TABLE_REPLACED);
}
void SendHandOver(void*) {
    Forward(WM_APP_HAND_OVER);
}
bool SendServerParsed(void*, std::int32_t index) {
    return Forward(WM_APP_SERVER_PARSED, static_cast<WPARAM>(index)) != 0;
}
void SendRepaintList(void*) {
    Forward(WM_APP_REPAINT_LIST);
}
void SendRefreshEnded(void*) {
    Forward(WM_APP_REFRESH_ENDED);
}

}  // namespace

RefreshUi MakeRefreshBridge() {
    RefreshUi ui;
    ui.showStatus = SendShowStatus;
    ui.tableReplaced = SendTableReplaced;
    ui.handOver = SendHandOver;
    ui.serverParsed = SendServerParsed;
    ui.repaintList = SendRepaintList;
    ui.refreshEnded = SendRefreshEnded;
    return ui;
}

LRESULT OnBridgeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    Presentation& view = gBrowser.view;
    switch (message) {
        case WM_APP_SHOW_STATUS:
            ShowStatus(view.statusBar, reinterpret_cast<const char16_t*>(lParam));
            return 0;
        case WM_APP_TABLE_REPLACED:
            ForgetTable(view);
            return 0;
        case WM_APP_HAND_OVER:
            TakeTable(view);
            return 0;
        case WM_APP_SERVER_PARSED:
            return AddParsedServer(view, static_cast<std::int32_t>(wParam)) ? 1 : 0;
        case WM_APP_REPAINT_LIST:
            RepaintServerList(view);
            return 0;
        case WM_APP_REFRESH_ENDED:
            RepaintServerList(view);
            OnRefreshEnded();
            return 0;
        default:
            return 0;
    }
}

}  // namespace skelvane
