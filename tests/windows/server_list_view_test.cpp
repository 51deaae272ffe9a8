// The server list driven through the refresh bridge with a table made here, so
// that order, filters and row bookkeeping are checked without a network.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/refresh_bridge_win32.h"
#include "browse/server_columns.h"
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"
#include "ui/server_list_view_win32.h"

namespace skelvane::test {
namespace {

struct Server {
    std::u16string name;
    std::int32_t players;
    std::int32_t maxClients;
    std::uint32_t ping;
};

void CopyText(char16_t* field, const std::u16string& text) {
    std::copy(text.begin(), text.end(), field);
    field[text.size()] = u'\0';
}

class ServerListView : public BrowserWindowTest {
  protected:
    void SetUp() override {
        ASSERT_NE(Open(master_.port(), QuickFailingMaster()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
    }

    // What a refresh does to the table, with the servers' answers already in.
    void HandOverTable(const std::vector<Server>& servers) {
        HandOverRecords(servers.size(), [&servers](ServerRecord& record, std::size_t i) {
            CopyText(record.hostName, servers[i].name);
            CopyText(record.mapName, u"dm1");
            CopyText(record.gameName, u"base");
            CopyText(record.version, u"x linux");
            record.playerCount = servers[i].players;
            record.maxClients = servers[i].maxClients;
            record.ping = servers[i].ping;
        });
    }

    // An answer announced through the mailbox, as the receiver does; true when
    // the UI thread gave it a row.
    bool Parsed(std::int32_t index) {
        const int before = RowCount(ServerList());
        State().bridge->Mailbox().PutParsed(index);
        DeliverMailbox(State());
        return RowCount(ServerList()) > before;
    }

    void ExpectSortedBy(std::uint32_t order) {
        const auto rows = ServerRows();
        const ServerTable& table = Engine().table;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            EXPECT_LE(CompareServers(table[rows[i - 1]], table[rows[i]], order), 0)
                << "rows " << i - 1 << " and " << i << " in order " << order;
        }
    }

    void Toggle(int checkBox, bool checked) {
        CheckDlgButton(window_, checkBox, checked ? BST_CHECKED : BST_UNCHECKED);
        Click(checkBox);
    }

    FakeMaster master_{FakeMaster::Script{{999}, {}, 0}};
};

TEST_F(ServerListView, EachAnswerGoesToItsPlaceInTheOrderAndEqualRowsKeepTheirArrival) {
    std::vector<Server> servers;
    std::mt19937 random(7);
    for (int i = 0; i < 60; ++i) {
        const std::u16string name{u's', static_cast<char16_t>(u'a' + i % 26)};
        servers.push_back({name, i % 5, 8, static_cast<std::uint32_t>(random() % 20)});
    }
    HandOverTable(servers);
    std::vector<std::int32_t> arrival(servers.size());
    for (std::size_t i = 0; i < arrival.size(); ++i) {
        arrival[i] = static_cast<std::int32_t>(i);
    }
    std::shuffle(arrival.begin(), arrival.end(), random);
    std::int32_t players = 0;
    for (const std::int32_t index : arrival) {
        ASSERT_TRUE(Parsed(index));
        players += servers[index].players;
    }
    ASSERT_EQ(RowCount(ServerList()), 60);
    ExpectSortedBy(5);
    // Among equal pings the earlier answer stays above the later one.
    const auto rows = ServerRows();
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (servers[rows[i - 1]].ping == servers[rows[i]].ping) {
            const auto first = std::find(arrival.begin(), arrival.end(), rows[i - 1]);
            const auto second = std::find(arrival.begin(), arrival.end(), rows[i]);
            EXPECT_LT(first, second) << "rows " << i - 1 << " and " << i;
        }
    }
    EXPECT_EQ(State().view.shownServers, 60);
    EXPECT_EQ(StatusPart(2), L"60 Servers");
    EXPECT_EQ(StatusPart(1), std::to_wstring(players) + L" Players");
}

TEST_F(ServerListView, AColumnClickSortsItNormallyAndASecondClickReversesIt) {
    HandOverTable(
        {{u"b", 3, 8, 40}, {u"a", 7, 8, 10}, {u"c", 0, 8, 30}, {u"d", 5, 8, 20}, {u"e", 4, 8, 25}});
    for (std::int32_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(Parsed(i));
    }
    struct Step {
        int column;
        std::uint32_t order;
    };
    const Step steps[] = {{4, 4}, {4, 4 | SORT_REVERSED}, {4, 4}, {2, 2},
                          {5, 5}, {5, 5 | SORT_REVERSED}, {1, 1}, {1, 1 | SORT_REVERSED},
                          {0, 0}};
    for (const Step& step : steps) {
        ClickColumn(window_, IDC_SERVERLIST, step.column);
        EXPECT_EQ(State().settings.sortOrder, step.order) << "column " << step.column;
        ExpectSortedBy(step.order);
    }
    // A later answer goes where the latest order puts it.
    ASSERT_TRUE(Parsed(4));
    EXPECT_EQ(RowCount(ServerList()), 5);
    ExpectSortedBy(0);
}

TEST_F(ServerListView, EveryRecordHasAtMostOneRowAndNoRowOutlivesItsTable) {
    HandOverTable({{u"a", 1, 8, 10}, {u"b", 2, 8, 20}});
    EXPECT_TRUE(Parsed(0));
    EXPECT_FALSE(Parsed(0)) << "a second announcement of the same answer";
    EXPECT_FALSE(Parsed(2)) << "an index past the table";
    EXPECT_FALSE(Parsed(-1));
    EXPECT_EQ(RowCount(ServerList()), 1);
    EXPECT_EQ(StatusPart(1), L"1 Player");
    EXPECT_EQ(StatusPart(2), L"1 Server");

    // While the table is being replaced nothing is listed or read, and the
    // counts say so, also for good when the master phase then fails.
    SendMessageW(window_, WM_APP_FORGET_TABLE, 0, 0);
    EXPECT_EQ(RowCount(ServerList()), 0);
    EXPECT_EQ(StatusPart(1), L"0 Players");
    EXPECT_EQ(StatusPart(2), L"0 Servers");
    EXPECT_FALSE(Parsed(1));
    Toggle(IDC_SHOWFULL, false);
    EXPECT_EQ(RowCount(ServerList()), 0);
    Toggle(IDC_SHOWFULL, true);

    // The next hand-over starts from empty lists and counts; old answers count
    // for nothing there.
    HandOverTable({{u"a", 1, 8, 10}, {u"b", 2, 8, 20}});
    EXPECT_EQ(StatusPart(1), L"0 Players");
    EXPECT_EQ(StatusPart(2), L"0 Servers");
    Toggle(IDC_SHOWEMPTY, false);
    EXPECT_EQ(RowCount(ServerList()), 0) << "a rebuild listed servers that had not answered";
    EXPECT_TRUE(Parsed(1));
    EXPECT_EQ(ServerRows(), std::vector<std::int32_t>{1});
}

TEST_F(ServerListView, ARepaintPaintsTheRowsAnnouncedBeforeIt) {
    HandOverTable({{u"a", 1, 8, 10}, {u"b", 2, 8, 20}});
    ASSERT_TRUE(Parsed(0));
    // The sweep asks for a repaint while the answer it is for still waits in
    // the mailbox; the repaint must take it in first.
    State().bridge->Mailbox().PutParsed(1);
    SendMessageW(window_, WM_APP_REPAINT_LIST, 0, 0);
    EXPECT_EQ(RowCount(ServerList()), 2);
    PumpFor(150);
    EXPECT_FALSE(State().view.redrawPaused) << "rows were left unpainted";
}

TEST_F(ServerListView, TheSelectionStaysOnItsServerWhenRowsMoveAndTypingFindsAServer) {
    HandOverTable({{u"mid", 1, 8, 50}, {u"fast", 2, 8, 10}, {u"slow", 3, 8, 90}});
    ASSERT_TRUE(Parsed(0));
    ListView_SetItemState(ServerList(), 0, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    const auto selectedRecord = [this] {
        return RecordIndexAtRow(State().view,
                                ListView_GetNextItem(ServerList(), -1, LVNI_SELECTED));
    };
    ASSERT_TRUE(Parsed(1));  // sorts above the selected row
    EXPECT_EQ(ServerRows(), (std::vector<std::int32_t>{1, 0}));
    EXPECT_EQ(selectedRecord(), 0);
    ClickColumn(window_, IDC_SERVERLIST, 5);  // reversed: the selected row moves up
    EXPECT_EQ(ServerRows(), (std::vector<std::int32_t>{0, 1}));
    EXPECT_EQ(selectedRecord(), 0);

    ASSERT_TRUE(Parsed(2));
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    find.psz = L"SL";
    EXPECT_EQ(RecordIndexAtRow(State().view, ListView_FindItem(ServerList(), 1, &find)), 2);
    find.psz = L"f";
    EXPECT_EQ(RecordIndexAtRow(State().view, ListView_FindItem(ServerList(), 2, &find)), 1);
    find.psz = L"zz";
    EXPECT_EQ(ListView_FindItem(ServerList(), -1, &find), -1);
}

TEST_F(ServerListView, CellRequestsForMissingRowsOrColumnsOrWithoutTextLeaveTheBuffer) {
    HandOverTable({{u"a", 1, 8, 10}});
    ASSERT_TRUE(Parsed(0));
    const auto request = [this](int column, int row, UINT mask) {
        static wchar_t buffer[16];
        wcscpy(buffer, L"keep");
        NMLVDISPINFOW info{};
        info.item.mask = mask;
        info.item.iItem = row;
        info.item.iSubItem = column;
        info.item.pszText = buffer;
        info.item.cchTextMax = 16;
        FillServerCell(State().view, info);
        return std::wstring(buffer);
    };
    EXPECT_EQ(request(6, 0, LVIF_TEXT), L"keep");
    EXPECT_EQ(request(-1, 0, LVIF_TEXT), L"keep");
    EXPECT_EQ(request(0, 1, LVIF_TEXT), L"keep");
    EXPECT_EQ(request(0, -5, LVIF_TEXT), L"keep");
    EXPECT_EQ(request(0, 0, LVIF_IMAGE), L"keep");
    EXPECT_NE(request(0, 0, LVIF_TEXT), L"keep");
}

TEST_F(ServerListView, FullAndEmptyRebuildTheListOnlyWhenTheShownNumberChanges) {
    HandOverTable(
        {{u"full", 8, 8, 30}, {u"empty", 0, 8, 20}, {u"busy", 3, 8, 10}, {u"quiet", 0, 8, 5}});
    for (std::int32_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(Parsed(i));
    }
    // Record 3 has answered but its answer was never announced: it must never
    // be listed, whatever the filters do.
    ASSERT_EQ(RowCount(ServerList()), 3);

    ClickColumn(window_, IDC_SERVERLIST, 4);
    ListView_SetItemState(ServerList(), 1, LVIS_SELECTED, LVIS_SELECTED);
    const auto before = ServerRows();
    Click(IDC_SHOWFULL);  // same state as before: nothing changes, not even the selection
    EXPECT_EQ(ServerRows(), before);
    EXPECT_EQ(ListView_GetNextItem(ServerList(), -1, LVNI_SELECTED), 1);

    Toggle(IDC_SHOWFULL, false);
    EXPECT_EQ(Engine().settings.showFull.load(), 0);
    EXPECT_EQ(RowCount(ServerList()), 2);
    EXPECT_EQ(ListView_GetNextItem(ServerList(), -1, LVNI_SELECTED), -1);
    EXPECT_EQ(RowCount(Control(IDC_PLAYERLIST)), 0);
    EXPECT_EQ(StatusPart(1), L"3 Players");
    EXPECT_EQ(StatusPart(2), L"2 Servers");
    ExpectSortedBy(4);

    Toggle(IDC_SHOWEMPTY, false);
    EXPECT_EQ(Engine().settings.showEmpty.load(), 0);
    EXPECT_EQ(ServerRows(), std::vector<std::int32_t>{2});
    EXPECT_EQ(StatusPart(2), L"1 Server");

    Toggle(IDC_SHOWFULL, true);
    Toggle(IDC_SHOWEMPTY, true);
    auto rows = ServerRows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(StatusPart(1), L"11 Players");
    ExpectSortedBy(4);
}

}  // namespace
}  // namespace skelvane::test
