// The server list's context menu and the main window's keys, driven as the
// mouse and keyboard drive them, through the browser's own message handling.

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/menu_driver.h"
#include "tests/windows/window_driver.h"
#include "ui/server_list_view_win32.h"

namespace skelvane::test {
namespace {

class ServerMenu : public BrowserWindowTest {
  protected:
    // Two answering servers, listed by a master that answers every request.
    void SetUp() override {
        const std::string info = "\\sv_hostname\\Here\\mapname\\dm1\\sv_maxclients\\8\\version\\x";
        games_ = std::make_unique<FakeServers>(std::vector<FakeServers::Behaviour>{
            {StatusAnswer(info, {"1 20 \"amy\""})}, {StatusAnswer(info)}});
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{}, {games_->MasterAnswer()}, 0});
        ASSERT_NE(Open(master_->port(), ShortTiming()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
        ASSERT_EQ(RowCount(ServerList()), 2);
        ClearClipboard();
    }

    void Select(int row) {
        constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(ServerList(), row, kMarks, kMarks);
    }

    // A right click at a point of the server list's client area, with the
    // pointer really there: the list reports where the pointer is.
    void RightClick(POINT at) {
        POINT screen = at;
        ClientToScreen(ServerList(), &screen);
        SetCursorPos(screen.x, screen.y);
        const LPARAM position = MAKELPARAM(at.x, at.y);
        PostMessageW(ServerList(), WM_RBUTTONDOWN, MK_RBUTTON, position);
        PostMessageW(ServerList(), WM_RBUTTONUP, 0, position);
    }

    POINT RowCentre(int row) const {
        RECT bounds{};
        ListView_GetItemRect(ServerList(), row, &bounds, LVIR_BOUNDS);
        return POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }

    std::wstring Address(int row) const { return CellText(ServerList(), row, 1); }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
};

const std::vector<MenuItemSeen> kMenu = {
    {L"&Join\tEnter", true, true},
    {L"&Copy address\tCtrl+C", true, false},
    {L"&Details...\tAlt+Enter", true, false},
};

TEST_F(ServerMenu, OpensForTheRowUnderThePointerOrTheSelectedRowAtTheKeyboard) {
    // At the keyboard with nothing selected there is no server to act on.
    EXPECT_TRUE(ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, L'c').empty());

    Select(1);
    EXPECT_EQ(ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, L'c'), kMenu);
    EXPECT_EQ(ClipboardText(), Address(1));

    // Shift+F10 is the other key for it.
    ClearClipboard();
    EXPECT_EQ(ChooseFromMenu(
                  [this] {
                      PressKey(ServerList(), {VK_F10, false, true});
                  },
                  L'c'),
              kMenu);
    EXPECT_EQ(ClipboardText(), Address(1));

    // A right click acts on the row under the pointer and selects it.
    EXPECT_EQ(ChooseFromMenu([this] { RightClick(RowCentre(0)); }, L'c'), kMenu);
    EXPECT_EQ(ClipboardText(), Address(0));
    EXPECT_EQ(SelectedServerRow(State().view), 0);

    // Beside the rows there is none; closing the menu chooses nothing.
    RECT client{};
    GetClientRect(ServerList(), &client);
    EXPECT_TRUE(ChooseFromMenu(
                    [&] {
                        RightClick(POINT{client.right / 2, client.bottom - 5});
                    },
                    L'c')
                    .empty());
    ClearClipboard();
    Select(1);
    EXPECT_EQ(ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, L'q').size(),
              kMenu.size());
    EXPECT_EQ(ClipboardText(), L"");
}

TEST_F(ServerMenu, F5UpdatesAndAbortsAndCtrlCCopiesTheSelectedAddress) {
    PressKey(ServerList(), {'C', true});
    EXPECT_EQ(ClipboardText(), L"") << "nothing selected, nothing copied";
    Select(0);
    PressKey(ServerList(), {'C'});
    EXPECT_EQ(ClipboardText(), L"") << "C without Ctrl is not a copy";
    PressKey(ServerList(), {'C', true});
    EXPECT_EQ(ClipboardText(), Address(0));

    // F5 from anywhere in the window: Update, then Abort while it runs.
    master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{999}, {}, 0});
    Engine().master.port = master_->port();
    Engine().timing.masterAnswerWaitMs = 1000;
    PressKey(Control(IDC_SHOWFULL), {VK_F5});
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    ASSERT_TRUE(PumpUntil([this] { return !master_->Requests().empty(); }, 2000));
    // A held key's repetitions do not abort what its press started.
    PressKey(ServerList(), {VK_F5, false, false, true});
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_UPDATE)));
    PressKey(ServerList(), {VK_F5});
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_UPDATE))) << "F5 did not abort";
    EXPECT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(master_->Requests().size(), 2u);
}

}  // namespace
}  // namespace skelvane::test
