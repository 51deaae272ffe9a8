// The main window as it comes up, its controls, and how it closes.

#include <windows.h>

#include <commctrl.h>

#include <thread>

#include "app/browser_win32.h"
#include "browse/column_widths.h"
#include "browse/server_columns.h"
#include "browse/status_bar_parts.h"
#include "engine/status_text.h"
#include "platform/clock.h"
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

// A master that never answers keeps the first refresh in its master phase.
FakeMaster::Script Silent() {
    return FakeMaster::Script{{999}, {}, 0};
}

int ClientWidth(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right - client.left;
}

std::wstring ColumnTitle(HWND list, int column) {
    wchar_t title[64] = L"";
    LVCOLUMNW def{};
    def.mask = LVCF_TEXT;
    def.pszText = title;
    def.cchTextMax = 64;
    ListView_GetColumn(list, column, &def);
    return title;
}

class MainWindow : public BrowserWindowTest {};

TEST_F(MainWindow, ComesUpShownWithItsControlsAndTheFirstRefreshRunning) {
    FakeMaster master(Silent());
    ASSERT_NE(Open(master.port(), ShortTiming()), nullptr);
    EXPECT_EQ(WindowText(window_), L"Skelvane Server Browser");
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_UPDATE)));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_CONFIG)));
    EXPECT_EQ(IsDlgButtonChecked(window_, IDC_SHOWFULL), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(window_, IDC_SHOWEMPTY), BST_CHECKED);
    EXPECT_EQ(State().settings.sortOrder, 5u);
    EXPECT_TRUE(PumpUntil([&] { return !master.Requests().empty(); }, 3000))
        << "the first refresh asked no master";

    HWND servers = ServerList();
    HWND players = Control(IDC_PLAYERLIST);
    EXPECT_EQ(State().view.serverList, servers);
    EXPECT_EQ(ListView_GetExtendedListViewStyle(servers), 0x22u);
    EXPECT_EQ(ListView_GetExtendedListViewStyle(players), 0x22u);
    for (int i = 0; i < kServerColumnCount; ++i) {
        EXPECT_EQ(ColumnTitle(servers, i),
                  reinterpret_cast<const wchar_t*>(kServerColumns[i].title));
        EXPECT_EQ(ListView_GetColumnWidth(servers, i),
                  InitialColumnWidth(kServerColumns[i].widthPercent, ClientWidth(servers)));
    }
    // Column widths show only in the details view; the list starts in the list view.
    EXPECT_EQ(ListView_GetView(players), LV_VIEW_LIST);
    ListView_SetView(players, LV_VIEW_DETAILS);
    const int playerPercents[] = {50, 25, 25};
    const wchar_t* playerTitles[] = {L"Name", L"Score", L"Ping"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ColumnTitle(players, i), playerTitles[i]);
        EXPECT_EQ(ListView_GetColumnWidth(players, i),
                  InitialColumnWidth(playerPercents[i], ClientWidth(players)));
    }
    // The eight of the rows and cells, then the favourite's star.
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(servers, LVSIL_SMALL)), 9);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(players, LVSIL_SMALL)), 1);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(ListView_GetImageList(servers, LVSIL_SMALL), &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 14);
    EXPECT_NE(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(window_, WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(MainWindow, StatusBarHasThreePartsSizedForTheTemplatesClientWidth) {
    FakeMaster master(Silent());
    ASSERT_NE(Open(master.port(), QuickFailingMaster()), nullptr);
    HWND bar = Control(IDC_STATUSBAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(State().view.statusBar.window, bar);
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
    const auto expected = StatusBarEdges(ClientWidth(window_));
    EXPECT_EQ(edges[0], expected[0]);
    EXPECT_EQ(edges[1], expected[1]);
    EXPECT_EQ(edges[2], expected[2]);
    for (int part = 0; part < 3; ++part) {
        EXPECT_NE(SendMessageW(bar, SB_GETICON, part, 0), 0) << part;
    }
    EXPECT_EQ(StatusPart(1), L"0 Players");
    EXPECT_EQ(StatusPart(2), L"0 Servers");
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(Status(), L"No response from 127.0.0.1.");
    RecordProperty("clientWidth", ClientWidth(window_));
}

TEST_F(MainWindow, ABurstOfStatusTextsNeverWaitsForTheWindowAndEndsWithTheLast) {
    FakeMaster master(Silent());
    ASSERT_NE(Open(master.port(), QuickFailingMaster()), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    // A refresh thread shows texts faster than any window paints them; it must
    // never wait for the UI thread, which here is not even looking.
    RefreshFrontEnd& frontEnd = *Engine().frontEnd;
    const std::uint32_t start = MillisecondClock();
    std::thread worker([&frontEnd] {
        for (std::int32_t i = 1; i <= 5000; ++i) {
            ReportStatus(frontEnd, u"Querying 127.0.0.1:%d...", i);
        }
    });
    worker.join();
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), 2000u);
    EXPECT_EQ(Status(), L"Querying 127.0.0.1:5000...");
}

TEST_F(MainWindow, EnterEscapeOkAndCancelLeaveItOpenAndItCannotShrinkBelowItsStart) {
    FakeMaster master(Silent());
    ASSERT_NE(Open(master.port(), QuickFailingMaster()), nullptr);
    RECT start{};
    GetWindowRect(window_, &start);
    ASSERT_TRUE(WaitForRefreshEnd());
    SetFocus(ServerList());
    for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        PostMessageW(ServerList(), WM_KEYDOWN, key, 0);
        PostMessageW(ServerList(), WM_KEYUP, key, 0);
        PumpFor(50);
    }
    Click(IDOK);
    Click(IDCANCEL);
    PumpFor(50);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_EQ(TakeQuitCode(), -1);

    MINMAXINFO limits{};
    EXPECT_EQ(SendMessageW(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits)), 0);
    EXPECT_EQ(limits.ptMinTrackSize.x, start.right - start.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, start.bottom - start.top);
}

TEST_F(MainWindow, ExitAndTheCloseBoxEndTheLoopWithExitCodeZero) {
    FakeMaster master(Silent());
    for (const bool viaExitButton : {true, false}) {
        ASSERT_NE(Open(master.port(), QuickFailingMaster()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
        if (viaExitButton) {
            Click(IDC_EXIT);
        } else {
            SendMessageW(window_, WM_CLOSE, 0, 0);
        }
        EXPECT_FALSE(IsWindow(window_));
        PumpFor(30);
        EXPECT_EQ(TakeQuitCode(), 0);
    }
}

}  // namespace
}  // namespace skelvane::test
