#include "app/join_server_win32.h"

#include "browse/server_columns.h"
#include "launch/game_launcher_win32.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

// The record's address, if it is still the server that was double-clicked:
// the same table, readable, and the index within it.
std::optional<std::u16string> AddressOfRecord(const Presentation& view, std::int32_t record,
                                              std::uint32_t tablesForgotten) {
    const ServerTable& table = view.engine->table;
    if (record < 0 || !view.tableReadable || view.tablesForgotten != tablesForgotten ||
        record >= table.Count()) {
        return std::nullopt;
    }
    char16_t address[kAddressTextCapacity];
    FormatServerAddress(table[record], address);
    return std::u16string(address);
}

// The search blocks this thread, so each text is painted at once rather than
// held back for a timer that cannot fire until the search is over.
void ShowStatusNow(StatusBar& bar, const char16_t* text) {
    ShowStatus(bar, text);
    FlushStatusBar(bar);
    UpdateWindow(bar.window);
}

}  // namespace

void JoinServer(Browser& browser, int row) {
    if (row != -1) {
        JoinRecord(browser, RecordIndexAtRow(browser.view, row), browser.view.tablesForgotten);
    }
}

void JoinRecord(Browser& browser, std::int32_t record, std::uint32_t tablesForgotten) {
    Presentation& view = browser.view;
    GameJoin join;
    join.owner = browser.mainWindow;
    join.gameDirectory = browser.settings.gameDirectory;
    join.gameExecutable = browser.settings.gameExecutable;
    join.showStatus = [&view](const char16_t* text) { ShowStatusNow(view.statusBar, text); };
    join.serverAddress = [&view, record, tablesForgotten] {
        return AddressOfRecord(view, record, tablesForgotten);
    };
    // The browser closes once the list, menu, key or window that asked for
    // the join is done with it, rather than under its feet.
    if (LaunchGame(join)) {
        PostMessageW(browser.mainWindow, WM_CLOSE, 0, 0);
    }
}

}  // namespace skelvane
