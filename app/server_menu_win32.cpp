#include "app/server_menu_win32.h"

#include <windowsx.h>

#include <commctrl.h>

#include "app/browser_win32.h"
#include "app/buddy_watch_win32.h"
#include "app/main_commands_win32.h"
#include "app/server_query_win32.h"
#include "res/resource.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

struct ServerMenuItem {
    // What the row sends through the main window's command routing.
    int command;
    const wchar_t* text;
    // Whether the row is on the menu for this server; null: always.
    bool (*isShown)(const Browser& browser, const ServerRecord& server);
    // Whether it can be chosen now; null: always.
    bool (*isEnabled)(const Browser& browser);
    // For a switch: whether it is on, shown by a check mark; null: no switch.
    bool (*isChecked)(const Browser& browser) = nullptr;
};

bool IsFavouriteServer(const Browser& browser, const ServerRecord& server) {
    return IsFavourite(browser.settings.favourites, Ipv4Endpoint{server.address, server.port});
}

bool IsNotFavouriteServer(const Browser& browser, const ServerRecord& server) {
    return !IsFavouriteServer(browser, server);
}

// A refresh asks every server itself, and one server is asked at a time.
bool CanAskOneServer(const Browser& browser) {
    return !IsRefreshInProgress(*browser.engine) && !IsServerQueryRunning(browser);
}

// The server list's context menu, top to bottom. Other commands are added as
// rows here; the commands themselves are carried out by the main window's
// command routing (OnCommand), where a key may send them too. The first row
// is what a double-click does, so it is the menu's default item (in bold).
constexpr ServerMenuItem kServerMenu[] = {
    {IDM_JOIN_SERVER, L"&Join\tEnter", nullptr, nullptr},
    {IDM_COPY_ADDRESS, L"&Copy address\tCtrl+C", nullptr, nullptr},
    {IDM_REFRESH_SERVER, L"&Refresh this server", nullptr, CanAskOneServer},
    {IDM_ADD_FAVOURITE, L"Add to &favourites", IsNotFavouriteServer, nullptr},
    {IDM_REMOVE_FAVOURITE, L"Remove from &favourites", IsFavouriteServer, nullptr},
    {IDM_QUICK_JOIN, L"Q&uick join\tCtrl+J", nullptr, nullptr},
    {IDM_WATCH_BUDDIES, L"&Watch for buddies", nullptr, nullptr, IsWatching},
    {IDM_SERVER_DETAILS, L"&Details...\tAlt+Enter", nullptr, nullptr},
};

// The row and where the menu opens: at the keyboard, below the selected row's
// name, scrolled into view first; for the mouse, the row under the pointer.
int ChosenRow(const Presentation& view, LPARAM position, POINT& at) {
    HWND list = view.serverList;
    if (position == -1) {
        const int row = SelectedServerRow(view);
        RECT bounds{};
        if (row < 0 || !ListView_EnsureVisible(list, row, FALSE) ||
            !ListView_GetItemRect(list, row, &bounds, LVIR_LABEL)) {
            return -1;
        }
        at = POINT{bounds.left, bounds.bottom};
        ClientToScreen(list, &at);
        return row;
    }
    at = POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    LVHITTESTINFO hit{};
    hit.pt = at;
    ScreenToClient(list, &hit.pt);
    return ListView_SubItemHitTest(list, &hit);
}

HMENU BuildServerMenu(const Browser& browser, const ServerRecord& server) {
    HMENU menu = CreatePopupMenu();
    for (const ServerMenuItem& item : kServerMenu) {
        if (item.isShown != nullptr && !item.isShown(browser, server)) {
            continue;
        }
        const bool enabled = item.isEnabled == nullptr || item.isEnabled(browser);
        const bool checked = item.isChecked != nullptr && item.isChecked(browser);
        AppendMenuW(
            menu,
            MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED) | (checked ? MF_CHECKED : MF_UNCHECKED),
            static_cast<UINT_PTR>(item.command), item.text);
    }
    SetMenuDefaultItem(menu, 0, TRUE);
    return menu;
}

// The commands act on the selected server; a right click selects the row it
// is on, so the menu's server is the selected one whichever way it opened.
void SelectRow(HWND list, int row) {
    constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, row, kMarks, kMarks);
}

}  // namespace

bool ShowServerMenu(Browser& browser, LPARAM position) {
    POINT at{};
    const int row = ChosenRow(browser.view, position, at);
    const ServerRecord* server = RecordAtRow(browser.view, row);
    if (server == nullptr) {
        return false;
    }
    SelectRow(browser.view.serverList, row);
    HMENU menu = BuildServerMenu(browser, *server);
    const int command =
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                       at.y, 0, browser.mainWindow, nullptr);
    DestroyMenu(menu);
    if (command != 0) {
        OnCommand(browser, command);
    }
    return true;
}

}  // namespace skelvane
