// The player list: filled from the selected server, sorted, switched between
// views, and never reading a record of a table that has gone.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/refresh_bridge_win32.h"
#include "browse/buddy_list.h"
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"
#include "ui/buddy_highlight_win32.h"
#include "ui/player_list_view_win32.h"

namespace skelvane::test {
namespace {

struct Player {
    std::u16string name;
    std::int32_t score;
    std::int32_t ping;
};

using Names = std::vector<std::wstring>;

class PlayerList : public BrowserWindowTest {
  protected:
    void SetUp() override {
        ASSERT_NE(Open(master_.port(), QuickFailingMaster()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
    }

    // Every server answered and is listed, in the order given (by ping).
    void ListServers(const std::vector<std::vector<Player>>& servers, std::int32_t countOf2 = -1) {
        HandOverRecords(servers.size(), [&](ServerRecord& record, std::size_t i) {
            record.ping = static_cast<std::uint32_t>(10 * i);
            record.maxClients = 64;
            record.playerCount = static_cast<std::int32_t>(servers[i].size());
            for (std::size_t p = 0; p < servers[i].size(); ++p) {
                servers[i][p].name.copy(record.players[p].name, kPlayerNameCapacity - 1);
                record.players[p].score = servers[i][p].score;
                record.players[p].ping = servers[i][p].ping;
            }
            if (i == 2 && countOf2 >= 0) {
                record.playerCount = countOf2;
            }
        });
        for (std::size_t i = 0; i < servers.size(); ++i) {
            State().bridge->Mailbox().PutParsed(static_cast<std::int32_t>(i));
        }
        DeliverMailbox(State());
    }

    // Whether the highlight paints row `row` of `list` as a buddy's.
    bool PaintedAsBuddy(HWND list, int row) const {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = list;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        draw.nmcd.lItemlParam = row;
        draw.clrTextBk = RGB(1, 2, 3);
        OnListCustomDraw(State().view, draw);
        return draw.clrTextBk != RGB(1, 2, 3);
    }

    void Select(int row) {
        constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(ServerList(), row, row >= 0 ? kMarks : 0, kMarks);
    }
    HWND Players() const { return Control(IDC_PLAYERLIST); }
    Names Column(int column) const {
        Names cells;
        for (int row = 0; row < RowCount(Players()); ++row) {
            cells.push_back(CellText(Players(), row, column));
        }
        return cells;
    }
    void Notify(HWND list, UINT code, int column = -1) {
        NMLISTVIEW note{};
        note.hdr.hwndFrom = list;
        note.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
        note.hdr.code = code;
        note.iItem = -1;
        note.iSubItem = column;
        SendMessageW(window_, WM_NOTIFY, note.hdr.idFrom, reinterpret_cast<LPARAM>(&note));
    }

    const std::vector<Player> threePlayers_ = {
        {u"Zed", 5, 80}, {u"alice", 12, 20}, {u"Bob", -3, 40}};
    FakeMaster master_{FakeMaster::Script{{999}, {}, 0}};
};

TEST_F(PlayerList, ASelectionShowsItsPlayersInAnswerOrderAndNoReleasedRecordIsRead) {
    ListServers({threePlayers_, {}, {{u"one", 1, 1}}}, 1000);
    Select(0);
    EXPECT_EQ(Column(0), (Names{L"Zed", L"alice", L"Bob"}));
    EXPECT_EQ(Column(1), (Names{L"5", L"12", L"-3"}));
    EXPECT_EQ(Column(2), (Names{L"80", L"20", L"40"}));
    // The keyboard moves the selection as an owner-data list reports it.
    SendMessageW(ServerList(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(RowCount(Players()), 0) << "the next server has no players";
    SendMessageW(ServerList(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(RowCount(Players()), kMaxPlayers) << "a count past the array stops at its end";
    Select(-1);
    EXPECT_EQ(RowCount(Players()), 0);

    Select(0);
    ASSERT_EQ(RowCount(Players()), 3);
    State().view.buddies = ParseBuddyList(u"Zed");
    ASSERT_TRUE(PaintedAsBuddy(ServerList(), 0));
    ASSERT_TRUE(PaintedAsBuddy(Players(), 0));
    // From the table's replacement on, no row is left to read a record, not
    // even for a paint of a row that was there before.
    SendMessageW(window_, WM_APP_FORGET_TABLE, 0, 0);
    EXPECT_EQ(RowCount(Players()), 0);
    EXPECT_EQ(PlayerOfRow(State().view, 0), nullptr);
    EXPECT_EQ(State().view.playerServer, -1);
    EXPECT_FALSE(PaintedAsBuddy(ServerList(), 0));
    EXPECT_FALSE(PaintedAsBuddy(Players(), 0));
}

TEST_F(PlayerList, EachColumnSortsOneWayAndARefillRestoresTheAnswerOrder) {
    ListServers({threePlayers_});
    Select(0);
    const struct {
        int column;
        Names names;
    } clicks[] = {
        {0, {L"Bob", L"Zed", L"alice"}}, {0, {L"Bob", L"Zed", L"alice"}},
        {1, {L"alice", L"Zed", L"Bob"}}, {2, {L"alice", L"Bob", L"Zed"}},
        {2, {L"alice", L"Bob", L"Zed"}},
    };
    for (const auto& click : clicks) {
        Notify(Players(), LVN_COLUMNCLICK, click.column);
        EXPECT_EQ(Column(0), click.names) << "column " << click.column;
    }
    Select(-1);
    Select(0);
    EXPECT_EQ(Column(0), (Names{L"Zed", L"alice", L"Bob"}));
}

TEST_F(PlayerList, ARightClickSwitchesTheViewAndTheNextStartRestoresIt) {
    EXPECT_EQ(ListView_GetView(Players()), LV_VIEW_LIST);
    const struct {
        DWORD view;
        std::int32_t style;
    } clicks[] = {{LV_VIEW_DETAILS, 1}, {LV_VIEW_SMALLICON, 0}, {LV_VIEW_DETAILS, 1}};
    for (const auto& click : clicks) {
        Notify(Players(), NM_RCLICK);
        EXPECT_EQ(ListView_GetView(Players()), click.view);
        EXPECT_EQ(State().settings.playerViewStyle, click.style);
    }
    Close();
    ASSERT_NE(Open(master_.port(), QuickFailingMaster(), true), nullptr);
    EXPECT_EQ(ListView_GetView(Players()), LV_VIEW_DETAILS);

    State().isXpOrLater = false;
    Notify(Players(), NM_RCLICK);
    EXPECT_EQ(ListView_GetView(Players()), LV_VIEW_DETAILS) << "no switch before version 5.1";
    EXPECT_EQ(State().settings.playerViewStyle, 1);
}

}  // namespace
}  // namespace skelvane::test
