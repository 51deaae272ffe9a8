#include "app/refresh_bridge_win32.h"

#include "app/browser_win32.h"
#include "app/main_commands_win32.h"
#include "ui/server_columns.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

// Refresh-thread side. Before the main window exists there is nobody to tell.
LRESULT Forward(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    HWND mainWindow = gBrowser.mainWindow;
    return mainWindow != nullptr ? SendMessageW(mainWindow, message, wParam, lParam) : 0;
}

void PutStatus(void*, const char16_t* text) {
    gBrowser.mailbox.PutStatus(text);
}

// The record is complete and stays so until the next refresh, so whether it
// will get a row is known here already; the row itself comes when the UI
// thread looks into the mailbox.
bool PutParsed(void*, std::int32_t index) {
    const RefreshSettings& filters = gBrowser.engine.settings;
    gBrowser.mailbox.PutParsed(index);
    return IsServerShown(gBrowser.engine.table[index], filters.showFull.load(),
                         filters.showEmpty.load());
}

void SendTableReplaced(void*) {
    Forward(WM_APP_TABLE_REPLACED);
}
void SendHandOver(void*) {
    Forward(WM_APP_HAND_OVER);
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
    ui.showStatus = PutStatus;
    ui.tableReplaced = SendTableReplaced;
    ui.handOver = SendHandOver;
    ui.serverParsed = PutParsed;
    ui.repaintList = SendRepaintList;
    ui.refreshEnded = SendRefreshEnded;
    return ui;
}

void DeliverMailbox() {
    Presentation& view = gBrowser.view;
    const UiMailbox::Contents contents = gBrowser.mailbox.Take();
    for (const std::int32_t index : contents.parsed) {
        AddParsedServer(view, index);
    }
    if (contents.hasStatus) {
        ShowStatus(view.statusBar, contents.status);
    }
}

LRESULT OnBridgeMessage(UINT message, WPARAM, LPARAM) {
    Presentation& view = gBrowser.view;
    switch (message) {
        case WM_APP_MAILBOX:
            DeliverMailbox();
            return 0;
        case WM_APP_TABLE_REPLACED:
            // Answers of the table that is going must not make rows in the next.
            gBrowser.mailbox.DiscardParsed();
            ForgetTable(view);
            return 0;
        case WM_APP_HAND_OVER:
            TakeTable(view);
            return 0;
        case WM_APP_REPAINT_LIST:
            RepaintServerList(view);
            return 0;
        case WM_APP_REFRESH_ENDED:
            // Everything the refresh left in the mailbox, its summary included,
            // is on screen before the controls say it is over.
            DeliverMailbox();
            FlushStatusBar(view.statusBar);
            RepaintServerListNow(view);
            OnRefreshEnded();
            return 0;
        default:
            return 0;
    }
}

}  // namespace skelvane
