#pragma once

#include <cstdint>

#include "engine/refresh_engine.h"

namespace skelvane {

// Every limiter between a server's answer and the screen, in the order an
// answer meets them. The window goes through the first five, the command line
// through the last alone.
//
// 1. The engine's repaint rule, 250 ms (RefreshTiming::repaintAfterMs): rows
//    are added unpainted, and the sweep asks for a repaint only once it has run
//    this long; then at each of its steps if a row came since the step before,
//    and once at its end.
// 2. The bridge's posted-repaint flag (RefreshBridge): at most one repaint
//    request waits in the window's queue at a time, and none is posted while
//    the window is out of sight; no period of its own.
// 3. The mailbox's look-again timer, 10 ms (kMailboxLookAgainMs): while texts
//    and parsed servers keep coming, the UI thread looks into the mailbox by
//    itself instead of being woken for each (UiMailbox).
// 4. The server list's repaint throttle, 100 ms (kListRepaintIntervalMs): a
//    repaint asked for sooner waits for the list's timer, and a list out of
//    sight is painted once it is shown again.
// 5. The status bar's throttle, 50 ms (kStatusBarIntervalMs): a text that
//    comes sooner waits, and only the latest of each part is written.
// 6. The command line's status batches, 20 ms (kTerminalStatusBatchMs): the
//    lines that come meanwhile go to the terminal in one write.
//
// While the main window is out of sight (hidden in the notification area or
// minimized), 2 asks for no repaint, 3 does not look again, and 4 and 5 hold
// what they get without a timer: the rows and texts of a refresh go in at its
// end, and everything is shown once the window is seen again.
//
// The main window assigns the timers of 3 to 5 (app/main_timers_win32.h).
inline constexpr std::uint32_t kMailboxLookAgainMs = 10;
inline constexpr std::uint32_t kListRepaintIntervalMs = 100;
inline constexpr std::uint32_t kStatusBarIntervalMs = 50;
inline constexpr std::uint32_t kTerminalStatusBatchMs = 20;

static_assert(RefreshTiming{}.repaintAfterMs == 250, "the list above gives the repaint rule");

}  // namespace skelvane
