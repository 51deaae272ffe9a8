// Prints what buddy highlighting and the settings store cost in the real main
// window, medians of 20 runs each:
//   - a full repaint of the server list, every row a 64-player server, with a
//     200-name buddy list that matches nobody (every name is compared) against
//     the same repaint with no buddy list, and the matching alone for the
//     rows of that page;
//   - loading the settings from the registry with a buddy list of 100,000
//     characters, parsed, against loading them with an empty list.
//
//   settings_paint_bench.exe

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/browser_win32.h"
#include "app/main_dialog_win32.h"
#include "app/refresh_bridge_win32.h"
#include "app/registry_key_win32.h"
#include "app/settings_store_win32.h"
#include "bench/windows/bench_support.h"
#include "browse/buddy_list.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "settings/settings_store.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {
namespace {

constexpr int kRuns = 20;
constexpr int kServers = 300;

double MedianMs(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const double start = NowMs();
        run();
        times.push_back(NowMs() - start);
    }
    return Median(times);
}

// A name like the ones players pick: a word and a number.
std::u16string PlayerName(int seed) {
    static const char16_t* const kWords[] = {u"Quill", u"Tallow", u"Sprocket", u"Moss",
                                             u"Kite",  u"Ember",  u"Nimbus",   u"Wren"};
    std::u16string name = kWords[seed % 8];
    for (const char digit : std::to_string(seed)) {
        name.push_back(static_cast<char16_t>(digit));
    }
    return name;
}

// Every server full of players, all answered and listed.
void ListFullServers(Browser& browser) {
    HWND window = browser.mainWindow;
    SendMessageW(window, WM_APP_FORGET_TABLE, 0, 0);
    ServerTable& table = browser.engine->table;
    ReplaceTable(table);
    GrowTable(table, kServers);
    for (int i = 0; i < kServers; ++i) {
        AppendServer(table, 0x0100007F, static_cast<std::uint16_t>(20000 + i));
        ServerRecord& record = table[i];
        PlayerName(i).copy(record.hostName, kLongTextCapacity - 1);
        record.responded = 1;
        record.maxClients = kMaxPlayers;
        record.playerCount = kMaxPlayers;
        record.ping = static_cast<std::uint32_t>(i);
        for (int p = 0; p < kMaxPlayers; ++p) {
            PlayerName(i * kMaxPlayers + p).copy(record.players[p].name, kPlayerNameCapacity - 1);
        }
    }
    SendMessageW(window, WM_APP_TAKE_TABLE, 0, 0);
    for (int i = 0; i < kServers; ++i) {
        browser.bridge->Mailbox().PutParsed(i);
    }
    DeliverMailbox(browser);
    RepaintServerListNow(browser.view);
    PumpMessages();
}

// Buddies shaped like the players' names, none of them a player's.
std::u16string BuddyText(int names) {
    std::u16string text;
    for (int i = 0; i < names; ++i) {
        text += PlayerName(1000000 + i) + u"\r\n";
    }
    return text;
}

double RepaintMs(const Presentation& view) {
    return MedianMs([&view] {
        InvalidateRect(view.serverList, nullptr, TRUE);
        UpdateWindow(view.serverList);
    });
}

void PrintRepaints(Browser& browser) {
    Presentation& view = browser.view;
    view.buddies = ParseBuddyList(u"");
    const double plain = RepaintMs(view);
    view.buddies = ParseBuddyList(BuddyText(200));
    const double buddies = RepaintMs(view);
    const int rows = ListView_GetCountPerPage(view.serverList);
    bool anyBuddy = false;
    const double matching = MedianMs([&] {
        for (int row = 0; row < rows; ++row) {
            anyBuddy = ServerHasBuddy(view.buddies, *RecordAtRow(view, row)) || anyBuddy;
        }
    });
    std::printf(
        "repaint of %d rows of 64 players: 200 buddies %.2f ms, no buddies %.2f ms, ratio %.2f; "
        "matching alone %.3f ms%s\n",
        rows, buddies, plain, buddies / plain, matching, anyBuddy ? " (a buddy matched!)" : "");
}

double LoadMs(Browser& browser, const std::u16string& buddies) {
    const RegistryKey key =
        RegistryKey::Create(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath), KEY_ALL_ACCESS);
    key.Write(AsWide(kVersionValue), NumberValue(kCurrentFormatVersion));
    key.Write(AsWide(kBuddyListValue), TextValue(buddies));
    return MedianMs([&browser] {
        LoadSettings(browser.mainWindow, browser.settings);
        browser.view.buddies = ParseBuddyList(browser.settings.buddyText);
    });
}

int Run() {
    const QuietMainWindow opened = OpenQuietMainWindow();
    Browser* browser = opened.browser.get();
    if (browser == nullptr) {
        return 1;
    }
    WaitForQuietRefresh(*browser);
    ListFullServers(*browser);
    PrintRepaints(*browser);

    std::u16string longList;
    while (longList.size() < 100000) {
        longList += PlayerName(static_cast<int>(longList.size())) + u"\r\n";
    }
    longList.resize(100000);
    const double empty = LoadMs(*browser, u"");
    const double full = LoadMs(*browser, longList);
    std::printf("load: 100000-character buddy list %.2f ms (%d names), empty list %.2f ms\n", full,
                browser->view.buddies.buddyCount, empty);
    ForgetBrowser(browser->mainWindow);
    DestroyWindow(browser->mainWindow);
    RegDeleteTreeW(HKEY_CURRENT_USER, AsWide(kSettingsKeyPath));
    return 0;
}

}  // namespace
}  // namespace skelvane

int main() {
    return skelvane::Run();
}
