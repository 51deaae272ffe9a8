// Double-clicking a server in the main window: the game starts on that server
// and the browser closes; a double-click beside the rows does nothing.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/game_drives.h"
#include "tests/windows/message_box_answerer.h"
#include "tests/windows/window_driver.h"

namespace skelvane::test {
namespace {

// A double-click as the mouse makes it, at a point of the list's client area.
void DoubleClick(HWND list, POINT at) {
    const LPARAM position = MAKELPARAM(at.x, at.y);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, position);
    PostMessageW(list, WM_LBUTTONUP, 0, position);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, position);
    PostMessageW(list, WM_LBUTTONUP, 0, position);
    PumpFor(100);
}

POINT RowCentre(HWND list, int row) {
    RECT bounds{};
    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
    return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

class JoinServer : public BrowserWindowTest {
  protected:
    // Two servers listed by a master that answers `answeredRequests` (all
    // when empty), and the stand-in game in `gameFolder`.
    void Open(const std::wstring& gameFolder, std::vector<int> answeredRequests = {}) {
        ASSERT_TRUE(EmptyTestDrives()) << "not the test prefix of scripts/wine-env.sh";
        ASSERT_TRUE(InstallStandIn(gameFolder, L"skelvane.exe"));
        const std::string info = "\\sv_hostname\\Here\\mapname\\dm1\\sv_maxclients\\8\\version\\x";
        games_ = std::make_unique<FakeServers>(std::vector<FakeServers::Behaviour>{
            {StatusAnswer().InfoText(info).Player(1, 20, "amy").Build(), {}},
            {StatusAnswer().InfoText(info).Build(), {}}});
        master_ = std::make_unique<FakeMaster>(
            FakeMaster::Script{answeredRequests, {games_->MasterAnswer()}, 0});
        ASSERT_NE(BrowserWindowTest::Open(master_->port(), ShortTiming()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
        ASSERT_EQ(RowCount(ServerList()), 2);
    }

    std::wstring GameDirectory() const { return AsWide(State().settings.gameDirectory); }

    void TearDown() override {
        // Starting the game made its directory the current one.
        SetCurrentDirectoryW(TestsDirectory().c_str());
        BrowserWindowTest::TearDown();
    }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
};

TEST_F(JoinServer, StartsTheGameOnTheDoubleClickedServerAndClosesTheBrowser) {
    Open(L"E:\\Skelvane\\");
    std::ranges::copy(std::wstring(L"E:\\Skelvane\\"), State().settings.gameDirectory);

    // Below the rows: nothing at all.
    const std::wstring before = Status();
    RECT client{};
    GetClientRect(ServerList(), &client);
    MessageBoxAnswerer boxes;
    DoubleClick(ServerList(), POINT{client.right / 2, client.bottom - 5});
    EXPECT_EQ(Status(), before);
    EXPECT_TRUE(IsWindow(window_));

    const std::wstring server = CellText(ServerList(), 1, 1);
    DoubleClick(ServerList(), RowCentre(ServerList(), 1));
    PumpUntil([this] { return !IsWindow(window_); }, 5000);
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(TakeQuitCode(), 0);
    const std::vector<std::wstring> record = LaunchRecord(L"E:\\Skelvane\\");
    ASSERT_EQ(record.size(), 2u) << "the game did not start";
    // The directory ends with a backslash, and another one follows it.
    EXPECT_EQ(record[0], L"\"E:\\Skelvane\\\\skelvane.exe\" +connect \"" + server + L"\"");
    EXPECT_EQ(record[1], L"E:\\Skelvane");
}

// Enter in the server list joins its selected server; elsewhere it keeps its
// meaning: on a button it presses the button.
TEST_F(JoinServer, EnterJoinsTheSelectedServer) {
    Open(L"E:\\Skelvane\\");
    std::ranges::copy(std::wstring(L"E:\\Skelvane\\"), State().settings.gameDirectory);
    PressKey(ServerList(), {VK_RETURN});
    EXPECT_TRUE(IsWindow(window_)) << "joined with no server selected";
    PressKey(Control(IDC_UPDATE), {VK_RETURN});
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    ASSERT_TRUE(WaitForRefreshEnd());

    constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(ServerList(), 0, kMarks, kMarks);
    const std::wstring server = CellText(ServerList(), 0, 1);
    PressKey(ServerList(), {VK_RETURN});
    PumpUntil([this] { return !IsWindow(window_); }, 5000);
    const std::vector<std::wstring> record = LaunchRecord(L"E:\\Skelvane\\");
    ASSERT_EQ(record.size(), 2u) << "the game did not start";
    EXPECT_EQ(record[0], L"\"E:\\Skelvane\\\\skelvane.exe\" +connect \"" + server + L"\"");
}

// The details window's Join joins the server it shows, as Enter does.
TEST_F(JoinServer, TheDetailsJoinButtonJoinsTheServerShown) {
    Open(L"E:\\Skelvane\\");
    std::ranges::copy(std::wstring(L"E:\\Skelvane\\"), State().settings.gameDirectory);
    constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(ServerList(), 1, kMarks, kMarks);
    const std::wstring server = CellText(ServerList(), 1, 1);
    PressKey(ServerList(), {VK_RETURN, false, false, false, true});
    ASSERT_TRUE(IsWindowVisible(State().details.window));
    SendMessageW(GetDlgItem(State().details.window, IDC_DETAILS_JOIN), BM_CLICK, 0, 0);
    PumpUntil([this] { return !IsWindow(window_); }, 5000);
    const std::vector<std::wstring> record = LaunchRecord(L"E:\\Skelvane\\");
    ASSERT_EQ(record.size(), 2u) << "the game did not start";
    EXPECT_EQ(record[0], L"\"E:\\Skelvane\\\\skelvane.exe\" +connect \"" + server + L"\"");
}

// Every text the status bar's message part is given while it lives, in
// order: a refresh that goes on may write over a text before it is read.
class MessagePartLog {
  public:
    explicit MessagePartLog(HWND bar) : bar_(bar) {
        SetWindowSubclass(bar_, Record, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~MessagePartLog() { RemoveWindowSubclass(bar_, Record, 1); }
    bool Saw(const std::wstring& text) const {
        return std::find(texts_.begin(), texts_.end(), text) != texts_.end();
    }

  private:
    static LRESULT CALLBACK Record(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) {
        if (message == SB_SETTEXTW && LOBYTE(wParam) == 0 && lParam != 0) {
            reinterpret_cast<MessagePartLog*>(self)->texts_.emplace_back(
                reinterpret_cast<const wchar_t*>(lParam));
        }
        return DefSubclassProc(bar, message, wParam, lParam);
    }

    HWND bar_;
    std::vector<std::wstring> texts_;
};

// A refresh started just before the double-click replaces the server table
// while the user answers the search's question: the server that was clicked
// is gone, its record must not be read, and nothing is joined.
TEST_F(JoinServer, JoinsNothingWhenTheTableWasReplacedDuringTheSearch) {
    // The next refresh's master answers only its retry.
    Open(L"D:\\Skelvane\\", {1, 3});
    const std::uint32_t tables = State().view.tablesForgotten;
    MessageBoxAnswerer boxes({true});
    boxes.AnswerOnlyWhen([&] { return State().view.tablesForgotten != tables; });
    const MessagePartLog shown(GetDlgItem(window_, IDC_STATUSBAR));
    Click(IDC_UPDATE);
    DoubleClick(ServerList(), RowCentre(ServerList(), 0));

    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_TRUE(shown.Saw(L"The server list has changed. Double-click the server again."));
    // The directory the user accepted is kept for the next try.
    EXPECT_EQ(GameDirectory(), L"D:\\Skelvane\\");
    PumpFor(300);
    EXPECT_EQ(GetFileAttributesW(L"D:\\Skelvane\\launched.txt"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace skelvane::test
