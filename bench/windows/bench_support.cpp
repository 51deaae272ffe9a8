#include "bench/windows/bench_support.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/browser_entry_win32.h"
#include "app/kept_list_win32.h"
#include "res/resource.h"

namespace skelvane {

double NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double ThreadCpuMs() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

QuietMainWindow OpenQuietMainWindow() {
    StartNetworking();
    // The silent master's failure would otherwise sweep the list a window of
    // an earlier run kept in this throw-away prefix, at the default query rate:
    // minutes of a refresh the benchmark waits for and does not measure.
    std::error_code ignored;
    std::filesystem::remove(KeptListPath(), ignored);
    QuietMainWindow opened{UdpSocket::Open(), nullptr};
    opened.silentMaster.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    BrowserOptions options;
    options.masters = {MasterServer{"127.0.0.1", opened.silentMaster.LocalEndpoint()->port}};
    options.timing.masterAttempts = 1;
    options.timing.masterAnswerWaitMs = 30;
    opened.browser = CreateMainWindow(GetModuleHandleW(nullptr), options);
    return opened;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WaitForQuietRefresh(const Browser& browser) {
    PumpUntil(browser.mainWindow, [&browser] { return !IsRefreshInProgress(*browser.engine); });
}

bool IsRefreshShownEnded(const Browser& browser) {
    return !IsRefreshInProgress(*browser.engine) &&
           IsWindowEnabled(GetDlgItem(browser.mainWindow, IDC_CONFIG));
}

}  // namespace skelvane
