// The server list's context menu and the main window's keys, driven as the
// mouse and keyboard drive them, through the browser's own message handling.

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/kept_list_win32.h"
#include "app/registry_key_win32.h"
#include "browse/server_columns.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/settings_store.h"
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
        FakeServers::Behaviour first{StatusAnswer().InfoText(info).Player(1, 20, "amy").Build(),
                                     {}};
        first.laterAnswer = StatusAnswer()
                                .InfoText("\\sv_hostname\\Later\\mapname\\dm2\\sv_maxclients\\8")
                                .Player(1, 20, "amy")
                                .Player(2, 30, "bo")
                                .Player(3, 40, "cy")
                                .Build();
        games_ = std::make_unique<FakeServers>(std::vector<FakeServers::Behaviour>{
            first, {StatusAnswer().InfoText(info).Build(), {}}});
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

    int RowOfServer(std::size_t server) const {
        const std::wstring address = L"127.0.0.1:" + std::to_wstring(games_->port(server));
        for (int row = 0; row < RowCount(ServerList()); ++row) {
            if (Address(row) == address) {
                return row;
            }
        }
        return -1;
    }

    // What the Host Name icon of a row wears: the favourite's star or nothing.
    UINT Overlay(int row) const {
        return ListView_GetItemState(ServerList(), row, LVIS_OVERLAYMASK);
    }

    std::vector<std::wstring> MenuOfRow(int row, wchar_t choice) {
        Select(row);
        return MenuTexts(ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, choice));
    }

    // A refresh whose master never answers.
    void RefreshWithSilentMaster() {
        Engine().masters = {MasterServer{"127.0.0.1", silent_.port()}};
        Engine().timing.masterAttempts = 1;
        Click(IDC_UPDATE);
        ASSERT_TRUE(WaitForRefreshEnd());
    }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
    FakeMaster silent_{FakeMaster::Script{{999}, {}, 0}};
};

const std::vector<MenuItemSeen> kMenu = {
    {L"&Join\tEnter", true, true},
    {L"&Copy address\tCtrl+C", true, false},
    {L"&Refresh this server", true, false},
    {L"Add to &favourites", true, false},
    {L"Q&uick join\tCtrl+J", true, false},
    {L"&Watch for buddies", true, false},
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

TEST_F(ServerMenu, RefreshThisServerAsksItOnceAndUpdatesItsRowAndTheCountsNotTheSummary) {
    const std::wstring summary = Status();
    EXPECT_EQ(StatusPart(1), L"1 Player");
    EXPECT_EQ(MenuOfRow(RowOfServer(0), L'r')[2], L"&Refresh this server");
    ASSERT_TRUE(
        PumpUntil([this] { return CellText(ServerList(), RowOfServer(0), 0) == L"Later"; }, 3000));
    EXPECT_EQ(games_->Queries(0), 2);
    EXPECT_EQ(games_->Queries(1), 1) << "the other server is not asked";
    EXPECT_EQ(RowCount(ServerList()), 2);
    EXPECT_EQ(StatusPart(1), L"3 Players");
    EXPECT_EQ(StatusPart(2), L"2 Servers");
    EXPECT_EQ(Status(), summary);
    EXPECT_EQ(SelectedServerRow(State().view), RowOfServer(0)) << "its row stays selected";

    // While a refresh runs it asks every server itself.
    Engine().masters = {MasterServer{"127.0.0.1", silent_.port()}};
    Engine().timing.masterAnswerWaitMs = 1000;
    Engine().timing.masterAttempts = 1;
    Click(IDC_UPDATE);
    const auto during = ChooseFromMenu([this] { RightClick(RowCentre(0)); }, 0);
    ASSERT_GT(during.size(), 2u);
    EXPECT_FALSE(during[2].enabled);
    EXPECT_TRUE(WaitForRefreshEnd());
}

TEST_F(ServerMenu, F5UpdatesAndAbortsAndCtrlCCopiesTheSelectedAddress) {
    PressKey(ServerList(), {'C', true});
    EXPECT_EQ(ClipboardText(), L"") << "nothing selected, nothing copied";
    Select(0);
    PressKey(ServerList(), {'C'});
    EXPECT_EQ(ClipboardText(), L"") << "C without Ctrl is not a copy";
    PressKey(ServerList(), {'C', true});
    EXPECT_EQ(ClipboardText(), Address(0));
    // In the find field it copies the field's own text, as in any text field.
    PressKey(ServerList(), {'F', true});
    HWND find = Control(IDC_FIND);
    SetWindowTextW(find, L"Her");
    SendMessageW(find, EM_SETSEL, 0, -1);
    PressKey(find, {'C', true});
    EXPECT_EQ(ClipboardText(), L"Her");

    // F5 from anywhere in the window: Update, then Abort while it runs.
    Engine().masters = {MasterServer{"127.0.0.1", silent_.port()}};
    Engine().timing.masterAnswerWaitMs = 1000;
    PressKey(Control(IDC_SHOWFULL), {VK_F5});
    EXPECT_EQ(WindowText(Control(IDC_UPDATE)), L"Abort");
    ASSERT_TRUE(PumpUntil([this] { return !silent_.Requests().empty(); }, 2000));
    // A held key's repetitions do not abort what its press started.
    PressKey(ServerList(), {VK_F5, false, false, true});
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_UPDATE)));
    PressKey(ServerList(), {VK_F5});
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_UPDATE))) << "F5 did not abort";
    EXPECT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(silent_.Requests().size(), 2u);
}

// Tab walks the controls in the window's order; the arrow keys move between
// Full and Empty, a group of their own, and nowhere else from a button.
TEST_F(ServerMenu, TabAndTheArrowsMoveTheFocusAsInAnyDialog) {
    const int order[] = {IDC_SERVERLIST, IDC_PLAYERLIST, IDC_UPDATE, IDC_SHOWFULL,
                         IDC_SHOWEMPTY,  IDC_CONFIG,     IDC_EXIT,   IDC_SERVERLIST};
    PressKey(ServerList(), {VK_TAB});
    for (std::size_t i = 1; i < std::size(order); ++i) {
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), order[i]) << "after " << i << " presses of Tab";
        PressKey(GetFocus(), {VK_TAB});
    }
    const struct {
        int from;
        UINT key;
        int to;
    } arrows[] = {
        {IDC_SHOWFULL, VK_DOWN, IDC_SHOWEMPTY}, {IDC_SHOWEMPTY, VK_DOWN, IDC_SHOWFULL},
        {IDC_SHOWFULL, VK_UP, IDC_SHOWEMPTY},   {IDC_UPDATE, VK_DOWN, IDC_UPDATE},
        {IDC_CONFIG, VK_UP, IDC_CONFIG},        {IDC_EXIT, VK_DOWN, IDC_EXIT},
    };
    for (const auto& arrow : arrows) {
        PressKey(Control(arrow.from), {arrow.key});
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), arrow.to) << "from " << arrow.from;
    }
}

std::optional<StoredValue> StoredFavourites() {
    return RegistryKey::Open(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_READ)
        .Read(AsWide(kFavouriteServersValue));
}

TEST_F(ServerMenu, AFavouriteIsMarkedSweptWhenNoMasterAnswersAndKeptAcrossStarts) {
    const UINT kStar = INDEXTOOVERLAYMASK(kFavouriteOverlay);
    EXPECT_EQ(Overlay(0), 0u);
    const std::wstring favourite = Address(1);
    EXPECT_EQ(MenuOfRow(1, L'f')[3], L"Add to &favourites");
    EXPECT_EQ(Overlay(1), kStar);
    EXPECT_EQ(Overlay(0), 0u);
    EXPECT_EQ(MenuOfRow(1, 0)[3], L"Remove from &favourites");

    // With the kept list it is swept once, though both name it; with nothing
    // kept it is swept alone.
    RefreshWithSilentMaster();
    EXPECT_EQ(Status(), L"Completed. 2 of 2 servers responded.");
    std::filesystem::remove(KeptListPath());
    RefreshWithSilentMaster();
    EXPECT_EQ(Status(), L"Completed. 1 of 1 servers responded.");
    ASSERT_EQ(RowCount(ServerList()), 1);
    EXPECT_EQ(Address(0), favourite);
    EXPECT_EQ(Overlay(0), kStar);

    Close();
    const auto stored = StoredFavourites();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, StoredType::kTextLines);
    const std::wstring line(favourite.begin(), favourite.end());
    EXPECT_EQ(stored->bytes, TextLinesValue({std::u16string(line.begin(), line.end())}).bytes);

    // The next start sweeps it with the master's list, once, and still marks it.
    ASSERT_NE(Open(master_->port(), ShortTiming(), true), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_EQ(Status(), L"Completed. 2 of 2 servers responded.");
    const int row = Address(0) == favourite ? 0 : 1;
    EXPECT_EQ(Overlay(row), kStar);
    EXPECT_EQ(Overlay(1 - row), 0u);
    EXPECT_EQ(MenuOfRow(row, L'f')[3], L"Remove from &favourites");
    EXPECT_EQ(Overlay(row), 0u);
    Close();
    EXPECT_EQ(StoredFavourites()->bytes, TextLinesValue({}).bytes);
}

// A stored value with a line this program cannot read still gives its
// readable favourites, and is never written over: a change lasts until exit.
TEST_F(ServerMenu, AnUnreadableStoredValueIsUsedButNeverWrittenOver) {
    Close();
    const std::string kept = "127.0.0.1:" + std::to_string(games_->port(1));
    const StoredValue stored =
        TextLinesValue({std::u16string(kept.begin(), kept.end()), u"not a server"});
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
    const RegistryKey key =
        RegistryKey::Create(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_WRITE);
    ASSERT_TRUE(key.Write(AsWide(kFavouriteServersValue), stored));
    ASSERT_TRUE(key.Write(AsWide(kShowEmptyValue), NumberValue(1)));
    ASSERT_NE(Open(master_->port(), ShortTiming(), true), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    const UINT kStar = INDEXTOOVERLAYMASK(kFavouriteOverlay);
    EXPECT_EQ(Overlay(RowOfServer(1)), kStar);

    EXPECT_EQ(MenuOfRow(RowOfServer(0), L'f')[3], L"Add to &favourites");
    EXPECT_EQ(Overlay(RowOfServer(0)), kStar);
    EXPECT_EQ(Status(),
              L"The stored favourites can't be read, so this change lasts until the browser "
              L"closes.");
    Close();
    EXPECT_EQ(StoredFavourites()->bytes, stored.bytes);
}

}  // namespace
}  // namespace skelvane::test
