#include "tests/windows/browser_fixture.h"

#include <string_view>

#include "app/browser_win32.h"
#include "app/browser_entry_win32.h"
#include "res/resource.h"
#include "tests/test_support.h"
#include "tests/windows/window_driver.h"
#include "ui/server_columns.h"
#include "ui/status_bar_win32.h"

namespace skelvane::test {

HWND BrowserWindowTest::Open(std::uint16_t masterPort, const RefreshTiming& timing) {
    gBrowser.engine.master = MasterServer{"127.0.0.1", masterPort};
    gBrowser.engine.timing = timing;
    window_ = CreateMainWindow(GetModuleHandleW(nullptr));
    return window_;
}

HWND BrowserWindowTest::ServerList() const {
    return Control(IDC_SERVERLIST);
}

std::wstring BrowserWindowTest::StatusPart(int part) const {
    const StatusBar& bar = gBrowser.view.statusBar;
    PumpUntil([&bar] { return !bar.isWaiting[0] && !bar.isWaiting[1] && !bar.isWaiting[2]; }, 1000);
    return StatusPartText(window_, part);
}

bool BrowserWindowTest::WaitForRefreshEnd(std::uint32_t timeoutMs) {
    return PumpUntil(
        [this] {
            return !IsRefreshInProgress(gBrowser.engine) &&
                   WindowText(Control(IDC_UPDATE)) == L"Update" &&
                   IsWindowEnabled(Control(IDC_UPDATE));
        },
        timeoutMs);
}

void BrowserWindowTest::Click(int id) {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

void BrowserWindowTest::TearDown() {
    if (window_ == nullptr || !IsWindow(window_)) {
        TakeQuitCode();
        return;
    }
    if (HasFailure()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        SaveWindowBitmap(window_, std::string("failure-") + info->test_suite_name() + "." +
                                      info->name() + ".bmp");
    }
    if (IsRefreshInProgress(gBrowser.engine)) {
        AbortRefresh(gBrowser.engine);
    }
    EXPECT_TRUE(WaitForRefreshEnd()) << "the refresh did not end";
    DestroyWindow(window_);
    PumpUntil([] { return false; }, 50);
    TakeQuitCode();
}

RefreshTiming QuickFailingMaster() {
    RefreshTiming timing = ShortTiming();
    timing.masterAttempts = 1;
    timing.masterAnswerWaitMs = 30;
    return timing;
}

}  // namespace skelvane::test
