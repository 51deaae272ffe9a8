#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/browser_win32.h"
#include "bench/median.h"
#include "platform/udp_socket.h"

namespace skelvane {

// A high-resolution clock reading in milliseconds.
double NowMs();

// The processor time the calling thread has used, in milliseconds. Coarse
// (Wine counts it in 10 ms ticks), so it is read around many runs at once.
double ThreadCpuMs();

// The real main window, created with a first refresh that asks a silent master
// once, briefly, and no kept list to fall back on; the socket stands for that
// master. Sockets are started.
struct QuietMainWindow {
    UdpSocket silentMaster;
    std::unique_ptr<Browser> browser;
};
QuietMainWindow OpenQuietMainWindow();

// Handles the thread's messages, the main window's dialog keys among them,
// until `done` holds.
template <typename Done>
void PumpUntil(HWND mainWindow, Done done) {
    MSG message{};
    while (!done()) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            continue;
        }
        if (!IsDialogMessageW(mainWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// Runs the messages that wait for this thread.
void PumpMessages();

// Until the first refresh of a quiet main window has ended.
void WaitForQuietRefresh(const Browser& browser);

// Whether a refresh has ended for the user: Update is usable again, so the
// window has taken in everything the refresh left for it.
bool IsRefreshShownEnded(const Browser& browser);

}  // namespace skelvane
