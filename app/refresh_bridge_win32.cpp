#include "app/refresh_bridge_win32.h"

#include <memory>
#include <utility>

#include "app/browser_win32.h"
#include "app/main_commands_win32.h"
#include "app/main_timers_win32.h"
#include "browse/screen_limiters.h"
#include "browse/server_columns.h"
#include "ui/out_of_sight_win32.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

void RefreshBridge::SetWindow(HWND window) {
    window_.store(window);
    UiMailbox::WakeUp wakeUp;
    if (window != nullptr) {
        wakeUp = [window] { return PostMessageW(window, WM_APP_MAILBOX, 0, 0) != FALSE; };
    }
    mailbox_.SetWakeUp(std::move(wakeUp));
}

// The record is complete and stays so until the next refresh, so whether it
// will get a row is known here already; the row itself comes when the UI
// thread looks into the mailbox.
bool RefreshBridge::ListServer(std::int32_t index) {
    const RefreshSettings& filters = engine_.settings;
    mailbox_.PutParsed(index);
    return IsServerShown(engine_.table[index], filters.showFull.load(), filters.showEmpty.load());
}

// The sweep asks for a repaint at every step once rows come in; waiting for
// the window each time would hold the sweep to the pace of the painting.
void RefreshBridge::RepaintList() {
    HWND window = window_.load();
    if (window != nullptr && !outOfSight_.load() && !repaintPosted_.exchange(true) &&
        PostMessageW(window, WM_APP_REPAINT_LIST, 0, 0) == FALSE) {
        repaintPosted_.store(false);
    }
}

// Before the main window exists, and after it has gone, there is nobody to tell.
void RefreshBridge::Send(UINT message) {
    HWND window = window_.load();
    if (window != nullptr) {
        SendMessageW(window, message, 0, 0);
    }
}

RefreshBridge& ConnectRefreshBridge(RefreshState& engine) {
    auto bridge = std::make_shared<RefreshBridge>(engine);
    engine.frontEnd = bridge;
    return *bridge;
}

void DeliverMailbox(Browser& browser) {
    Presentation& view = browser.view;
    const UiMailbox::Contents contents = browser.bridge->Mailbox().Take();
    if (!contents.IsEmpty() && !IsOutOfSight(browser.mainWindow)) {
        SetTimer(browser.mainWindow, kMailboxTimer, kMailboxLookAgainMs, nullptr);
    }
    AddParsedServers(view, contents.parsed);
    FollowDetailsTarget(browser, contents.parsed);
    if (contents.hasStatus) {
        ShowStatus(view.statusBar, contents.status);
    }
}

void CatchUpWhenShown(Browser& browser) {
    DeliverMailbox(browser);
    FlushStatusBar(browser.view.statusBar);
    RepaintServerListWhenShown(browser.view);
}

LRESULT OnBridgeMessage(Browser& browser, UINT message) {
    Presentation& view = browser.view;
    switch (message) {
        case WM_APP_MAILBOX:
            DeliverMailbox(browser);
            return 0;
        case WM_APP_FORGET_TABLE:
            // Answers of the table that is going must not make rows in the next.
            browser.bridge->Mailbox().DiscardParsed();
            browser.bridge->KeptLines().Clear();
            ForgetTable(view);
            DetailsTableForgotten(browser);
            return 0;
        case WM_APP_TAKE_TABLE:
            TakeTable(view);
            return 0;
        case WM_APP_REPAINT_LIST:
            // The rows this repaint is for may still wait in the mailbox: the
            // answers were announced before the sweep asked for the repaint.
            browser.bridge->TakeRepaint();
            DeliverMailbox(browser);
            RepaintServerList(view);
            return 0;
        case WM_APP_REFRESH_ENDED:
            // Everything the refresh left in the mailbox, its summary included,
            // is on screen before the controls say it is over.
            DeliverMailbox(browser);
            FlushStatusBar(view.statusBar);
            RepaintServerListNow(view);
            OnRefreshEnded(browser);
            return 0;
        default:
            return 0;
    }
}

}  // namespace skelvane
