// Refreshes a local test network in the real main window and prints how the
// window kept up: the time until the list held a row for every server, the
// share of servers that answered their first query, and the longest time the
// UI thread left a posted message waiting.
//
//   window_refresh_bench.exe MASTER_HOST:PORT SERVERS
//
// A probe thread posts a time-stamped message to a window of the UI thread
// every 2 ms; the longest wait between posting and handling is the longest
// time the UI thread did not answer messages.

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/browser_entry_win32.h"
#include "app/browser_win32.h"
#include "bench/windows/bench_support.h"
#include "engine/host_and_port.h"
#include "platform/udp_socket.h"
#include "res/resource.h"

namespace skelvane {
namespace {

constexpr UINT kProbeMessage = WM_APP + 100;
constexpr DWORD kProbeIntervalMs = 2;

std::atomic<bool> gProbing{true};
DWORD gLongestWaitMs = 0;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbeMessage) {
        const DWORD waited = timeGetTime() - static_cast<DWORD>(lParam);
        gLongestWaitMs = waited > gLongestWaitMs ? waited : gLongestWaitMs;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateProbeWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SkelvaneProbe";
    RegisterClassW(&windowClass);
    return CreateWindowW(L"SkelvaneProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                         windowClass.hInstance, nullptr);
}

DWORD WINAPI Probe(void* window) {
    while (gProbing) {
        PostMessageW(static_cast<HWND>(window), kProbeMessage, 0,
                     static_cast<LPARAM>(timeGetTime()));
        Sleep(kProbeIntervalMs);
    }
    return 0;
}

int Run(const MasterServer& master, int servers) {
    timeBeginPeriod(1);
    const QuietMainWindow opened = OpenQuietMainWindow();
    const std::unique_ptr<Browser>& browser = opened.browser;
    if (browser == nullptr) {
        return 1;
    }
    const HWND window = browser->mainWindow;
    RefreshState& engine = *browser->engine;
    const auto refreshShownEnded = [&] { return IsRefreshShownEnded(*browser); };
    PumpUntil(window, refreshShownEnded);

    engine.masters = {master};
    engine.timing = RefreshTiming{};
    engine.settings.packetsPerSecond = 1000000;
    const HWND probeWindow = CreateProbeWindow();
    const HANDLE probe = CreateThread(nullptr, 0, Probe, probeWindow, 0, nullptr);

    const DWORD start = timeGetTime();
    SendMessageW(window, WM_COMMAND, IDC_UPDATE, 0);
    DWORD allRowsMs = 0;
    PumpUntil(window, [&] {
        if (allRowsMs == 0 && ListView_GetItemCount(browser->view.serverList) >= servers) {
            allRowsMs = timeGetTime() - start;
        }
        return refreshShownEnded();
    });
    const DWORD refreshMs = timeGetTime() - start;
    gProbing = false;
    WaitForSingleObject(probe, INFINITE);
    PumpUntil(window, [] { return true; });

    std::int32_t firstPass = 0;
    for (std::int32_t i = 0; i < engine.table.Count(); ++i) {
        firstPass += engine.table[i].responded != 0 && engine.table[i].attempts == 1 ? 1 : 0;
    }
    std::printf(
        "servers=%d rows=%d all_rows_ms=%lu refresh_ms=%lu pass1=%.4f ui_longest_wait_ms=%lu\n",
        servers, ListView_GetItemCount(browser->view.serverList),
        static_cast<unsigned long>(allRowsMs), static_cast<unsigned long>(refreshMs),
        static_cast<double>(firstPass) / servers, static_cast<unsigned long>(gLongestWaitMs));
    DestroyWindow(window);
    return allRowsMs != 0 ? 0 : 2;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const auto master = argc == 3 ? ParseHostAndPort(argv[1], kMasterPort) : std::nullopt;
    const int servers = argc == 3 ? std::atoi(argv[2]) : 0;
    if (!master || servers <= 0) {
        std::fprintf(stderr, "usage: window_refresh_bench MASTER_HOST:PORT SERVERS\n");
        return 64;
    }
    return Run(MasterServer{master->host, master->port}, servers);
}
