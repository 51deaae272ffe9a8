// The Config dialog: what it shows, how it closes, and that what it applies
// shows in both lists at once.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/refresh_bridge_win32.h"
#include "browse/buddy_list.h"
#include "browse/server_columns.h"
#include "res/resource.h"
#include "settings/config_fields.h"
#include "tests/support/test_support.h"
#include "tests/windows/browser_fixture.h"
#include "tests/windows/window_driver.h"
#include "ui/server_list_view_win32.h"

namespace skelvane::test {
namespace {

// The steps run inside the dialog's own modal loop, from a timer; they end
// with closing the dialog.
std::function<void(HWND)>* gDialogSteps = nullptr;

void CALLBACK RunDialogSteps(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowW(L"#32770", L"Config");
    ASSERT_NE(dialog, nullptr);
    (*gDialogSteps)(dialog);
}

std::wstring Field(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

void SetField(HWND dialog, int id, const wchar_t* text) {
    SetDlgItemTextW(dialog, id, text);
}

void PressOk(HWND dialog) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

// Yellow anywhere behind a row's text.
bool IsHighlighted(HWND list, int row) {
    RECT label{};
    ListView_GetItemRect(list, row, &label, LVIR_LABEL);
    HDC dc = GetDC(list);
    bool yellow = false;
    for (LONG x = label.left; x < label.right && !yellow; ++x) {
        yellow = GetPixel(dc, x, (label.top + label.bottom) / 2) == RGB(255, 255, 0);
    }
    ReleaseDC(list, dc);
    return yellow;
}

class ConfigDialog : public BrowserWindowTest {
  protected:
    void SetUp() override {
        ASSERT_NE(Open(master_.port(), QuickFailingMaster()), nullptr);
        ASSERT_TRUE(WaitForRefreshEnd());
    }

    // Opens the dialog with the Config button; returns once `steps` closed it.
    void WithDialog(std::function<void(HWND)> steps) {
        gDialogSteps = &steps;
        SetTimer(nullptr, 0, 20, RunDialogSteps);
        Click(IDC_CONFIG);
        gDialogSteps = nullptr;
    }

    std::vector<bool> Highlights(HWND list) const {
        std::vector<bool> rows;
        for (int row = 0; row < RowCount(list); ++row) {
            rows.push_back(IsHighlighted(list, row));
        }
        return rows;
    }

    FakeMaster master_{FakeMaster::Script{{999}, {}, 0}};
};

TEST_F(ConfigDialog, EscapeIsIgnoredTheCloseBoxAppliesAndReopeningShowsWhatWasApplied) {
    const Settings& settings = State().settings;
    WithDialog([&](HWND dialog) {
        EXPECT_EQ(Field(dialog, IDC_GAMEEXE), L"skelvane.exe");
        EXPECT_EQ(Field(dialog, IDC_QPS), L"10");
        EXPECT_EQ(Field(dialog, IDC_GOODPING), L"100");
        EXPECT_EQ(Field(dialog, IDC_MEDIUMPING), L"200");
        SetField(dialog, IDC_GAMEPATH, L"C:\\Games\\Skelvane");
        SetField(dialog, IDC_GAMEEXE, L"");
        SetField(dialog, IDC_QPS, L"0");
        SetField(dialog, IDC_GOODPING, L"");
        SetField(dialog, IDC_BUDDIES, L"Ann\r\n\r\nBob");
        // What Escape sends through the dialog manager.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(settings.goodPingThreshold, 100) << "Escape applied the fields";
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(GamePathText(settings.gameDirectory), u"C:\\Games\\Skelvane\\");
    EXPECT_EQ(GamePathText(settings.gameExecutable), u"");
    EXPECT_EQ(settings.goodPingThreshold, 0) << "a threshold emptied stays 0 for the run";
    EXPECT_EQ(settings.packetsPerSecond, 10) << "no rate the sweep cannot pace";
    EXPECT_EQ(Engine().settings.packetsPerSecond.load(), 10);
    EXPECT_EQ(State().view.buddies.buddyCount, 2);
    EXPECT_TRUE(IsBuddyName(State().view.buddies, u"Bob"));

    WithDialog([](HWND dialog) {
        EXPECT_EQ(Field(dialog, IDC_GAMEPATH), L"C:\\Games\\Skelvane\\");
        EXPECT_EQ(Field(dialog, IDC_GAMEEXE), L"");
        EXPECT_EQ(Field(dialog, IDC_GOODPING), L"0");
        EXPECT_EQ(Field(dialog, IDC_BUDDIES), L"Ann\r\n\r\nBob");
        SetField(dialog, IDC_QPS, L"-4");
        SetField(dialog, IDC_MEDIUMPING, L"-50");
        PressOk(dialog);
    });
    EXPECT_EQ(settings.packetsPerSecond, 10);
    EXPECT_EQ(settings.mediumPingThreshold, -50);

    Close();
    ASSERT_NE(Open(master_.port(), QuickFailingMaster(), true), nullptr);
    EXPECT_EQ(State().settings.goodPingThreshold, 100) << "the stored 0 is the default again";
    EXPECT_EQ(GamePathText(State().settings.gameExecutable), u"skelvane.exe");
    EXPECT_EQ(GamePathText(State().settings.gameDirectory), u"C:\\Games\\Skelvane\\");

    // Paths of 259 characters, one more than a field keeps, the directory
    // without its backslash: OK without an edit leaves them as they are.
    Settings& reopened = State().settings;
    std::u16string(255, u'x').append(u".exe").copy(reopened.gameExecutable, 259);
    std::u16string(259, u'd').copy(reopened.gameDirectory, 259);
    const ConfigFields looked = ConfigFieldsOf(reopened);
    WithDialog(PressOk);
    EXPECT_TRUE(ConfigFieldsOf(reopened) == looked) << "OK without an edit changed a setting";
}

// Nothing is pumped after the dialog closes: what is on screen then was
// painted by applying it.
TEST_F(ConfigDialog, NewBuddiesAndThresholdsShowInBothListsAtOnce) {
    const std::vector<std::vector<std::u16string>> players = {
        {u"Ann", u"xBobx"}, {u"Carl"}, {u"bob"}, {}, {u"xbobx", u"Bo"}};
    HandOverRecords(players.size(), [&](ServerRecord& record, std::size_t i) {
        record.ping = static_cast<std::uint32_t>(50 + i);
        record.maxClients = 8;
        record.playerCount = static_cast<std::int32_t>(players[i].size());
        for (std::size_t p = 0; p < players[i].size(); ++p) {
            players[i][p].copy(record.players[p].name, kPlayerNameCapacity - 1);
        }
    });
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(players.size()); ++i) {
        State().bridge->Mailbox().PutParsed(i);
    }
    DeliverMailbox(State());
    RepaintServerListNow(State().view);
    HWND playerList = Control(IDC_PLAYERLIST);
    ListView_SetItemState(ServerList(), 0, LVIS_SELECTED, LVIS_SELECTED);
    PumpFor(100);
    ASSERT_EQ(RowCount(playerList), 2);
    EXPECT_EQ(Highlights(ServerList()), std::vector<bool>(5, false));
    EXPECT_EQ(CellImage(ServerList(), 1, 5), kImagePingGood);

    WithDialog([](HWND dialog) {
        SetField(dialog, IDC_BUDDIES, L"Bob");
        SetField(dialog, IDC_GOODPING, L"");
        PressOk(dialog);
    });
    // Row 0 is selected and drawn in the selection's colours.
    EXPECT_EQ(Highlights(ServerList()), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(Highlights(playerList), (std::vector<bool>{false, true}));
    EXPECT_EQ(CellImage(ServerList(), 1, 5), kImagePingMedium);
    ListView_SetItemState(ServerList(), 0, 0, LVIS_SELECTED);
    UpdateWindow(ServerList());
    EXPECT_EQ(Highlights(ServerList()), (std::vector<bool>{true, false, true, false, false}));
}

}  // namespace
}  // namespace skelvane::test
