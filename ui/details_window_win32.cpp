#include "ui/details_window_win32.h"

#include <commctrl.h>

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
constexpr int kBotColumn = 3;

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

// A row whose cells are copies: the window never reads a record later.
void AddRow(HWND list, std::initializer_list<std::u16string_view> cells) {
    const int row = ListView_GetItemCount(list);
    int column = 0;
    for (const std::u16string_view cell : cells) {
        const std::u16string text(cell);
        if (column == 0) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = const_cast<wchar_t*>(AsWide(text.c_str()));
            ListView_InsertItem(list, &item);
        } else {
            ListView_SetItemText(list, row, column, const_cast<wchar_t*>(AsWide(text.c_str())));
        }
        ++column;
    }
}

std::u16string PlayerCell(const PlayerRecord& player, int column) {
    char16_t text[kCellTextCapacity];
    FormatPlayerCell(player, column, text, kCellTextCapacity);
    return text;
}

void FillPlayers(HWND list, const ServerRecord& record) {
    for (std::int32_t i = 0; i < ReadablePlayerCount(record); ++i) {
        const PlayerRecord& player = record.players[i];
        AddRow(list, {PlayerCell(player, 0), PlayerCell(player, 1), PlayerCell(player, 2),
                      IsBot(player) ? u"bot" : u""});
    }
}

void FillRules(HWND list, const ServerRules& rules) {
    for (std::size_t i = 0; i < rules.Count(); ++i) {
        AddRow(list, {rules.Key(i), rules.Value(i)});
    }
    if (rules.Dropped() > 0) {
        char16_t more[kCountTextCapacity];
        FormatText(more, u"(%d more not kept)", {rules.Dropped()});
        AddRow(list, {more});
    }
}

void SetText(HWND details, int id, const char16_t* text) {
    SetDlgItemTextW(details, id, AsWide(text));
}

// Both lists are emptied and refilled with their drawing held back, so that
// they paint once with what they end up holding.
class ListsRefill {
  public:
    explicit ListsRefill(HWND details)
        : players_(GetDlgItem(details, IDC_DETAILS_PLAYERS)),
          rules_(GetDlgItem(details, IDC_DETAILS_RULES)) {
        for (HWND list : {players_, rules_}) {
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            ListView_DeleteAllItems(list);
        }
    }
    ListsRefill(const ListsRefill&) = delete;
    ListsRefill& operator=(const ListsRefill&) = delete;
    ~ListsRefill() {
        for (HWND list : {players_, rules_}) {
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
        }
    }
    HWND Players() const { return players_; }
    HWND Rules() const { return rules_; }

  private:
    HWND players_;
    HWND rules_;
};

INT_PTR OnInitDialog(HWND details) {
    InsertColumns(GetDlgItem(details, IDC_DETAILS_PLAYERS), kPlayerColumns);
    InsertColumns(GetDlgItem(details, IDC_DETAILS_RULES), kRuleColumns);
    SizerAttach(details, kDetailsAnchors, true, std::nullopt);
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

INT_PTR CALLBACK DetailsDialogProc(HWND details, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog(details);
        case WM_COMMAND:
            return OnCommand(details, wParam, lParam);
        case WM_CLOSE:
            ShowWindow(details, SW_HIDE);
            return TRUE;
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
    const ListsRefill lists(details);
    FillPlayers(lists.Players(), record);
    FillRules(lists.Rules(), rules);
}

void ShowServerGoneInDetails(HWND details, const char16_t* address) {
    SetText(details, IDC_DETAILS_NAME, u"This server is gone from the server list.");
    SetText(details, IDC_DETAILS_ADDRESS, address);
    SetText(details, IDC_DETAILS_COUNTS, u"");
    const ListsRefill lists(details);
}

void SetDetailsStatus(HWND details, const char16_t* text) {
    SetText(details, IDC_DETAILS_STATUS, text);
}

void EnableDetailsButtons(HWND details, bool join, bool refresh) {
    EnableWindow(GetDlgItem(details, IDC_DETAILS_JOIN), join ? TRUE : FALSE);
    EnableWindow(GetDlgItem(details, IDC_DETAILS_REFRESH), refresh ? TRUE : FALSE);
}

}  // namespace skelvane
