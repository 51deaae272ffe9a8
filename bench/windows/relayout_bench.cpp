// Prints how long the real main window takes to follow a size change under
// Wine, as medians of 100 size changes per run:
//   relayout: the main window's own handling of the size change alone, the
//     sizer moving every anchored control in one batch and the nine column
//     widths (a WM_SIZE for each new size, the window itself left as it is);
//   resize: the whole resize of the window, Wine's part included;
//   resize and paint: the same until the window is painted;
//   bare resize, the baseline in the same run: the same resizes of a bare
//     top-level window without controls, what Wine itself spends on one.
//
//   relayout_bench.exe [RUNS]    (default 5)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/browser_win32.h"
#include "bench/windows/bench_support.h"

namespace skelvane {
namespace {

constexpr int kChanges = 100;

void PumpWaiting() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

enum class Change { kRelayout, kResize, kResizeAndPaint };

// Times of 100 size changes, each to a new size between the start size and
// about 600 by 400 pixels larger.
std::vector<double> TimeSizeChanges(HWND window, Change change) {
    RECT start{};
    GetWindowRect(window, &start);
    RECT client{};
    GetClientRect(window, &client);
    std::vector<double> times;
    for (int i = 1; i <= kChanges; ++i) {
        const int dx = (i % 10) * 61;
        const int dy = (i % 7) * 59;
        const double before = NowMs();
        if (change == Change::kRelayout) {
            SendMessageW(window, WM_SIZE, SIZE_RESTORED,
                         MAKELPARAM(client.right + dx, client.bottom + dy));
        } else {
            SetWindowPos(window, nullptr, 0, 0, start.right - start.left + dx,
                         start.bottom - start.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (change == Change::kResizeAndPaint) {
            RedrawWindow(window, nullptr, nullptr,
                         RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        times.push_back(NowMs() - before);
        PumpWaiting();
    }
    // Back to the start, controls included.
    SetWindowPos(window, nullptr, 0, 0, start.right - start.left + 1, start.bottom - start.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window, nullptr, 0, 0, start.right - start.left, start.bottom - start.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpWaiting();
    return times;
}

HWND CreateBareWindow(const RECT& like) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"SkelvaneBareWindow";
    RegisterClassW(&windowClass);
    HWND bare = CreateWindowW(L"SkelvaneBareWindow", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              like.left, like.top, like.right - like.left, like.bottom - like.top,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    PumpWaiting();
    return bare;
}

int Run(int runs) {
    const QuietMainWindow opened = OpenQuietMainWindow();
    const std::unique_ptr<Browser>& browser = opened.browser;
    if (browser == nullptr) {
        return 1;
    }
    const HWND window = browser->mainWindow;
    while (IsRefreshInProgress(*browser->engine)) {
        PumpWaiting();
        Sleep(5);
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const HWND bare = CreateBareWindow(bounds);

    std::vector<double> relayout, resize, painted, baseline;
    for (int run = 1; run <= runs; ++run) {
        relayout.push_back(Median(TimeSizeChanges(window, Change::kRelayout)));
        resize.push_back(Median(TimeSizeChanges(window, Change::kResize)));
        painted.push_back(Median(TimeSizeChanges(window, Change::kResizeAndPaint)));
        baseline.push_back(Median(TimeSizeChanges(bare, Change::kResize)));
        std::printf(
            "run=%d relayout_ms=%.3f resize_ms=%.3f resize_and_paint_ms=%.3f "
            "bare_resize_ms=%.3f\n",
            run, relayout.back(), resize.back(), painted.back(), baseline.back());
    }
    std::printf(
        "medians of %d runs of %d size changes: relayout %.3f ms, resize %.3f ms, resize and "
        "paint %.3f ms, bare window resize %.3f ms, resize/bare %.2f\n",
        runs, kChanges, Median(relayout), Median(resize), Median(painted), Median(baseline),
        Median(resize) / Median(baseline));
    DestroyWindow(bare);
    DestroyWindow(window);
    return 0;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    return skelvane::Run(runs > 0 ? runs : 5);
}
