#pragma once

#include <windows.h>

#include "engine/refresh_ui.h"

namespace skelvane {

// The refresh threads' requests, each sent synchronously to the main window
// and carried out by its dialog procedure on the UI thread.
enum BridgeMessage : UINT {
    WM_APP_SHOW_STATUS = WM_APP + 1,  // lParam: the text
    WM_APP_TABLE_REPLACED,
    WM_APP_HAND_OVER,
    WM_APP_SERVER_PARSED,  // wParam: the record index; result: a row was added
    WM_APP_REPAINT_LIST,
    WM_APP_REFRESH_ENDED,
};

// Hooks that forward every engine request to the main window.
RefreshUi MakeRefreshBridge();

// Carries out one bridge message; its result is the message's result.
LRESULT OnBridgeMessage(UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace skelvane
