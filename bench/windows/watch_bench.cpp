// Watches a local test network for buddies in the real main window, hidden in
// the notification area as a minimized watching window is, and prints for
// each watched refresh the CPU time the process spent on it and its memory
// once it has ended.
//
//   watch_bench.exe MASTER_HOST:PORT REFRESHES RATE
//
// The pause between refreshes is a second instead of the browser's minute:
// the window does next to nothing while it waits.

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/browser_entry_win32.h"
#include "app/browser_win32.h"
#include "bench/windows/bench_support.h"
#include "engine/host_and_port.h"
#include "res/resource.h"

namespace skelvane {
namespace {

// Buddies the plain mix's players are often named after, so that alerts are
// raised as they would be for a user.
constexpr char16_t kBuddies[] = u"Ox\nWren\nRook";

double CpuMs(const FILETIME& kernel, const FILETIME& user) {
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

double ProcessCpuMs() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return CpuMs(kernel, user);
}

// The window's own share: the UI thread, which this is.
double UiThreadCpuMs() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    return CpuMs(kernel, user);
}

PROCESS_MEMORY_COUNTERS_EX Memory() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters;
}

// Runs the browser's loop until `done` holds, waking only for the window's own
// messages: a polling timer would be the benchmark's cost counted as the
// window's. The refresh's end arrives as a sent message, which the wait
// reports and the peek handles without returning it, hence the wait.
template <typename Done>
void PumpQuietlyUntil(HWND mainWindow, Done done) {
    MSG message{};
    while (!done()) {
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(mainWindow, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }
}

int Run(const MasterServer& master, int refreshes, std::int32_t rate) {
    const QuietMainWindow opened = OpenQuietMainWindow();
    Browser* browser = opened.browser.get();
    if (browser == nullptr) {
        return 1;
    }
    const HWND window = browser->mainWindow;
    RefreshState& engine = *browser->engine;
    const auto refreshShownEnded = [&] { return IsRefreshShownEnded(*browser); };
    PumpQuietlyUntil(window, refreshShownEnded);

    engine.masters = {master};
    engine.timing = RefreshTiming{};
    browser->settings.packetsPerSecond = rate;
    PublishRefreshSettings(browser->settings, engine.settings);
    browser->view.buddies = ParseBuddyList(kBuddies);
    browser->watch.pauseMs = 1000;
    double cpuBefore = ProcessCpuMs();
    double uiBefore = UiThreadCpuMs();
    SendMessageW(window, WM_COMMAND, IDM_WATCH_BUDDIES, 0);
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int refresh = 1; refresh <= refreshes; ++refresh) {
        PumpQuietlyUntil(window, [&] { return IsRefreshInProgress(engine); });
        PumpQuietlyUntil(window, refreshShownEnded);
        const double cpu = ProcessCpuMs();
        const double ui = UiThreadCpuMs();
        const PROCESS_MEMORY_COUNTERS_EX memory = Memory();
        std::printf(
            "refresh=%d cpu_ms=%.1f ui_cpu_ms=%.1f working_set_kb=%lu committed_kb=%lu "
            "responded=%d hidden=%d\n",
            refresh, cpu - cpuBefore, ui - uiBefore,
            static_cast<unsigned long>(memory.WorkingSetSize / 1024),
            static_cast<unsigned long>(memory.PagefileUsage / 1024), engine.lastResult.responded,
            IsWindowVisible(window) ? 0 : 1);
        std::fflush(stdout);
        cpuBefore = cpu;
        uiBefore = ui;
    }
    DestroyWindow(window);
    return 0;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const bool usable = argc == 4;
    const auto master = usable ? ParseHostAndPort(argv[1], kMasterPort) : std::nullopt;
    const int refreshes = usable ? std::atoi(argv[2]) : 0;
    const int rate = usable ? std::atoi(argv[3]) : 0;
    if (!master || refreshes <= 0 || rate <= 0) {
        std::fprintf(stderr, "usage: watch_bench MASTER_HOST:PORT REFRESHES RATE\n");
        return 64;
    }
    return Run(MasterServer{master->host, master->port}, refreshes, rate);
}
