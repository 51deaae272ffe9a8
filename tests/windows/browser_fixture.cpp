#include "tests/windows/browser_fixture.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "app/browser_entry_win32.h"
#include "app/kept_list_win32.h"
#include "app/refresh_bridge_win32.h"
#include "browse/server_columns.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "tests/support/test_support.h"
#include "tests/windows/window_driver.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane::test {

HWND BrowserWindowTest::Open(std::uint16_t masterPort, const RefreshTiming& timing,
                             bool keepStoredSettings) {
    if (!keepStoredSettings) {
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
        std::error_code ignored;
        std::filesystem::remove(KeptListPath(), ignored);
    }
    BrowserOptions options;
    options.masters = {MasterServer{"127.0.0.1", masterPort}};
    options.timing = timing;
    browser_ = CreateMainWindow(GetModuleHandleW(nullptr), options);
    window_ = browser_ != nullptr ? browser_->mainWindow : nullptr;
    SetPumpDialog(window_);
    return window_;
}

HWND BrowserWindowTest::ServerList() const {
    return Control(IDC_SERVERLIST);
}

std::vector<std::int32_t> BrowserWindowTest::ServerRows() const {
    std::vector<std::int32_t> records;
    for (int row = 0; row < RowCount(ServerList()); ++row) {
        records.push_back(RecordIndexAtRow(browser_->view, row));
    }
    return records;
}

std::wstring BrowserWindowTest::StatusPart(int part) const {
    // What the refresh threads left in the mailbox the window takes in within
    // a few milliseconds by itself; take it now rather than wait for that.
    DeliverMailbox(*browser_);
    const StatusBar& bar = browser_->view.statusBar;
    PumpUntil([&bar] { return !bar.isWaiting[0] && !bar.isWaiting[1] && !bar.isWaiting[2]; }, 1000);
    return StatusPartText(window_, part);
}

bool BrowserWindowTest::WaitForRefreshEnd(std::uint32_t timeoutMs) {
    return PumpUntil(
        [this] {
            return !IsRefreshInProgress(Engine()) && WindowText(Control(IDC_UPDATE)) == L"Update" &&
                   IsWindowEnabled(Control(IDC_UPDATE));
        },
        timeoutMs);
}

void BrowserWindowTest::Click(int id) {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
}

void BrowserWindowTest::HandOverRecords(
    std::size_t count, const std::function<void(ServerRecord&, std::size_t)>& fill) {
    SendMessageW(window_, WM_APP_FORGET_TABLE, 0, 0);
    ServerTable& table = Engine().table;
    ReplaceTable(table);
    GrowTable(table, static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        AppendServer(table, LoopbackAddress(), static_cast<std::uint16_t>(20000 + i));
        ServerRecord& record = table[static_cast<std::int32_t>(i)];
        record.responded = 1;
        fill(record, i);
    }
    SendMessageW(window_, WM_APP_TAKE_TABLE, 0, 0);
}

void BrowserWindowTest::Close() {
    if (IsRefreshInProgress(Engine())) {
        AbortRefresh(Engine());
    }
    EXPECT_TRUE(WaitForRefreshEnd()) << "the refresh did not end";
    DestroyWindow(window_);
    PumpUntil([] { return false; }, 50);
    SetPumpDialog(nullptr);
    browser_.reset();
}

void BrowserWindowTest::TearDown() {
    if (window_ == nullptr || !IsWindow(window_)) {
        browser_.reset();
        TakeQuitCode();
        return;
    }
    if (HasFailure()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        SaveWindowBitmap(window_, std::string("failure-") + info->test_suite_name() + "." +
                                      info->name() + ".bmp");
    }
    Close();
    TakeQuitCode();
}

RefreshTiming QuickFailingMaster() {
    RefreshTiming timing = ShortTiming();
    timing.masterAttempts = 1;
    timing.masterAnswerWaitMs = 30;
    return timing;
}

long SavedNumber(const char16_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    const LSTATUS read = RegGetValueW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), AsWide(name),
                                      RRF_RT_REG_DWORD, nullptr, &value, &size);
    return read == ERROR_SUCCESS ? static_cast<long>(value) : -1;
}

}  // namespace skelvane::test
