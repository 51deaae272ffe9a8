#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <optional>

#include "engine/server_query.h"

namespace skelvane {

struct Browser;

// The main window learns that a server's own query has ended. (The bridge's
// messages start at WM_APP + 1, the notification icon's is WM_APP + 20.)
inline constexpr UINT WM_APP_SERVER_ANSWERED = WM_APP + 21;

// One server asked again, outside a refresh, on a thread of its own. The
// thread and the main window share it; the window reads `answer` only once
// `done` is set.
struct ServerQueryJob {
    Ipv4Endpoint server;
    RefreshTiming timing;
    // The record the answer is for, in the table of that generation.
    std::int32_t record = -1;
    std::uint32_t tablesForgotten = 0;
    // Where WM_APP_SERVER_ANSWERED goes; null once the window has gone.
    std::atomic<HWND> notify{nullptr};
    std::atomic<bool> done{false};
    std::optional<ServerAnswer> answer;
};

// Asks the server of record `index` again. False when a refresh or another
// such query is running, or the record cannot be read.
bool StartServerQuery(Browser& browser, std::int32_t index);

// True while a server's own query runs.
bool IsServerQueryRunning(const Browser& browser);

// WM_APP_SERVER_ANSWERED: the answer goes into the record, its row and the
// details, unless the table has moved on meanwhile (a refresh then has the
// server). The details say how it went.
void OnServerQueryDone(Browser& browser);

}  // namespace skelvane
