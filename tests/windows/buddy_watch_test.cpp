// Watching for buddies in the main window: the notification-area icon, the
// alerts read back from the windows Wine shows for them, closing to the
// notification area and leaving through the icon's menu.

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/buddy_watch_win32.h"
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

// Wine keeps the icons of the notification area in a window of its own when
// the desktop has no tray, one child window per icon.
std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr);
         tray != nullptr && icon != nullptr;
         icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
        if (IsWindowVisible(icon)) {
            icons.push_back(icon);
        }
    }
    return icons;
}

// The text of the balloon on screen: Wine shows it as a tooltip of its own
// process, which answers WM_GETTEXT with it. Empty when none is shown.
std::wstring BalloonText() {
    for (HWND tip = FindWindowW(L"tooltips_class32", nullptr); tip != nullptr;
         tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(tip, &process);
        wchar_t text[512] = L"";
        DWORD_PTR length = 0;
        if (process != GetCurrentProcessId() && IsWindowVisible(tip) &&
            SendMessageTimeoutW(tip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                                SMTO_ABORTIFHUNG, 1000, &length) != 0 &&
            length > 0) {
            return text;
        }
    }
    return {};
}

// A click on the icon as Wine's tray window passes it on.
void ClickIcon(HWND icon, UINT down, UINT up) {
    PostMessageW(icon, down, 0, MAKELPARAM(4, 4));
    PostMessageW(icon, up, 0, MAKELPARAM(4, 4));
}

void StoreNumber(HKEY key, const char16_t* name, DWORD value) {
    RegSetValueExW(key, AsWide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

class BuddyWatch : public BrowserWindowTest {
  protected:
    // Alpha answers every query and has Kite on it; Bravo answers only its
    // fourth, the first of the second refresh, and has Fox on it.
    void SetUp() override {
        const std::string alpha =
            "\\sv_hostname\\Alpha\\mapname\\dm1\\sv_maxclients\\8\\version\\x";
        const std::string bravo =
            "\\sv_hostname\\Bravo\\mapname\\dm2\\sv_maxclients\\8\\version\\x";
        FakeServers::Behaviour answersFourth{
            StatusAnswer().InfoText(bravo).Player(3, 40, "Fox").Build(), {}};
        answersFourth.knobs.answerOnQuery = 4;
        games_ = std::make_unique<FakeServers>(std::vector<FakeServers::Behaviour>{
            {StatusAnswer().InfoText(alpha).Player(1, 20, "Kite").Build(), {}}, answersFourth});
        master_ = std::make_unique<FakeMaster>(FakeMaster::Script{{}, {games_->MasterAnswer()}, 0});
        ASSERT_TRUE(TrayIcons().empty()) << "an icon is left from before";
    }

    // The browser as it starts with a watch kept in its settings.
    void OpenWatching() {
        RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const wchar_t buddies[] = L"Kite\r\nFox";
        RegSetValueExW(key, AsWide(kBuddyListValue), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(buddies), sizeof buddies);
        StoreNumber(key, kVersionValue, 2);
        StoreNumber(key, kWatchForBuddiesValue, 1);
        RegCloseKey(key);
        ASSERT_NE(Open(master_->port(), ShortTiming(), true), nullptr);
        State().watch.pauseMs = 3000;
    }

    // Pumps until `done`, noting each balloon text that comes on screen.
    bool PumpNotingBalloons(const std::function<bool()>& done, std::uint32_t timeoutMs) {
        return PumpUntil(
            [&] {
                const std::wstring text = BalloonText();
                if (!text.empty() && (balloons_.empty() || balloons_.back() != text)) {
                    balloons_.push_back(text);
                }
                return done();
            },
            timeoutMs);
    }

    std::wstring SelectedHost() const {
        const int row = SelectedServerRow(State().view);
        return row < 0 ? L"" : CellText(ServerList(), row, 0);
    }

    std::unique_ptr<FakeServers> games_;
    std::unique_ptr<FakeMaster> master_;
    std::vector<std::wstring> balloons_;
};

TEST_F(BuddyWatch, ABuddyFoundByTheSecondRefreshRaisesOneAlertWhoseClickSelectsItsServer) {
    OpenWatching();
    ASSERT_EQ(TrayIcons().size(), 1u) << "a kept watch shows its icon at start";
    const std::wstring kite = L"Kite on Alpha";
    const std::wstring fox = L"Fox on Bravo\n127.0.0.1:" + std::to_wstring(games_->port(1));

    // The start's refresh names the buddy already playing; a click on its
    // balloon, as Windows reports one, selects the server.
    ASSERT_TRUE(PumpNotingBalloons([&] { return BalloonText() == kite; }, 5000)) << Status();
    SendMessageW(window_, WM_APP_NOTIFY_ICON, 0, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(SelectedHost(), L"Alpha");

    // The second refresh finds Fox. Closed, the window goes to the
    // notification area; a click on the icon brings it back at Fox's server.
    const auto shows = [this](const std::wstring& text) {
        const BuddyAlert* shown = State().watch.alerts.Shown();
        return shown != nullptr && std::wstring(AsWide(shown->text.c_str())) == text;
    };
    ASSERT_TRUE(PumpNotingBalloons([&] { return shows(fox); }, 5000)) << Status();
    SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(IsWindowVisible(window_));
    ClickIcon(TrayIcons().at(0), WM_LBUTTONDOWN, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window_) != FALSE; }, 2000));
    EXPECT_EQ(SelectedHost(), L"Bravo") << Status() << " rows " << RowCount(ServerList());
    // Wine shows a balloon a while after it is asked to.
    EXPECT_TRUE(PumpNotingBalloons([&] { return BalloonText() == fox; }, 5000));

    // The third refresh misses Fox (Bravo answers no more) and sees Kite
    // again: nothing to tell.
    ASSERT_TRUE(PumpNotingBalloons(
        [&] { return games_->Queries(0) >= 3 && !IsRefreshInProgress(Engine()); }, 5000));
    PumpNotingBalloons([] { return false; }, 300);
    EXPECT_EQ(balloons_, (std::vector<std::wstring>{kite, fox}));

    // The icon's menu ends the browser.
    const std::vector<MenuItemSeen> menu =
        ChooseFromMenu([] { ClickIcon(TrayIcons().at(0), WM_RBUTTONDOWN, WM_RBUTTONUP); }, L'x');
    EXPECT_EQ(MenuTexts(menu), (std::vector<std::wstring>{L"&Show Skelvane Server Browser",
                                                          L"&Watch for buddies", L"", L"E&xit"}));
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_TRUE(menu[1].checked);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window_); }, 2000));
    EXPECT_EQ(TakeQuitCode(), 0);
    EXPECT_TRUE(TrayIcons().empty());
    EXPECT_EQ(SavedNumber(kWatchForBuddiesValue), 1) << "the next start watches again";
}

TEST_F(BuddyWatch, OffAsAtAFirstStartOnFromTheServerMenuAndAMinimizedWindowPaintsNoList) {
    ASSERT_NE(Open(master_->port(), ShortTiming()), nullptr);
    ASSERT_TRUE(WaitForRefreshEnd());
    EXPECT_TRUE(TrayIcons().empty()) << "no icon while not watching";
    // The server's menu, choosing "Watch for buddies": is it checked?
    const auto chooseWatch = [this] {
        constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(ServerList(), 0, kMarks, kMarks);
        const std::vector<MenuItemSeen> menu =
            ChooseFromMenu([this] { PressKey(ServerList(), {VK_APPS}); }, L'w');
        const auto item = std::find_if(menu.begin(), menu.end(), [](const MenuItemSeen& seen) {
            return seen.text == L"&Watch for buddies";
        });
        EXPECT_NE(item, menu.end());
        return item != menu.end() && item->checked;
    };

    EXPECT_FALSE(chooseWatch());
    EXPECT_EQ(TrayIcons().size(), 1u);
    EXPECT_TRUE(IsRefreshInProgress(Engine())) << "a watch starts with a refresh";
    ASSERT_TRUE(WaitForRefreshEnd());

    // Minimized or closed while watching, the window goes to the notification
    // area; a refresh then fills the list and writes the status bar only
    // once the window is shown again.
    const auto hiddenRefresh = [this](UINT message, WPARAM wParam, std::int32_t rows) {
        const std::wstring before = StatusPartText(window_, 0);
        SendMessageW(window_, message, wParam, 0);
        EXPECT_FALSE(IsWindowVisible(window_));
        Click(IDC_UPDATE);
        ASSERT_TRUE(WaitForRefreshEnd());
        EXPECT_EQ(RowCount(ServerList()), rows);
        EXPECT_TRUE(State().view.repaintWhenShown);
        EXPECT_TRUE(State().view.redrawPaused) << "the list's redrawing stays off while hidden";
        EXPECT_EQ(StatusPartText(window_, 0), before) << "nothing written while hidden";
        ClickIcon(TrayIcons().at(0), WM_LBUTTONDOWN, WM_LBUTTONUP);
        ASSERT_TRUE(
            PumpUntil([&] { return IsWindowVisible(window_) && !IsIconic(window_); }, 2000));
        EXPECT_FALSE(State().view.repaintWhenShown);
        EXPECT_FALSE(State().view.redrawPaused);
        EXPECT_EQ(StatusPartText(window_, 0),
                  L"Completed. " + std::to_wstring(rows) + L" of 2 servers responded.");
    };
    // Bravo answers only its fourth query, in the watch's first refresh.
    hiddenRefresh(WM_SYSCOMMAND, SC_MINIMIZE, 1);
    hiddenRefresh(WM_CLOSE, 0, 1);

    EXPECT_TRUE(chooseWatch());
    EXPECT_TRUE(TrayIcons().empty());
    SendMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window_)) << "not watching, closing ends the browser";
    EXPECT_NE(SavedNumber(kWatchForBuddiesValue), 1)
        << "switched off, the next start does not watch";
}

}  // namespace
}  // namespace skelvane::test
