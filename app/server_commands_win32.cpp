#include "app/server_commands_win32.h"

#include <algorithm>

#include "app/browser_win32.h"
#include "app/clipboard_win32.h"
#include "app/join_server_win32.h"
#include "app/server_details_win32.h"
#include "app/server_query_win32.h"
#include "browse/quick_join.h"
#include "browse/server_columns.h"
#include "ui/server_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

// What the user changes in favourites that cannot be saved is kept until
// exit, and the user learns so at once rather than at the next start.
void ChangeFavourites(Browser& browser, void (*change)(FavouriteServers&, const Ipv4Endpoint&)) {
    const int row = SelectedServerRow(browser.view);
    const ServerRecord* record = RecordAtRow(browser.view, row);
    if (record == nullptr) {
        return;
    }
    FavouriteServers& favourites = browser.settings.favourites;
    change(favourites, Ipv4Endpoint{record->address, record->port});
    RepaintServerRow(browser.view, row);
    if (favourites.storedUnreadable) {
        ShowStatus(browser.view.statusBar,
                   u"The stored favourites can't be read, so this change lasts until the "
                   u"browser closes.");
    }
}

}  // namespace

void JoinSelectedServer(Browser& browser) {
    JoinServer(browser, SelectedServerRow(browser.view));
}

void QuickJoin(Browser& browser) {
    Presentation& view = browser.view;
    const std::int32_t record = ChooseQuickJoinServer(browser.engine->table, view.rows);
    const auto row = std::find(view.rows.begin(), view.rows.end(), record);
    if (record < 0 || row == view.rows.end()) {
        ShowStatus(view.statusBar, u"No server shown has a human on it and a free slot.");
        return;
    }
    const ServerRecord& server = browser.engine->table[record];
    SelectServer(view, Ipv4Endpoint{server.address, server.port});
    JoinServer(browser, static_cast<int>(row - view.rows.begin()));
}

void CopySelectedAddress(Browser& browser) {
    const ServerRecord* record = RecordAtRow(browser.view, SelectedServerRow(browser.view));
    if (record == nullptr) {
        return;
    }
    char16_t address[kAddressTextCapacity];
    FormatServerAddress(*record, address);
    PutClipboardText(browser.mainWindow, address);
}

void RefreshSelectedServer(Browser& browser) {
    const std::int32_t record = RecordIndexAtRow(browser.view, SelectedServerRow(browser.view));
    if (StartServerQuery(browser, record)) {
        DetailsRefreshStateChanged(browser);
    }
}

void AddSelectedToFavourites(Browser& browser) {
    ChangeFavourites(browser, AddFavourite);
}

void RemoveSelectedFromFavourites(Browser& browser) {
    ChangeFavourites(browser, RemoveFavourite);
}

}  // namespace skelvane
