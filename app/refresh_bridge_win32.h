#pragma once

#include <windows.h>

#include <atomic>

#include "app/ui_mailbox_win32.h"
#include "browse/kept_info_lines.h"
#include "engine/refresh_engine.h"

namespace skelvane {

struct Browser;

// The refresh threads' requests to the main window. Status texts and parsed
// answers go through the UI mailbox, which wakes the window with
// WM_APP_MAILBOX, and a repaint request is posted: none of these makes a
// refresh thread wait for the window. The others, once per refresh, are sent
// synchronously and carried out by the dialog procedure on the UI thread
// before the refresh thread goes on.
enum BridgeMessage : UINT {
    WM_APP_MAILBOX = WM_APP + 1,
    WM_APP_TABLE_REPLACED,
    WM_APP_HAND_OVER,
    WM_APP_REPAINT_LIST,
    WM_APP_REFRESH_ENDED,
};

// What the engine's hooks reach on the refresh threads' side. The engine owns
// it, so it lives as long as a refresh thread may call a hook, also after the
// main window has gone; from then on it forwards nothing.
class RefreshBridge {
  public:
    explicit RefreshBridge(const RefreshEngine& engine) : engine_(engine) {}

    // Starts forwarding to the window, or stops it with null.
    void SetWindow(HWND window);
    UiMailbox& Mailbox() { return mailbox_; }
    // The info line of each answer, for the details window.
    KeptInfoLines& KeptLines() { return keptLines_; }

    void PutStatus(const char16_t* text) { mailbox_.PutStatus(text); }
    bool PutParsed(std::int32_t index);
    // Asks for a repaint unless one is asked for already.
    void PostRepaint();
    // The UI thread takes the repaint request; the next one posts again.
    void TakeRepaint() { repaintPosted_.store(false); }
    LRESULT Forward(UINT message);

  private:
    const RefreshEngine& engine_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> repaintPosted_{false};
    UiMailbox mailbox_;
    KeptInfoLines keptLines_;
};

// Points the engine's hooks at a new bridge, which the engine then owns.
RefreshBridge& ConnectRefreshBridge(RefreshEngine& engine);

// Carries out one bridge message; its result is the message's result.
LRESULT OnBridgeMessage(Browser& browser, UINT message);

// Timer of the main window that looks into the mailbox again while items
// keep coming.
inline constexpr UINT_PTR kMailboxTimer = 3;
inline constexpr UINT kMailboxLookAgainMs = 10;

// Takes everything out of the mailbox: the latest status text and a row for
// every parsed answer that may show.
void DeliverMailbox(Browser& browser);

}  // namespace skelvane
