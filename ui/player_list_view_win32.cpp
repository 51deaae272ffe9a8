#include "ui/player_list_view_win32.h"

#include <commctrl.h>

#include "ui/column_widths.h"

namespace skelvane {

namespace {

struct PlayerColumn {
    const wchar_t* title;
    int widthPercent;
};

constexpr PlayerColumn kPlayerColumns[] = {{L"Name", 50}, {L"Score", 25}, {L"Ping", 25}};

}  // namespace

bool InsertPlayerColumns(HWND playerList) {
    RECT client{};
    GetClientRect(playerList, &client);
    int index = 0;
    for (const PlayerColumn& def : kPlayerColumns) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = InitialColumnWidth(def.widthPercent, client.right - client.left);
        column.pszText = const_cast<wchar_t*>(def.title);
        column.iSubItem = index;
        if (ListView_InsertColumn(playerList, index, &column) == -1) {
            return false;
        }
        ++index;
    }
    return true;
}

void FillPlayerList(const Presentation& view) {
    ListView_DeleteAllItems(view.playerList);
}

}  // namespace skelvane
