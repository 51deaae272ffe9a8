#pragma once

#include <memory>
#include <vector>

#include "app/browser_win32.h"
#include "bench/median.h"
#include "platform/udp_socket.h"

namespace skelvane {

// A high-resolution clock reading in milliseconds.
double NowMs();

// The real main window, created with a first refresh that asks a silent master
// once, briefly; the socket stands for that master. Sockets are started.
struct QuietMainWindow {
    UdpSocket silentMaster;
    std::unique_ptr<Browser> browser;
};
QuietMainWindow OpenQuietMainWindow();

// Runs the messages that wait for this thread.
void PumpMessages();

// Until the first refresh of a quiet main window has ended.
void WaitForQuietRefresh(const Browser& browser);

}  // namespace skelvane
