// Finding servers as one types, and the details window of one server, through
// the main window against a master and game servers on the loopback address.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/menu_driver.h"
#include "tests/windows/window_driver.h"
#include "ui/server_list_view_win32.h"

namespace skelvane::test {
namespace {

class FindAndDetails : public BrowserWindowTest {
  protected:
    // Game servers in the master's order, so record i is behaviour i.
    void OpenOnNetwork(const std::vector<FakeServers::Behaviour>& behaviours) {
        games_ = std::make_unique<FakeServers>(behaviours);
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{}, {games_->MasterAnswer()}, 0});
        ASSERT_NE(Open(master_->port(), ShortTiming()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
    }

    HWND Field() const { return Control(IDC_FIND); }

    void ClickButton(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    // Typing ends in the field's text; each keystroke is a change of it.
    void Type(const std::wstring& text) { SetWindowTextW(Field(), text.c_str()); }

    std::vector<std::int32_t> SortedRows() const {
        std::vector<std::int32_t> rows = ServerRows();
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    int ListTop() const {
        RECT bounds{};
        GetWindowRect(ServerList(), &bounds);
        return bounds.top;
    }

    void SelectRecord(std::int32_t record) {
        const std::vector<std::int32_t> rows = ServerRows();
        const auto row =
            static_cast<int>(std::find(rows.begin(), rows.end(), record) - rows.begin());
        ListView_SetItemState(ServerList(), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }

    HWND Details() const { return State().details.window; }
    std::wstring DetailsText(int id) const { return WindowText(GetDlgItem(Details(), id)); }
    HWND DetailsList(int id) const { return GetDlgItem(Details(), id); }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
};

// A window's edges on the screen: left, top, right, bottom.
std::array<LONG, 4> Edges(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return {bounds.left, bounds.top, bounds.right, bounds.bottom};
}

std::array<LONG, 4> Moved(std::array<LONG, 4> edges, const std::array<LONG, 4>& by) {
    for (std::size_t i = 0; i < edges.size(); ++i) {
        edges[i] += by[i];
    }
    return edges;
}

// The window grows by dx and dy, as a drag of its corner makes it.
void GrowWindow(HWND window, int dx, int dy) {
    const std::array<LONG, 4> edges = Edges(window);
    SetWindowPos(window, nullptr, 0, 0, edges[2] - edges[0] + dx, edges[3] - edges[1] + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(10);
}

TEST_F(FindAndDetails, FindsByHostMapModAndPlayerAsShownCountingWhatIsShown) {
    OpenOnNetwork({
        FakeServers::Answering(
            "\\sv_hostname\\^1Red^7Server\\mapname\\dm17\\gamename\\arena\\sv_maxclients\\8",
            {"1 5 \"Ann\""}),
        FakeServers::Answering(
            "\\sv_hostname\\Blue\\mapname\\ctf_ash\\gamename\\base\\sv_maxclients\\8",
            {"2 6 \"Se\xC3\xB1or\"", "3 0 \"^4Kite\""}),
        FakeServers::Answering(
            "\\sv_hostname\\Green\\mapname\\dm2\\gamename\\Vanguard\\sv_maxclients\\8",
            {"4 7 \"Ox\""}),
        FakeServers::Answering("\\sv_hostname\\Gold\\mapname\\q3\\gamename\\base\\sv_maxclients\\8",
                               {}),
    });
    ASSERT_EQ(SortedRows(), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(Field(), nullptr) << "the field waits to be opened";
    EXPECT_EQ(GetFocus(), ServerList());
    const int listTop = ListTop();

    PressKey(ServerList(), {'F', true});
    ASSERT_NE(Field(), nullptr) << "Ctrl+F opens the field";
    EXPECT_TRUE(IsWindowVisible(Field()));
    EXPECT_EQ(GetFocus(), Field());
    RECT field{};
    GetWindowRect(Field(), &field);
    EXPECT_GT(ListTop(), field.bottom) << "the list makes room for the field";

    // The field takes the window's width with the list; it closes below to
    // the list's old top whatever the size.
    const std::array<LONG, 4> fieldAt = Edges(Field());
    GrowWindow(window_, 160, 90);
    EXPECT_EQ(Edges(Field()), Moved(fieldAt, {0, 0, 160, 0}));
    EXPECT_EQ(Edges(Field())[2], Edges(ServerList())[2]);

    const struct {
        std::wstring text;
        std::vector<std::int32_t> rows;
        std::wstring players;
        std::wstring servers;
    } finds[] = {
        {L"redserver", {0}, L"1 Player", L"1 Server"},    // host name without colour codes
        {L"^1", {}, L"0 Players", L"0 Servers"},          // which no longer shows
        {L"CTF_", {1}, L"2 Players", L"1 Server"},        // a map
        {L"VANGUARD", {2}, L"1 Player", L"1 Server"},     // a mod
        {L"SE\u00d1OR", {1}, L"2 Players", L"1 Server"},  // a UTF-8 name, folded
        {L"kite", {1}, L"2 Players", L"1 Server"},        // a name without its colours
        {L"base", {1, 3}, L"2 Players", L"2 Servers"},
        {L"", {0, 1, 2, 3}, L"4 Players", L"4 Servers"},
    };
    for (const auto& find : finds) {
        Type(find.text);
        EXPECT_EQ(SortedRows(), find.rows) << find.text;
        EXPECT_EQ(StatusPart(1), find.players) << find.text;
        EXPECT_EQ(StatusPart(2), find.servers) << find.text;
    }

    // Full and Empty still apply to what the text finds.
    Type(L"base");
    CheckDlgButton(window_, IDC_SHOWEMPTY, BST_UNCHECKED);
    Click(IDC_SHOWEMPTY);
    EXPECT_EQ(SortedRows(), (std::vector<std::int32_t>{1}));
    CheckDlgButton(window_, IDC_SHOWEMPTY, BST_CHECKED);
    Click(IDC_SHOWEMPTY);
    EXPECT_EQ(SortedRows(), (std::vector<std::int32_t>{1, 3}));

    // Rows that a refresh brings obey the text too.
    Click(IDC_UPDATE);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(SortedRows(), (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(StatusPart(2), L"2 Servers");

    // Escape in the field: everything shows again and the field closes.
    PressKey(Field(), {VK_ESCAPE});
    EXPECT_FALSE(IsWindowVisible(Field()));
    EXPECT_EQ(WindowText(Field()), L"");
    EXPECT_EQ(SortedRows(), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(StatusPart(2), L"4 Servers");
    EXPECT_EQ(ListTop(), listTop);
    EXPECT_EQ(GetFocus(), ServerList());

    // F3 opens it again, empty, from anywhere in the window.
    PressKey(Control(IDC_UPDATE), {VK_F3});
    EXPECT_TRUE(IsWindowVisible(Field()));
    EXPECT_EQ(GetFocus(), Field());
}

TEST_F(FindAndDetails, TheSelectedServerStaysSelectedWhileTheTextFindsIt) {
    OpenOnNetwork({FakeServers::Answering("\\sv_hostname\\Alpha", {"1 5 \"Ann\""}),
                   FakeServers::Answering("\\sv_hostname\\Beta", {"1 5 \"Bob\""})});
    SelectRecord(1);
    PressKey(ServerList(), {VK_F3});
    Type(L"b");
    EXPECT_EQ(RecordIndexAtRow(State().view, ListView_GetNextItem(ServerList(), -1, LVNI_SELECTED)),
              1);
    EXPECT_EQ(RowCount(Control(IDC_PLAYERLIST)), 1);
    Type(L"alpha");
    EXPECT_EQ(ListView_GetNextItem(ServerList(), -1, LVNI_SELECTED), -1);
    EXPECT_EQ(RowCount(Control(IDC_PLAYERLIST)), 0) << "its players go with it";
}

std::string ManyRules(int count) {
    std::string info = "\\sv_hostname\\Rules\\sv_maxclients\\8";
    for (int i = 0; i < count; ++i) {
        info += "\\r" + std::to_string(i) + "\\" + std::to_string(i);
    }
    return info;
}

TEST_F(FindAndDetails, DetailsShowAServerAndItsRefreshUpdatesThemAndItsRow) {
    FakeServers::Behaviour first = FakeServers::Answering(
        "\\sv_hostname\\^2Old Name\\g_gametype\\4\\mapname\\dm6\\sv_maxclients\\8",
        {"10 48 \"Ann\"", "3 0 \"Bot One\"", "0 0 \"Bot Two\""});
    first.laterAnswer =
        FakeServers::Answering("\\sv_hostname\\New Name\\mapname\\dm7\\sv_maxclients\\8",
                               {"11 50 \"Ann\"", "4 52 \"Cid\""})
            .answer;
    OpenOnNetwork({first, FakeServers::Answering(ManyRules(70), {})});
    SelectRecord(0);
    PressKey(ServerList(), {VK_RETURN, false, false, false, true});
    ASSERT_NE(Details(), nullptr) << "Alt+Enter opens the details";
    EXPECT_TRUE(IsWindowVisible(Details()));
    EXPECT_EQ(DetailsText(IDC_DETAILS_NAME), L"Old Name");
    EXPECT_EQ(DetailsText(IDC_DETAILS_ADDRESS), L"127.0.0.1:" + std::to_wstring(games_->port(0)));
    EXPECT_EQ(DetailsText(IDC_DETAILS_COUNTS), L"1 human, 2 bots");
    HWND players = DetailsList(IDC_DETAILS_PLAYERS);
    ASSERT_EQ(RowCount(players), 3);
    const std::wstring firstPlayer[] = {L"Ann", L"10", L"48", L""};
    const std::wstring secondPlayer[] = {L"Bot One", L"3", L"0", L"bot"};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(CellText(players, 0, column), firstPlayer[column]) << column;
        EXPECT_EQ(CellText(players, 1, column), secondPlayer[column]) << column;
    }
    HWND rules = DetailsList(IDC_DETAILS_RULES);
    const std::wstring keys[] = {L"sv_hostname", L"g_gametype", L"mapname", L"sv_maxclients"};
    ASSERT_EQ(RowCount(rules), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(CellText(rules, row, 0), keys[row]) << "in the order received";
    }
    EXPECT_EQ(CellText(rules, 0, 1), L"^2Old Name") << "a value as the server sent it";

    // Resized, the lists take the room and the buttons keep to the corner; it
    // never gets smaller than it opened.
    const std::array<LONG, 4> windowAt = Edges(Details());
    const std::array<LONG, 4> playersAt = Edges(players);
    const std::array<LONG, 4> rulesAt = Edges(rules);
    const std::array<LONG, 4> refreshAt = Edges(GetDlgItem(Details(), IDC_DETAILS_REFRESH));
    GrowWindow(Details(), 120, 80);
    EXPECT_EQ(Edges(players), Moved(playersAt, {0, 0, 0, 80}));
    EXPECT_EQ(Edges(rules), Moved(rulesAt, {0, 0, 120, 80}));
    EXPECT_EQ(Edges(GetDlgItem(Details(), IDC_DETAILS_REFRESH)),
              Moved(refreshAt, {120, 80, 120, 80}));
    MINMAXINFO limits{};
    SendMessageW(Details(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, windowAt[2] - windowAt[0]);
    EXPECT_EQ(limits.ptMinTrackSize.y, windowAt[3] - windowAt[1]);

    // Refresh: one query of the server, whose row and details follow.
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Details(), IDC_DETAILS_REFRESH)));
    ClickButton(Details(), IDC_DETAILS_REFRESH);
    ASSERT_TRUE(PumpUntil(
        [&] { return DetailsText(IDC_DETAILS_STATUS).rfind(L"Answered in", 0) == 0; }, 3000))
        << WindowText(GetDlgItem(Details(), IDC_DETAILS_STATUS));
    EXPECT_EQ(games_->Queries(0), 2);
    EXPECT_EQ(DetailsText(IDC_DETAILS_NAME), L"New Name");
    EXPECT_EQ(DetailsText(IDC_DETAILS_COUNTS), L"2 humans, 0 bots");
    EXPECT_EQ(RowCount(players), 2);
    EXPECT_EQ(CellText(rules, 1, 1), L"dm7");
    const std::vector<std::int32_t> rows = ServerRows();
    const auto row = static_cast<int>(std::find(rows.begin(), rows.end(), 0) - rows.begin());
    EXPECT_EQ(CellText(ServerList(), row, 0), L"New Name");
    EXPECT_EQ(StatusPart(1), L"2 Players") << "the counts follow the new answer";
    EXPECT_EQ(RowCount(Control(IDC_PLAYERLIST)), 2) << "the selected server's players too";

    // Rules are kept as the command line keeps them: 64, and the rest counted.
    SelectRecord(1);
    ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, L'd');
    EXPECT_EQ(DetailsText(IDC_DETAILS_NAME), L"Rules") << "the menu's Details... shows them";
    ASSERT_EQ(RowCount(rules), 65);
    EXPECT_EQ(CellText(rules, 63, 0), L"r61");
    EXPECT_EQ(CellText(rules, 64, 0), L"(8 more not kept)");
}

TEST_F(FindAndDetails, DetailsOpenWhileUpdateReplacesTheTableShowTheServerGoneThenBack) {
    FakeServers::Behaviour slow =
        FakeServers::Answering("\\sv_hostname\\Slowpoke\\sv_maxclients\\8", {"1 9 \"Ann\""});
    slow.knobs.latencyMs = 400;
    OpenOnNetwork({slow});
    SelectRecord(0);
    PressKey(ServerList(), {VK_RETURN, false, false, false, true});
    ASSERT_EQ(DetailsText(IDC_DETAILS_NAME), L"Slowpoke");
    const std::uint32_t tables = State().view.tablesForgotten;
    Click(IDC_UPDATE);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Details(), IDC_DETAILS_REFRESH)))
        << "a refresh asks the server itself";
    ASSERT_TRUE(PumpUntil([&] { return State().view.tablesForgotten != tables; }, 2000));
    EXPECT_EQ(DetailsText(IDC_DETAILS_NAME), L"This server is gone from the server list.");
    EXPECT_EQ(DetailsText(IDC_DETAILS_ADDRESS), L"127.0.0.1:" + std::to_wstring(games_->port(0)));
    EXPECT_EQ(DetailsText(IDC_DETAILS_COUNTS), L"");
    EXPECT_EQ(RowCount(DetailsList(IDC_DETAILS_PLAYERS)), 0);
    EXPECT_EQ(RowCount(DetailsList(IDC_DETAILS_RULES)), 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Details(), IDC_DETAILS_JOIN)));

    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(DetailsText(IDC_DETAILS_NAME), L"Slowpoke") << "back with its new answer";
    EXPECT_EQ(RowCount(DetailsList(IDC_DETAILS_PLAYERS)), 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Details(), IDC_DETAILS_REFRESH)));
}

}  // namespace
}  // namespace skelvane::test
