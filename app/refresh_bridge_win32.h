#pragma once

#include <windows.h>

#include <atomic>

#include "browse/kept_info_lines.h"
#include "browse/ui_mailbox.h"
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
    WM_APP_FORGET_TABLE,
    WM_APP_TAKE_TABLE,
    WM_APP_REPAINT_LIST,
    WM_APP_REFRESH_ENDED,
};

// The main window as the engine's front end, on the refresh threads' side.
// The engine owns it, so it lives as long as a refresh thread may call it,
// also after the main window has gone; from then on it forwards nothing.
class RefreshBridge : public RefreshFrontEnd {
  public:
    explicit RefreshBridge(const RefreshState& engine) : engine_(engine) {}

    // Starts forwarding to the window, or stops it with null.
    void SetWindow(HWND window);
    UiMailbox& Mailbox() { return mailbox_; }
    // The info line of each answer, for the details window.
    KeptInfoLines& KeptLines() { return keptLines_; }
    // The UI thread takes the repaint request; the next one posts again.
    void TakeRepaint() { repaintPosted_.store(false); }
    // The window is out of sight: no repaint is asked for until it is seen.
    void SetOutOfSight(bool outOfSight) { outOfSight_.store(outOfSight); }

    void PutStatus(const char16_t* text) override { mailbox_.PutStatus(text); }
    void ForgetTable() override { Send(WM_APP_FORGET_TABLE); }
    void TakeTable() override { Send(WM_APP_TAKE_TABLE); }
    void KeepAnswer(std::int32_t index, std::span<const std::uint8_t> answer) override {
        keptLines_.Keep(index, answer);
    }
    bool ListServer(std::int32_t index) override;
    void RepaintList() override;
    void RefreshEnded() override { Send(WM_APP_REFRESH_ENDED); }

  private:
    void Send(UINT message);

    const RefreshState& engine_;
    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> repaintPosted_{false};
    std::atomic<bool> outOfSight_{false};
    UiMailbox mailbox_;
    KeptInfoLines keptLines_;
};

// Makes a new bridge the engine's front end; the engine owns it.
RefreshBridge& ConnectRefreshBridge(RefreshState& engine);

// Carries out one bridge message; its result is the message's result.
LRESULT OnBridgeMessage(Browser& browser, UINT message);

// Takes everything out of the mailbox: the latest status text and a row for
// every parsed answer that may show. While more comes, it looks again soon by
// itself, unless the window is out of sight.
void DeliverMailbox(Browser& browser);

// The window is seen again: what waited in the mailbox, the status bar and the
// list is shown now.
void CatchUpWhenShown(Browser& browser);

}  // namespace skelvane
