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

}  // namespace

void SayInDetails(const Browser& browser, const char16_t* format,
                  std::initializer_list<TextArg> args) {
    char16_t text[kStatusTextCapacity];
    FormatText(text, format, args);
    SetDetailsStatus(browser.details.window, text);
}

void OpenSelectedServerDetails(Browser& browser) {
    const std::int32_t record = RecordIndexAtRow(browser.view, SelectedServerRow(browser.view));
    if (record < 0) {
        return;
    }
    if (browser.details.window == nullptr) {
        browser.details.window = CreateDetailsWindow(browser.mainWindow, browser.instance);
    }
    if (browser.details.window == nullptr) {
        return;
    }
    Aim(browser, record);
    SetDetailsStatus(browser.details.window, u"");
    ShowDetailsOfTarget(browser);
    ShowWindow(browser.details.window, SW_SHOW);
    SetActiveWindow(browser.details.window);
}

void ShowDetailsOfTarget(Browser& browser) {
    HWND window = browser.details.window;
    if (window == nullptr) {
        return;
    }
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

void DetailsTableForgotten(Browser& browser) {
    browser.details.record = -1;
    SetDetailsStatus(browser.details.window, u"");
    ShowDetailsOfTarget(browser);
}

void FollowDetailsTarget(Browser& browser, const std::vector<std::int32_t>& announced) {
    if (browser.details.window == nullptr || browser.details.record >= 0 ||
        !browser.view.tableReadable) {
        return;
    }
    const ServerTable& table = browser.engine->table;
    for (const std::int32_t index : announced) {
        if (index >= 0 && index < table.Count() &&
            Ipv4Endpoint{table[index].address, table[index].port} == browser.details.server) {
            Aim(browser, index);
            ShowDetailsOfTarget(browser);
            return;
        }
    }
}

void DetailsRefreshStateChanged(Browser& browser) {
    if (browser.details.window != nullptr) {
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
