#pragma once

#include <windows.h>

#include "engine/refresh_ui.h"

namespace skelvane {

// The refresh threads' requests to the main window. Status texts and parsed
// answers go through the UI mailbox, which wakes the window with
// WM_APP_MAILBOX; the others are sent synchronously and carried out by its
// dialog procedure on the UI thread before the refresh thread goes on.
enum BridgeMessage : UINT {
    WM_APP_MAILBOX = WM_APP + 1,
    WM_APP_TABLE_REPLACED,
    WM_APP_HAND_OVER,
    WM_APP_REPAINT_LIST,
    WM_APP_REFRESH_ENDED,
};

// Hooks that forward every engine request to the main window.
RefreshUi MakeRefreshBridge();

// Carries out one bridge message; its result is the message's result.
LRESULT OnBridgeMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Takes everything out of the mailbox: the latest status text and a row for
// every parsed answer that may show.
void DeliverMailbox();

}  // namespace skelvane
