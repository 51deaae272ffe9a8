#include "app/server_details_win32.h"

#include "app/browser_win32.h"
#include "app/join_server_win32.h"
#include "app/server_query_win32.h"
#include "browse/server_columns.h"
#include "browse/server_rules.h"
#include "ui/details_window_win32.h"
#include "ui/server_list_view_win32.h"

namespace skelvane {

namespace {

// The target's record, while it is the same server in a table that may be
// read and its answer has been announced; otherwise null.
const ServerRecord* TargetRecord(const Browser& browser) {
    const DetailsTarget& target = browser.details;
    const Presentation& view = browser.view;
    const ServerTable& table = browser.engine->table;
    if (target.record < 0 || !view.tableReadable ||
        view.tablesForgotten != target.tablesForgotten || target.record >= table.Count() ||
        static_cast<std::size_t>(target.record) >= view.parsed.size() ||
        view.parsed[static_cast<std::size_t>(target.record)] == 0) {
        return nullptr;
    }
    return &table[target.record];
}

void Aim(Browser& browser, std::int32_t record) {
    const ServerRecord& server = browser.engine->table[record];
    browser.details.server = Ipv4Endpoint{server.address, server.port};
    browser.details.record = record;
    browser.details.tablesForgotten = browser.view.tablesForgotten;
}

void EnableButtons(const Browser& browser, bool hasServer) {
    EnableDetailsButtons(
        browser.details.window, hasServer,
        hasServer && !IsRefreshInProgress(*browser.engine) && !IsServerQueryRunning(browser));
}

bool IsOpen(const Browser& browser) {
    return browser.details.window != nullptr && IsWindowVisible(browser.details.window) != FALSE;
}

// The target as it is now: the record while it may be read, otherwise that
// the server is gone. Join and Refresh follow.
void FillDetails(Browser& browser) {
    HWND window = browser.details.window;
    const ServerRecord* record = TargetRecord(browser);
    if (record == nullptr) {
        char16_t address[kAddressTextCapacity];
        FormatEndpoint(browser.details.server, address);
        ShowServerGoneInDetails(window, address);
        EnableButtons(browser, false);
        return;
    }
    const std::string line = browser.bridge->KeptLines().InfoLine(browser.details.record);
    ShowServerInDetails(
        window, *record,
        ReadInfoRules({reinterpret_cast<const std::uint8_t*>(line.data()), line.size()}));
    EnableButtons(browser, true);
}

}  // namespace

void SayInDetails(const Browser& browser, const char16_t* format,
                  std::initializer_list<TextArg> args) {
    char16_t text[kStatusTextCapacity];
    FormatText(text, format, args);
    SetDetailsStatus(browser.details.window, text);
}

bool PrepareDetailsWindow(Browser& browser) {
    if (browser.details.window == nullptr) {
        browser.details.window = CreateDetailsWindow(browser.mainWindow, browser.instance);
    }
    return browser.details.window != nullptr;
}

void OpenSelectedServerDetails(Browser& browser) {
    const std::int32_t record = RecordIndexAtRow(browser.view, SelectedServerRow(browser.view));
    if (record < 0 || !PrepareDetailsWindow(browser)) {
        return;
    }
    Aim(browser, record);
    SetDetailsStatus(browser.details.window, u"");
    // Filled before it shows, so that it never shows another server first.
    FillDetails(browser);
    ShowWindow(browser.details.window, SW_SHOW);
    SetActiveWindow(browser.details.window);
}

void ShowDetailsOfTarget(Browser& browser) {
    if (IsOpen(browser)) {
        FillDetails(browser);
    }
}

void DetailsTableForgotten(Browser& browser) {
    browser.details.record = -1;
    if (IsOpen(browser)) {
        SetDetailsStatus(browser.details.window, u"");
        FillDetails(browser);
    }
}

void FollowDetailsTarget(Browser& browser, const std::vector<std::int32_t>& announced) {
    if (!IsOpen(browser) || browser.details.record >= 0 || !browser.view.tableReadable) {
        return;
    }
    const ServerTable& table = browser.engine->table;
    for (const std::int32_t index : announced) {
        if (index >= 0 && index < table.Count() &&
            Ipv4Endpoint{table[index].address, table[index].port} == browser.details.server) {
            Aim(browser, index);
            FillDetails(browser);
            return;
        }
    }
}

void DetailsRefreshStateChanged(Browser& browser) {
    if (IsOpen(browser)) {
        EnableButtons(browser, TargetRecord(browser) != nullptr);
    }
}

void JoinDetailsServer(Browser& browser) {
    if (TargetRecord(browser) != nullptr) {
        JoinRecord(browser, browser.details.record, browser.details.tablesForgotten);
    }
}

void RefreshDetailsServer(Browser& browser) {
    if (TargetRecord(browser) == nullptr || !StartServerQuery(browser, browser.details.record)) {
        return;
    }
    char16_t address[kAddressTextCapacity];
    FormatEndpoint(browser.details.server, address);
    SayInDetails(browser, u"Querying %s...", {address});
    EnableButtons(browser, true);
}

}  // namespace skelvane
