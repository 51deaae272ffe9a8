#include "ui/details_window_win32.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "browse/column_widths.h"
#include "browse/humans_and_bots.h"
#include "browse/player_columns.h"
#include "browse/server_columns.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "sizer/sizer_win32.h"

namespace skelvane {

namespace {

struct DetailsColumn {
    const char16_t* title;
    std::int32_t widthPercent;
};

// The player list's own three columns and the bot mark.
constexpr DetailsColumn kPlayerColumns[] = {
    {u"Name", 37}, {u"Score", 23}, {u"Ping", 20}, {u"Bot", 20}};
constexpr DetailsColumn kRuleColumns[] = {{u"Variable", 40}, {u"Value", 60}};

// The server's texts stretch with the width; both lists with the height, the
// rules, whose values are the longest texts, with the width as well.
constexpr SizerAnchor kDetailsAnchors[] = {
    {IDC_DETAILS_NAME, SIZER_STRETCH_X},
    {IDC_DETAILS_COUNTS, SIZER_STRETCH_X},
    {IDC_DETAILS_PLAYERS, SIZER_STRETCH_Y},
    {IDC_DETAILS_RULES_LABEL, SIZER_STRETCH_X},
    {IDC_DETAILS_RULES, SIZER_STRETCH_X | SIZER_STRETCH_Y},
    {IDC_DETAILS_STATUS, SIZER_MOVE_Y | SIZER_STRETCH_X},
    {IDC_DETAILS_JOIN, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDC_DETAILS_REFRESH, SIZER_MOVE_X | SIZER_MOVE_Y},
    {IDCANCEL, SIZER_MOVE_X | SIZER_MOVE_Y},
    {-1, SIZER_TABLE_END},
};

// The cells both lists show, copied when the window is told what to show:
// the lists ask for them as they paint, and the window never reads a record
// later, so nothing it shows can be released under it.
using Row = std::vector<std::u16string>;
struct DetailsRows {
    std::vector<Row> players;
    std::vector<Row> rules;
};

// Null before WM_INITDIALOG and after WM_DESTROY.
DetailsRows* RowsOf(HWND details) {
    return reinterpret_cast<DetailsRows*>(GetWindowLongPtrW(details, DWLP_USER));
}

template <std::size_t Count>
void InsertColumns(HWND list, const DetailsColumn (&columns)[Count]) {
    ListView_SetExtendedListViewStyleEx(list, 0, LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(list, &client);
    for (std::size_t i = 0; i < Count; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = InitialColumnWidth(columns[i].widthPercent, client.right - client.left);
        column.pszText = const_cast<wchar_t*>(AsWide(columns[i].title));
        column.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
}

std::u16string PlayerCell(const PlayerRecord& player, int column) {
    char16_t text[kCellTextCapacity];
    FormatPlayerCell(player, column, text, kCellTextCapacity);
    return text;
}

std::vector<Row> PlayerRows(const ServerRecord& record) {
    std::vector<Row> rows;
    for (std::int32_t i = 0; i < ReadablePlayerCount(record); ++i) {
        const PlayerRecord& player = record.players[i];
        rows.push_back({PlayerCell(player, 0), PlayerCell(player, 1), PlayerCell(player, 2),
                        IsBot(player) ? u"bot" : u""});
    }
    return rows;
}

std::vector<Row> RuleRows(const ServerRules& rules) {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < rules.Count(); ++i) {
        rows.push_back({std::u16string(rules.Key(i)), std::u16string(rules.Value(i))});
    }
    if (rules.Dropped() > 0) {
        char16_t more[kCountTextCapacity];
        FormatText(more, u"(%d more not kept)", {rules.Dropped()});
        rows.push_back({more});
    }
    return rows;
}

void SetText(HWND details, int id, const char16_t* text) {
    SetDlgItemTextW(details, id, AsWide(text));
}

// The lists learn how many rows there are and paint them afresh.
void ShowRows(HWND details, DetailsRows rows) {
    DetailsRows& shown = *RowsOf(details);
    shown = std::move(rows);
    const std::pair<int, std::size_t> lists[] = {{IDC_DETAILS_PLAYERS, shown.players.size()},
                                                 {IDC_DETAILS_RULES, shown.rules.size()}};
    for (const auto& [id, count] : lists) {
        HWND list = GetDlgItem(details, id);
        ListView_SetItemCountEx(list, static_cast<int>(count), 0);
        InvalidateRect(list, nullptr, TRUE);
    }
}

// LVN_GETDISPINFOW of either list: a copied cell, cut to the list's buffer.
void FillCell(HWND details, NMLVDISPINFOW& request) {
    LVITEMW& item = request.item;
    const DetailsRows* rows = RowsOf(details);
    if (rows == nullptr) {
        return;
    }
    const std::vector<Row>& list =
        request.hdr.idFrom == IDC_DETAILS_PLAYERS ? rows->players : rows->rules;
    if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0 ||
        item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= list.size()) {
        return;
    }
    const Row& row = list[static_cast<std::size_t>(item.iItem)];
    const auto column = static_cast<std::size_t>(item.iSubItem);
    CopyText(AsUtf16(item.pszText), item.cchTextMax, column < row.size() ? row[column] : u"");
}

INT_PTR OnInitDialog(HWND details) {
    SetWindowLongPtrW(details, DWLP_USER, reinterpret_cast<LONG_PTR>(new DetailsRows()));
    InsertColumns(GetDlgItem(details, IDC_DETAILS_PLAYERS), kPlayerColumns);
    InsertColumns(GetDlgItem(details, IDC_DETAILS_RULES), kRuleColumns);
    SizerAttach(details, kDetailsAnchors, true, std::nullopt);
    return TRUE;
}

INT_PTR OnDestroy(HWND details) {
    delete RowsOf(details);
    SetWindowLongPtrW(details, DWLP_USER, 0);
    return TRUE;
}

// Join and Refresh act on the browser's own state, so the owner carries them out.
INT_PTR OnCommand(HWND details, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case IDCANCEL:
            ShowWindow(details, SW_HIDE);
            return TRUE;
        case IDC_DETAILS_JOIN:
        case IDC_DETAILS_REFRESH:
            SendMessageW(GetWindow(details, GW_OWNER), WM_COMMAND, wParam, lParam);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR OnNotify(HWND details, NMHDR& header) {
    if (header.code == LVN_GETDISPINFOW) {
        FillCell(details, reinterpret_cast<NMLVDISPINFOW&>(header));
    }
    return FALSE;
}

INT_PTR CALLBACK DetailsDialogProc(HWND details, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(details);
        case WM_COMMAND:
            return OnCommand(details, wParam, lParam);
        case WM_NOTIFY:
            return OnNotify(details, *reinterpret_cast<NMHDR*>(lParam));
        case WM_CLOSE:
            ShowWindow(details, SW_HIDE);
            return TRUE;
        case WM_DESTROY:
            return OnDestroy(details);
        default:
            return FALSE;
    }
}

}  // namespace

HWND CreateDetailsWindow(HWND owner, HINSTANCE instance) {
    return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_DETAILS), owner, DetailsDialogProc, 0);
}

void ShowServerInDetails(HWND details, const ServerRecord& record, const ServerRules& rules) {
    char16_t address[kAddressTextCapacity];
    FormatServerAddress(record, address);
    char16_t counts[kHumansAndBotsTextCapacity];
    FormatHumansAndBots(counts, CountHumansAndBots(record));
    SetText(details, IDC_DETAILS_NAME, std::u16string(FieldText(record.hostName)).c_str());
    SetText(details, IDC_DETAILS_ADDRESS, address);
    SetText(details, IDC_DETAILS_COUNTS, counts);
    ShowRows(details, DetailsRows{PlayerRows(record), RuleRows(rules)});
}

void ShowServerGoneInDetails(HWND details, const char16_t* address) {
    SetText(details, IDC_DETAILS_NAME, u"This server is gone from the server list.");
    SetText(details, IDC_DETAILS_ADDRESS, address);
    SetText(details, IDC_DETAILS_COUNTS, u"");
    ShowRows(details, DetailsRows{});
}

void SetDetailsStatus(HWND details, const char16_t* text) {
    SetText(details, IDC_DETAILS_STATUS, text);
}

void EnableDetailsButtons(HWND details, bool join, bool refresh) {
    EnableWindow(GetDlgItem(details, IDC_DETAILS_JOIN), join ? TRUE : FALSE);
    EnableWindow(GetDlgItem(details, IDC_DETAILS_REFRESH), refresh ? TRUE : FALSE);
}

}  // namespace skelvane
