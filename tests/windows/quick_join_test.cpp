// Quick join in the main window: Ctrl+J and the server's menu start the
// stand-in game on the best server shown, through the game launcher.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/game_drives.h"
#include "tests/windows/menu_driver.h"
#include "tests/windows/window_driver.h"
#include "ui/server_list_view_win32.h"

namespace skelvane::test {
namespace {

constexpr wchar_t kGameFolder[] = L"E:\\Quick\\";

class QuickJoin : public BrowserWindowTest {
  protected:
    // Servers whose answers come late have the higher pings.
    void Open(std::vector<FakeServers::Behaviour> servers) {
        ASSERT_TRUE(EmptyTestDrives()) << "not the test prefix of scripts/wine-env.sh";
        ASSERT_TRUE(InstallStandIn(kGameFolder, L"skelvane.exe"));
        games_ = std::make_unique<FakeServers>(std::move(servers));
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{}, {games_->MasterAnswer()}, 0});
        ASSERT_NE(BrowserWindowTest::Open(master_->port(), ShortTiming()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
        std::ranges::copy(std::wstring(kGameFolder), State().settings.gameDirectory);
    }

  public:
    static FakeServers::Behaviour Server(const std::string& name, const std::string& maxClients,
                                         std::vector<std::string> players, std::uint32_t delayMs) {
        return FakeServers::Answering(
            "\\sv_hostname\\" + name + "\\mapname\\dm1\\sv_maxclients\\" + maxClients, players,
            delayMs);
    }

  protected:
    std::wstring Address(std::size_t server) const {
        return L"127.0.0.1:" + std::to_wstring(games_->port(server));
    }

    void TearDown() override {
        // Starting the game made its directory the current one.
        SetCurrentDirectoryW(TestsDirectory().c_str());
        BrowserWindowTest::TearDown();
    }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
};

// Bots only (a ping of 0) and full answer at once, as does Quick, which has a
// human and a free slot; Slow has the most humans but answers late.
std::vector<FakeServers::Behaviour> Servers() {
    return {QuickJoin::Server("Bots", "16", {"0 0 \"b1\""}, 0),
            QuickJoin::Server("Full", "1", {"1 40 \"zed\""}, 0),
            QuickJoin::Server("Quick", "16", {"1 40 \"amy\"", "0 0 \"bot\""}, 0),
            QuickJoin::Server("Slow", "16", {"1 40 \"a\"", "1 40 \"b\"", "1 40 \"c\""}, 120)};
}

TEST_F(QuickJoin, CtrlJStartsTheGameOnTheLowestPingWithAHumanAndAFreeSlot) {
    Open(Servers());
    ASSERT_EQ(RowCount(ServerList()), 4);
    PressKey(Control(IDC_SHOWFULL), {'J', true});
    PumpUntil([this] { return !IsWindow(window_); }, 5000);
    const std::vector<std::wstring> record = LaunchRecord(kGameFolder);
    ASSERT_EQ(record.size(), 2u) << "the game did not start";
    EXPECT_EQ(record[0], L"\"E:\\Quick\\\\skelvane.exe\" +connect \"" + Address(2) + L"\"");
}

TEST_F(QuickJoin, ChoosesAmongTheServersTheFindTextShowsAndStartsNothingWithoutOne) {
    Open(Servers());
    SendMessageW(window_, WM_COMMAND, IDM_FIND, 0);
    SetWindowTextW(Control(IDC_FIND), L"Bots");
    ASSERT_EQ(RowCount(ServerList()), 1);
    PressKey(ServerList(), {'J', true});
    EXPECT_EQ(Status(), L"No server shown has a human on it and a free slot.");
    EXPECT_TRUE(IsWindow(window_));
    PumpFor(300);
    EXPECT_EQ(GetFileAttributesW(L"E:\\Quick\\launched.txt"), INVALID_FILE_ATTRIBUTES)
        << "nothing started";

    // Quick has the lower ping but is not shown; the server's menu joins Slow.
    SetWindowTextW(Control(IDC_FIND), L"Slow");
    ASSERT_EQ(RowCount(ServerList()), 1);
    constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(ServerList(), 0, kMarks, kMarks);
    ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, L'u');
    PumpUntil([this] { return !IsWindow(window_); }, 5000);
    const std::vector<std::wstring> record = LaunchRecord(kGameFolder);
    ASSERT_EQ(record.size(), 2u) << "the game did not start";
    EXPECT_EQ(record[0], L"\"E:\\Quick\\\\skelvane.exe\" +connect \"" + Address(3) + L"\"");
}

}  // namespace
}  // namespace skelvane::test
