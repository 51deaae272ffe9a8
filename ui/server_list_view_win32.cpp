#include "ui/server_list_view_win32.h"

#include "platform/clock.h"
#include "res/resource.h"
#include "ui/column_widths.h"
#include "ui/player_list_view_win32.h"
#include "ui/server_columns.h"
#include "ui/status_bar_win32.h"
#include "ui/wide_text.h"

namespace skelvane {

namespace {

constexpr DWORD kListExtendedStyles = LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT;

struct SortContext {
    const ServerTable* table;
    std::uint32_t order;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    return CompareServers((*sort.table)[static_cast<std::int32_t>(first)],
                          (*sort.table)[static_cast<std::int32_t>(second)], sort.order);
}

void SortServerList(const Presentation& view, std::uint32_t order) {
    SortContext context{&view.engine->table, order};
    ListView_SortItems(view.serverList, CompareRows, reinterpret_cast<LPARAM>(&context));
}

// The record behind a row's item data, or null when it may not be read: the
// table is being replaced, or the row outlived the table it was made for.
const ServerRecord* ReadableRecord(const Presentation& view, LPARAM itemData) {
    if (!view.tableReadable || itemData < 0 || itemData >= view.engine->table.Count()) {
        return nullptr;
    }
    return &view.engine->table[static_cast<std::int32_t>(itemData)];
}

// A record may have a row when its answer has been parsed and the filters pass it.
bool IsListable(const Presentation& view, std::int32_t index) {
    const RefreshSettings& filters = view.engine->settings;
    return view.tableReadable && index >= 0 &&
           static_cast<std::size_t>(index) < view.parsed.size() && view.parsed[index] != 0 &&
           IsServerShown(view.engine->table[index], filters.showFull.load(),
                         filters.showEmpty.load());
}

LPARAM RowItemData(HWND serverList, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(serverList, &item);
    return item.lParam;
}

// Where a new row goes so that the list stays in the current order: after
// every row that sorts before it or equal to it, found by binary search.
int SortedPosition(const Presentation& view, const ServerRecord& record) {
    const ServerTable& table = view.engine->table;
    int low = 0;
    int high = ListView_GetItemCount(view.serverList);
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const auto other = static_cast<std::int32_t>(RowItemData(view.serverList, middle));
        if (CompareServers(record, table[other], view.settings->sortOrder) < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

void InsertServerRow(const Presentation& view, std::int32_t index, int position) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.iImage = OsIconForVersion(view.engine->table[index].version);
    item.lParam = index;
    ListView_InsertItem(view.serverList, &item);
}

// An answer's row goes in with redrawing off, and redrawing stays off until
// the sweep asks for a repaint or the user changes the list: otherwise the
// list updates its scroll bars and repaints on every single insertion, which
// costs far more than the insertion itself once answers come by the hundred.
void PauseRedraw(Presentation& view) {
    if (!view.redrawPaused) {
        SendMessageW(view.serverList, WM_SETREDRAW, FALSE, 0);
        view.redrawPaused = true;
    }
}

void ResumeRedraw(Presentation& view) {
    if (view.redrawPaused) {
        SendMessageW(view.serverList, WM_SETREDRAW, TRUE, 0);
        view.redrawPaused = false;
    }
}

void ShowCounts(Presentation& view) {
    UpdateCounts(view.statusBar, view.shownPlayers, view.shownServers);
}

void DeleteAllRows(const Presentation& view) {
    ListView_DeleteAllItems(view.serverList);
    ListView_DeleteAllItems(view.playerList);
}

std::int32_t CountListable(const Presentation& view) {
    std::int32_t listable = 0;
    for (std::size_t i = 0; i < view.parsed.size(); ++i) {
        listable += IsListable(view, static_cast<std::int32_t>(i)) ? 1 : 0;
    }
    return listable;
}

// Every listable record in table order, then one sort.
void RebuildServerRows(Presentation& view) {
    PauseRedraw(view);
    ListView_DeleteAllItems(view.serverList);
    view.shownServers = 0;
    view.shownPlayers = 0;
    for (std::size_t i = 0; i < view.parsed.size(); ++i) {
        const auto index = static_cast<std::int32_t>(i);
        if (!IsListable(view, index)) {
            continue;
        }
        view.shownServers += 1;
        view.shownPlayers += view.engine->table[index].playerCount;
        InsertServerRow(view, index, ListView_GetItemCount(view.serverList));
    }
}

std::int32_t CheckState(HWND mainWindow, int id) {
    return IsDlgButtonChecked(mainWindow, id) == BST_CHECKED ? 1 : 0;
}

}  // namespace

void SetListExtendedStyles(HWND list) {
    // A zero mask replaces every extended style, so nothing else stays on.
    ListView_SetExtendedListViewStyleEx(list, 0, kListExtendedStyles);
}

bool InsertServerColumns(HWND serverList, ViewSettings& settings) {
    RECT client{};
    GetClientRect(serverList, &client);
    for (int i = 0; i < kServerColumnCount; ++i) {
        const ColumnDef& def = kServerColumns[i];
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = InitialColumnWidth(def.widthPercent, client.right - client.left);
        column.pszText = const_cast<wchar_t*>(AsWide(def.title));
        column.iSubItem = i;
        if (def.kind == KIND_PING) {
            settings.sortOrder = static_cast<std::uint32_t>(i);
        }
        if (ListView_InsertColumn(serverList, i, &column) == -1) {
            return false;
        }
    }
    return true;
}

void ForgetTable(Presentation& view) {
    view.tableReadable = false;
    view.parsed.clear();
    DeleteAllRows(view);
    ResumeRedraw(view);
}

void TakeTable(Presentation& view) {
    view.parsed.assign(static_cast<std::size_t>(view.engine->table.Count()), 0);
    view.tableReadable = true;
    DeleteAllRows(view);
    ResumeRedraw(view);
    view.shownServers = 0;
    view.shownPlayers = 0;
    ShowCounts(view);
}

bool AddParsedServer(Presentation& view, std::int32_t index) {
    if (!view.tableReadable || index < 0 || static_cast<std::size_t>(index) >= view.parsed.size() ||
        view.parsed[index] != 0) {
        return false;
    }
    view.parsed[index] = 1;
    if (!IsListable(view, index)) {
        return false;
    }
    const ServerRecord& record = view.engine->table[index];
    PauseRedraw(view);
    InsertServerRow(view, index, SortedPosition(view, record));
    view.shownServers += 1;
    view.shownPlayers += record.playerCount;
    ShowCounts(view);
    return true;
}

void FillServerCell(const Presentation& view, NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    const ServerRecord* record = ReadableRecord(view, item.lParam);
    if (item.iSubItem < 0 || item.iSubItem >= kServerColumnCount || record == nullptr) {
        return;
    }
    const bool wantsText = (item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr &&
                           item.pszText != LPSTR_TEXTCALLBACKW && item.cchTextMax > 0;
    char16_t unused[1];
    std::int32_t image = kImageServer;
    FormatServerCell(
        *record, item.iSubItem,
        PingThresholds{view.settings->goodPingThreshold, view.settings->mediumPingThreshold},
        wantsText ? AsUtf16(item.pszText) : unused, wantsText ? item.cchTextMax : 1, &image);
    if (kServerColumns[item.iSubItem].kind == KIND_PING) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
}

void OnServerColumnClick(Presentation& view, int column) {
    std::uint32_t order = static_cast<std::uint32_t>(column);
    if (order == view.settings->sortOrder) {
        order |= SORT_REVERSED;
    }
    RepaintServerListNow(view);
    SortServerList(view, order);
    view.settings->sortOrder = order;
}

void RepaintServerList(Presentation& view) {
    const std::uint32_t now = MillisecondClock();
    if (view.repaintThrottle.TryNow(now)) {
        RepaintServerListNow(view);
        return;
    }
    SetTimer(GetParent(view.serverList), kListRepaintTimer, view.repaintThrottle.WaitMs(now) + 1,
             nullptr);
}

void RepaintServerListNow(Presentation& view) {
    KillTimer(GetParent(view.serverList), kListRepaintTimer);
    ResumeRedraw(view);
    InvalidateRect(view.serverList, nullptr, FALSE);
}

void ApplyFilterChange(Presentation& view, HWND mainWindow) {
    view.engine->settings.showEmpty.store(CheckState(mainWindow, IDC_SHOWEMPTY));
    view.engine->settings.showFull.store(CheckState(mainWindow, IDC_SHOWFULL));
    if (CountListable(view) == view.shownServers) {
        return;
    }
    RebuildServerRows(view);
    FillPlayerList(view);
    ShowCounts(view);
    SortServerList(view, view.settings->sortOrder);
    RepaintServerListNow(view);
}

}  // namespace skelvane
