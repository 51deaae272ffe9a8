// Whole refreshes through the main window against a master and game servers on
// the loopback address.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

struct Listed {
    std::string info;
    std::vector<std::string> players;
    std::uint32_t delayMs;
};

// Game servers in the master's order; their delays set the pings.
class RefreshWindow : public BrowserWindowTest {
  protected:
    std::uint16_t StartNetwork(const std::vector<Listed>& servers, int silentServers = 0) {
        std::vector<FakeServers::Behaviour> behaviours;
        for (const Listed& server : servers) {
            behaviours.push_back(
                FakeServers::Answering(server.info, server.players, server.delayMs));
        }
        behaviours.resize(behaviours.size() + static_cast<std::size_t>(silentServers),
                          FakeServers::Silent());
        games_ = std::make_unique<FakeServers>(behaviours);
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{}, {games_->MasterAnswer()}, 0});
        return master_->port();
    }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
};

const std::vector<Listed> kFourServers = {
    {"\\sv_hostname\\Slow Lane\\mapname\\sk_dm7\\sv_maxclients\\16\\gamename\\arena\\version\\x "
     "freebsd",
     {"1 200 \"amy\"", "2 210 \"ben\""},
     150},
    {"\\sv_hostname\\Packed\\mapname\\dm2\\sv_maxclients\\2\\gamename\\base\\version\\x win",
     {"3 30 \"cat\"", "4 35 \"dan\""},
     50},
    {"\\sv_hostname\\^1Red^7Fort\\mapname\\dm1\\sv_maxclients\\8\\gamename\\base\\version\\x "
     "linux",
     {"5 40 \"bob\""},
     0},
    {"\\sv_hostname\\Nobody Home\\mapname\\dm3\\sv_maxclients\\8\\gamename\\base\\version\\x "
     "osx",
     {},
     100},
};

TEST_F(RefreshWindow, FillsTheListFromLocalServersWithTheRealTimings) {
    const std::uint16_t port = StartNetwork(kFourServers);
    ASSERT_NE(Open(port, RefreshTiming{}), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(Status(), L"Completed. 4 of 4 servers responded.");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_CONFIG)));
    // Ping order, lowest first: the delays put the master's last server first.
    EXPECT_EQ(ServerRows(), (std::vector<std::int32_t>{2, 1, 3, 0}));
    EXPECT_EQ(StatusPart(2), L"4 Servers");
    EXPECT_FALSE(State().view.redrawPaused) << "the list was left without redrawing";
    for (std::size_t i = 0; i < games_->size(); ++i) {
        EXPECT_EQ(games_->Queries(i), 1);
    }

    EXPECT_EQ(StatusPart(1), L"5 Players");
    EXPECT_EQ(CellText(ServerList(), 0, 0), L"RedFort");
    EXPECT_EQ(CellText(ServerList(), 0, 1), L"127.0.0.1:" + std::to_wstring(games_->port(2)));
    EXPECT_EQ(CellText(ServerList(), 0, 2), L"dm1");
    EXPECT_EQ(CellText(ServerList(), 0, 3), L"base");
    EXPECT_EQ(CellText(ServerList(), 0, 4), L"1 / 8");
    EXPECT_EQ(CellText(ServerList(), 1, 4), L"2 / 2");
    EXPECT_EQ(CellText(ServerList(), 2, 4), L"0 / 8");
    EXPECT_EQ(CellImage(ServerList(), 0, 5), 1) << "a ping under 100 ms is good";
    for (int column = 1; column <= 4; ++column) {
        EXPECT_LT(CellImage(ServerList(), 0, column), 0) << "an image in column " << column;
    }
    const std::wstring slowPing = CellText(ServerList(), 3, 5);
    EXPECT_GE(std::stoi(slowPing), 150);
    EXPECT_EQ(CellImage(ServerList(), 3, 5), std::stoi(slowPing) <= 200 ? 2 : 3);
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    ListView_GetItem(ServerList(), &item);
    EXPECT_EQ(item.iImage, 4) << "linux";

    ClickColumn(window_, IDC_SERVERLIST, 4);
    EXPECT_EQ(CellText(ServerList(), 0, 4).substr(0, 2), L"2 ") << "most players first";
    EXPECT_EQ(CellText(ServerList(), 3, 0), L"Nobody Home") << "fewest players last";
    ClickColumn(window_, IDC_SERVERLIST, 4);
    EXPECT_EQ(CellText(ServerList(), 0, 0), L"Nobody Home") << "reversed: fewest first";
    ClickColumn(window_, IDC_SERVERLIST, 2);
    EXPECT_EQ(CellText(ServerList(), 0, 2), L"dm1");
    EXPECT_EQ(CellText(ServerList(), 3, 2), L"sk_dm7");

    CheckDlgButton(window_, IDC_SHOWFULL, BST_UNCHECKED);
    Click(IDC_SHOWFULL);
    EXPECT_EQ(RowCount(ServerList()), 3);
    EXPECT_EQ(StatusPart(1), L"3 Players");
    CheckDlgButton(window_, IDC_SHOWEMPTY, BST_UNCHECKED);
    Click(IDC_SHOWEMPTY);
    EXPECT_EQ(RowCount(ServerList()), 2);
    EXPECT_EQ(StatusPart(2), L"2 Servers");
}

TEST_F(RefreshWindow, AbortDuringTheSweepEndsItAsAborted) {
    const std::uint16_t port = StartNetwork({kFourServers[2]}, 30);
    ASSERT_NE(Open(port, ShortTiming()), nullptr);
    ASSERT_TRUE(PumpUntil(
        [this] {
            return Status().rfind(L"Querying 127.0.0.1:", 0) == 0 ||
                   Status().rfind(L"Found ", 0) == 0;
        },
        5000))
        << "the sweep never began";
    Click(IDC_UPDATE);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_UPDATE)));
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    ASSERT_TRUE(WaitForRefreshEnd(3000)) << "the abort took too long";
    const std::wstring summary = Status();
    EXPECT_EQ(summary.rfind(L"Aborted. ", 0), 0u) << std::string(summary.begin(), summary.end());
    EXPECT_NE(summary.find(L" of 31 servers responded."), std::wstring::npos);
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_CONFIG)));
}

TEST_F(RefreshWindow, MasterFailuresAreShownAndUpdateStartsTheNextRefresh) {
    FakeMaster silent(FakeMaster::Script{{999}, {}, 0});
    RefreshTiming timing = ShortTiming();
    timing.masterAnswerWaitMs = 60;
    ASSERT_NE(Open(silent.port(), timing), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(Status(), L"No response from 127.0.0.1.");
    EXPECT_EQ(silent.Requests().size(), 3u);

    // Abort while the master is silent: the next send notices it.
    Engine().timing.masterAnswerWaitMs = 400;
    Click(IDC_UPDATE);
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_CONFIG)));
    ASSERT_TRUE(PumpUntil([&] { return silent.Requests().size() == 4; }, 2000));
    Click(IDC_UPDATE);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(Status(), L"Error querying 127.0.0.1.");
    EXPECT_EQ(silent.Requests().size(), 5u);

    // And the button is usable again: the next click starts a new refresh.
    Click(IDC_UPDATE);
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    EXPECT_TRUE(IsRefreshInProgress(Engine()));
}

}  // namespace
}  // namespace skelvane::test
