// Watches a local test network for buddies in the real main window, hidden in
// the notification area as a minimized watching window is, and prints for
// each watched refresh the CPU time the process spent on it and its memory
// once it has ended.
//
//   watch_bench.exe MASTER_HOST:PORT REFRESHES RATE [--engine-alone]
//
// With --engine-alone the same refreshes run without a window, by the engine
// alone: the baseline of what Wine costs apart from the window.
//
// The pause between refreshes is a second instead of the browser's minute:
// the window does next to nothing while it waits.

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

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

// Runs the browser's loop, looking at `done` ten times a second: more often
// would cost the UI thread more than the window does while it waits.
template <typename Done>
void PumpQuietlyUntil(HWND mainWindow, Done done) {
    const UINT_PTR look = SetTimer(nullptr, 0, 100, nullptr);
    MSG message{};
    while (!done() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(mainWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    KillTimer(nullptr, look);
}

// The same refreshes by the engine alone, with no window: what Wine's sockets,
// threads and waits cost at this rate, the part of the window's figure that
// is not the window's.
int RunEngineAlone(const MasterServer& master, int refreshes, std::int32_t rate) {
    StartNetworking();
    RefreshState engine;
    engine.masters = {master};
    engine.settings.packetsPerSecond = rate;
    for (int refresh = 1; refresh <= refreshes; ++refresh) {
        const double cpuBefore = ProcessCpuMs();
        engine.refreshInProgress = 1;
        const RefreshResult result = RunRefresh(engine);
        std::printf("refresh=%d cpu_ms=%.1f responded=%d\n", refresh, ProcessCpuMs() - cpuBefore,
                    result.responded);
        std::fflush(stdout);
        Sleep(1000);
    }
    return 0;
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
    const bool engineAlone = argc == 5 && std::string(argv[4]) == "--engine-alone";
    const bool usable = argc == 4 || engineAlone;
    const auto master = usable ? ParseHostAndPort(argv[1], kMasterPort) : std::nullopt;
    const int refreshes = usable ? std::atoi(argv[2]) : 0;
    const int rate = usable ? std::atoi(argv[3]) : 0;
    if (!master || refreshes <= 0 || rate <= 0) {
        std::fprintf(stderr,
                     "usage: watch_bench MASTER_HOST:PORT REFRESHES RATE [--engine-alone]\n");
        return 64;
    }
    const MasterServer server{master->host, master->port};
    return engineAlone ? RunEngineAlone(server, refreshes, rate) : Run(server, refreshes, rate);
}
