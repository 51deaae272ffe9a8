#include "ui/player_list_view_win32.h"

#include "browse/column_widths.h"
#include "browse/player_columns.h"
#include "platform/win32/wide_text.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

// A player row: its cells come from the callback, its item data is the
// player's index in the record shown. Unlike an address into the table, an
// index can be checked against the table as it is now.
void InsertPlayerRow(HWND playerList, int index) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.iImage = 0;
    item.lParam = index;
    ListView_InsertItem(playerList, &item);
}

struct PlayerSort {
    const Presentation* view;
    int column;
};

int CALLBACK ComparePlayerRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const PlayerSort*>(context);
    const PlayerRecord* a = PlayerOfRow(*sort.view, first);
    const PlayerRecord* b = PlayerOfRow(*sort.view, second);
    return a != nullptr && b != nullptr ? ComparePlayers(*a, *b, sort.column) : 0;
}

}  // namespace

bool InsertPlayerColumns(HWND playerList) {
    RECT client{};
    GetClientRect(playerList, &client);
    for (int i = 0; i < kPlayerColumnCount; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = InitialColumnWidth(kPlayerColumnPercents[i], client.right - client.left);
        column.pszText = const_cast<wchar_t*>(AsWide(kPlayerColumnTitles[i]));
        column.iSubItem = i;
        if (ListView_InsertColumn(playerList, i, &column) == -1) {
            return false;
        }
    }
    return true;
}

void FillPlayerList(Presentation& view) {
    ClearPlayerList(view);
    const int row = ListView_GetNextItem(view.serverList, -1, LVNI_SELECTED);
    const ServerRecord* record = RecordAtRow(view, row);
    if (record == nullptr) {
        return;
    }
    view.playerServer = RecordIndexAtRow(view, row);
    for (int i = 0; i < ReadablePlayerCount(*record); ++i) {
        InsertPlayerRow(view.playerList, i);
    }
}

void ClearPlayerList(Presentation& view) {
    view.playerServer = -1;
    ListView_DeleteAllItems(view.playerList);
}

const PlayerRecord* PlayerOfRow(const Presentation& view, LPARAM itemData) {
    const ServerTable& table = view.engine->table;
    if (!view.tableReadable || view.playerServer < 0 || view.playerServer >= table.Count()) {
        return nullptr;
    }
    const ServerRecord& record = table[view.playerServer];
    if (itemData < 0 || itemData >= ReadablePlayerCount(record)) {
        return nullptr;
    }
    return &record.players[itemData];
}

void FillPlayerCell(const Presentation& view, NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    const PlayerRecord* player = PlayerOfRow(view, item.lParam);
    const bool wantsText = (item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr &&
                           item.pszText != LPSTR_TEXTCALLBACKW && item.cchTextMax > 0;
    if (player != nullptr && wantsText) {
        FormatPlayerCell(*player, item.iSubItem, AsUtf16(item.pszText), item.cchTextMax);
    }
}

void SortPlayerList(const Presentation& view, int column) {
    PlayerSort context{&view, column};
    ListView_SortItems(view.playerList, ComparePlayerRows, reinterpret_cast<LPARAM>(&context));
}

// The list view of the template does not come back: the first switch goes
// to the details view, and from then on the two alternate.
void TogglePlayerView(Presentation& view, bool isXpOrLater) {
    if (!isXpOrLater) {
        return;
    }
    std::int32_t& style = view.settings->playerViewStyle;
    ListView_SetView(view.playerList, style != 0 ? LV_VIEW_SMALLICON : LV_VIEW_DETAILS);
    style = style == 0 ? 1 : 0;
}

void RestorePlayerView(const Presentation& view, bool isXpOrLater) {
    if (view.settings->playerViewStyle != 0 && isXpOrLater) {
        ListView_SetView(view.playerList, LV_VIEW_DETAILS);
    }
}

}  // namespace skelvane
