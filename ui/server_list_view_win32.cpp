#include "ui/server_list_view_win32.h"

#include <algorithm>
#include <iterator>

#include "browse/column_widths.h"
#include "browse/server_columns.h"
#include "engine/ascii_text.h"
#include "platform/clock.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "ui/out_of_sight_win32.h"
#include "ui/player_list_view_win32.h"
#include "ui/status_bar_win32.h"

namespace skelvane {

namespace {

constexpr DWORD kListExtendedStyles = LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT;

const ServerTable& Table(const Presentation& view) {
    return view.engine->table;
}

bool IsListOutOfSight(const Presentation& view) {
    return IsOutOfSight(GetParent(view.serverList));
}

// A record may have a row when its answer has been parsed and the filters,
// the find text among them, pass it.
bool IsListable(const Presentation& view, std::int32_t index) {
    return view.tableReadable && index >= 0 &&
           static_cast<std::size_t>(index) < view.parsed.size() && view.parsed[index] != 0 &&
           IsServerListed(Table(view)[index], ListFilter(view),
                          view.foundTexts[static_cast<std::size_t>(index)]);
}

// Whether the row of record `a` goes before that of record `b` in an order.
auto GoesBefore(const Presentation& view, std::uint32_t order) {
    return [&table = Table(view), order](std::int32_t a, std::int32_t b) {
        return CompareServers(table[a], table[b], order) < 0;
    };
}

// Puts a record where it goes in records kept in the current order: after
// every record that sorts before it or equal to it.
void InsertInOrder(const Presentation& view, std::vector<std::int32_t>& records,
                   std::int32_t index) {
    records.insert(std::upper_bound(records.begin(), records.end(), index,
                                    GoesBefore(view, view.settings->sortOrder)),
                   index);
}

// Rows that compare equal keep the order they had, so sorting by a column that
// imposes no order (IP Address) leaves the list as it was.
void SortRows(Presentation& view, std::uint32_t order) {
    std::stable_sort(view.rows.begin(), view.rows.end(), GoesBefore(view, order));
    std::stable_sort(view.ordered.begin(), view.ordered.end(), GoesBefore(view, order));
}

// The list keeps its selection by row number; when rows move, the selection
// is moved after its server, as it would be if the rows were the list's own.
// The players shown are those of the same server, so they stay as they are.
void FollowRecord(Presentation& view, std::int32_t record) {
    if (record < 0) {
        return;
    }
    const auto found = std::find(view.rows.begin(), view.rows.end(), record);
    const int row = static_cast<int>(found - view.rows.begin());
    if (found == view.rows.end() || row == SelectedServerRow(view)) {
        return;
    }
    constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
    view.followingRecord = true;
    ListView_SetItemState(view.serverList, row, kMarks, kMarks);
    view.followingRecord = false;
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

// The list learns how many rows there are; their contents it asks for.
void ShowRowCount(const Presentation& view) {
    ListView_SetItemCountEx(view.serverList, static_cast<int>(view.rows.size()),
                            LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ShowCounts(Presentation& view) {
    UpdateCounts(view.statusBar, view.shownPlayers, view.shownServers);
}

void DeleteAllRows(Presentation& view) {
    view.rows.clear();
    view.shownServers = 0;
    view.shownPlayers = 0;
    ListView_DeleteAllItems(view.serverList);
    ClearPlayerList(view);
}

void AddRow(Presentation& view, std::int32_t index) {
    InsertInOrder(view, view.rows, index);
    view.shownServers += 1;
    view.shownPlayers += Table(view)[index].playerCount;
}

// The counts of rows that were taken out or put in some other way than AddRow.
void RecountRows(Presentation& view) {
    view.shownServers = static_cast<std::int32_t>(view.rows.size());
    view.shownPlayers = 0;
    for (const std::int32_t index : view.rows) {
        view.shownPlayers += Table(view)[index].playerCount;
    }
}

// Every listable record, in table order.
std::vector<std::int32_t> ListableRecords(const Presentation& view) {
    std::vector<std::int32_t> records;
    for (std::size_t i = 0; i < view.parsed.size(); ++i) {
        if (IsListable(view, static_cast<std::int32_t>(i))) {
            records.push_back(static_cast<std::int32_t>(i));
        }
    }
    return records;
}

// The selected row and its record, taken before the rows change.
struct Selection {
    int row;
    std::int32_t record;
};

Selection TakeSelection(const Presentation& view) {
    const int row = SelectedServerRow(view);
    return Selection{row, RecordIndexAtRow(view, row)};
}

// The rows have changed under the list without a rebuild: the list learns
// their number, the counts follow, and the selected server stays selected
// while it has a row. When it has none nothing is selected, and its players
// go with it; its old row is let go while the list still has it, which costs
// far less than letting go of every row.
void ShowChangedRows(Presentation& view, const Selection& before) {
    RecountRows(view);
    const bool stays =
        std::find(view.rows.begin(), view.rows.end(), before.record) != view.rows.end();
    if (!stays && before.row >= 0) {
        ListView_SetItemState(view.serverList, before.row, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ClearPlayerList(view);
    }
    ShowRowCount(view);
    if (stays) {
        FollowRecord(view, before.record);
    }
    ShowCounts(view);
    RepaintServerListNow(view);
}

// A record whose answer was announced for the first time, and may be read.
bool TakeAnnouncement(Presentation& view, std::int32_t index) {
    if (!view.tableReadable || index < 0 || static_cast<std::size_t>(index) >= view.parsed.size() ||
        view.parsed[index] != 0) {
        return false;
    }
    view.parsed[index] = 1;
    view.foundTexts[static_cast<std::size_t>(index)] = FoundTextOf(Table(view)[index]);
    return true;
}

// Every listable record in table order; sorting comes after.
void RebuildServerRows(Presentation& view, std::vector<std::int32_t> listable) {
    PauseRedraw(view);
    DeleteAllRows(view);
    view.rows = std::move(listable);
    RecountRows(view);
    ShowRowCount(view);
}

std::int32_t CheckState(HWND mainWindow, int id) {
    return IsDlgButtonChecked(mainWindow, id) == BST_CHECKED ? 1 : 0;
}

bool StartsWithIgnoringAsciiCase(const char16_t* text, const wchar_t* prefix) {
    for (; *prefix != L'\0'; ++prefix, ++text) {
        if (*text == u'\0' ||
            FoldAsciiCase(*text) != FoldAsciiCase(static_cast<char16_t>(*prefix))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void SetListExtendedStyles(HWND list) {
    // A zero mask replaces every extended style, so nothing else stays on.
    ListView_SetExtendedListViewStyleEx(list, 0, kListExtendedStyles);
}

bool InsertServerColumns(HWND serverList, Settings& settings) {
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
    ++view.tablesForgotten;
    view.parsed.clear();
    view.foundTexts.clear();
    view.ordered.clear();
    DeleteAllRows(view);
    ResumeRedraw(view);
    ShowCounts(view);
}

void TakeTable(Presentation& view) {
    view.parsed.assign(static_cast<std::size_t>(Table(view).Count()), 0);
    view.foundTexts.assign(view.parsed.size(), std::u16string());
    view.ordered.clear();
    view.tableReadable = true;
    DeleteAllRows(view);
    ResumeRedraw(view);
    ShowCounts(view);
}

void AddParsedServers(Presentation& view, const std::vector<std::int32_t>& indices) {
    const std::int32_t selected = RecordIndexAtRow(view, SelectedServerRow(view));
    const std::size_t before = view.rows.size();
    for (const std::int32_t index : indices) {
        if (!TakeAnnouncement(view, index)) {
            continue;
        }
        InsertInOrder(view, view.ordered, index);
        if (IsListable(view, index)) {
            AddRow(view, index);
        }
    }
    if (view.rows.size() == before) {
        return;
    }
    PauseRedraw(view);
    ShowRowCount(view);
    FollowRecord(view, selected);
    ShowCounts(view);
}

int SelectedServerRow(const Presentation& view) {
    return ListView_GetNextItem(view.serverList, -1, LVNI_SELECTED);
}

std::int32_t RecordIndexAtRow(const Presentation& view, int row) {
    if (!view.tableReadable || row < 0 || static_cast<std::size_t>(row) >= view.rows.size()) {
        return -1;
    }
    const std::int32_t index = view.rows[static_cast<std::size_t>(row)];
    return index < Table(view).Count() ? index : -1;
}

const ServerRecord* RecordAtRow(const Presentation& view, int row) {
    const std::int32_t index = RecordIndexAtRow(view, row);
    return index >= 0 ? &Table(view)[index] : nullptr;
}

void FillServerCell(const Presentation& view, NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    const ServerRecord* record = RecordAtRow(view, item.iItem);
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
    if ((item.mask & LVIF_STATE) != 0 && item.iSubItem == 0) {
        item.state &= ~LVIS_OVERLAYMASK;
        if (IsFavourite(view.settings->favourites, Ipv4Endpoint{record->address, record->port})) {
            item.state |= INDEXTOOVERLAYMASK(kFavouriteOverlay);
        }
    }
    if (kServerColumns[item.iSubItem].kind == KIND_PING) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    } else if ((item.mask & LVIF_IMAGE) != 0) {
        // Column 0 shows the operating system. The other text columns have no
        // image, answered the way the list answers for a sub-item never given
        // one, which also keeps it from leaving room for an image there.
        item.iImage = item.iSubItem == 0 ? OsIconForVersion(record->version) : I_IMAGECALLBACK;
    }
}

int FindServerRow(const Presentation& view, const NMLVFINDITEMW& request) {
    const LVFINDINFOW& find = request.lvfi;
    const int count = static_cast<int>(view.rows.size());
    if ((find.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.psz == nullptr || count == 0) {
        return -1;
    }
    const int start = std::clamp(request.iStart, 0, count);
    const int steps = (find.flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < steps; ++step) {
        const int row = (start + step) % count;
        const ServerRecord* record = RecordAtRow(view, row);
        if (record != nullptr && StartsWithIgnoringAsciiCase(record->hostName, find.psz)) {
            return row;
        }
    }
    return -1;
}

void OnServerColumnClick(Presentation& view, int column) {
    std::uint32_t order = static_cast<std::uint32_t>(column);
    if (order == view.settings->sortOrder) {
        order |= SORT_REVERSED;
    }
    const std::int32_t selected = RecordIndexAtRow(view, SelectedServerRow(view));
    SortRows(view, order);
    view.settings->sortOrder = order;
    FollowRecord(view, selected);
    RepaintServerListNow(view);
}

void RepaintServerList(Presentation& view) {
    const std::uint32_t now = MillisecondClock();
    if (IsListOutOfSight(view) || view.repaintThrottle.TryNow(now)) {
        RepaintServerListNow(view);
        return;
    }
    SetTimer(GetParent(view.serverList), view.repaintTimer, view.repaintThrottle.WaitMs(now) + 1,
             nullptr);
}

// A window out of sight would not paint anyway; what matters is that the
// list's redrawing stays off, so that rows going in cost no layout work.
void RepaintServerListNow(Presentation& view) {
    KillTimer(GetParent(view.serverList), view.repaintTimer);
    if (IsListOutOfSight(view)) {
        view.repaintWhenShown = true;
        return;
    }
    view.repaintWhenShown = false;
    ResumeRedraw(view);
    InvalidateRect(view.serverList, nullptr, FALSE);
}

void RepaintServerRow(const Presentation& view, int row) {
    ListView_RedrawItems(view.serverList, row, row);
}

void RepaintServerListWhenShown(Presentation& view) {
    if (view.repaintWhenShown) {
        RepaintServerListNow(view);
    }
}

bool SelectServer(Presentation& view, const Ipv4Endpoint& server) {
    for (std::size_t row = 0; row < view.rows.size(); ++row) {
        const ServerRecord* record = RecordAtRow(view, static_cast<int>(row));
        if (record != nullptr && record->address == server.address && record->port == server.port) {
            constexpr UINT kMarks = LVIS_SELECTED | LVIS_FOCUSED;
            ListView_SetItemState(view.serverList, static_cast<int>(row), kMarks, kMarks);
            ListView_EnsureVisible(view.serverList, static_cast<int>(row), FALSE);
            return true;
        }
    }
    return false;
}

void ApplyFilterChange(Presentation& view, HWND mainWindow) {
    view.settings->showEmpty = CheckState(mainWindow, IDC_SHOWEMPTY);
    view.settings->showFull = CheckState(mainWindow, IDC_SHOWFULL);
    std::vector<std::int32_t> listable = ListableRecords(view);
    if (static_cast<std::int32_t>(listable.size()) == view.shownServers) {
        return;
    }
    RebuildServerRows(view, std::move(listable));
    FillPlayerList(view);
    ShowCounts(view);
    SortRows(view, view.settings->sortOrder);
    RepaintServerListNow(view);
}

ServerFilter ListFilter(const Presentation& view) {
    return ServerFilter{view.settings->showFull, view.settings->showEmpty, &view.find};
}

// No keystroke sorts: typing on narrows the rows as a rule, and the rows that
// stay are taken out of the rows there are; any other change takes the rows
// out of every answered record, kept in the current order.
void ApplyFindText(Presentation& view, std::u16string_view typed) {
    FindText next(typed);
    if (next == view.find) {
        return;
    }
    const bool narrows = next.Narrows(view.find);
    view.find = std::move(next);
    const Selection before = TakeSelection(view);
    std::vector<std::int32_t> kept;
    const std::vector<std::int32_t>& from = narrows ? view.rows : view.ordered;
    std::copy_if(from.begin(), from.end(), std::back_inserter(kept),
                 [&view](std::int32_t index) { return IsListable(view, index); });
    view.rows = std::move(kept);
    ShowChangedRows(view, before);
}

void ServerRecordChanged(Presentation& view, std::int32_t index) {
    const Selection before = TakeSelection(view);
    view.foundTexts[static_cast<std::size_t>(index)] = FoundTextOf(Table(view)[index]);
    std::erase(view.rows, index);
    std::erase(view.ordered, index);
    InsertInOrder(view, view.ordered, index);
    if (IsListable(view, index)) {
        InsertInOrder(view, view.rows, index);
    }
    ShowChangedRows(view, before);
    if (before.record == index) {
        FillPlayerList(view);
    }
}

}  // namespace skelvane
