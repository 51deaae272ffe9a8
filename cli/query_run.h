#pragma once

#include "cli/query_options.h"
#include "engine/refresh_engine.h"
#include "platform/event.h"

namespace skelvane {

// The exit statuses of skelvane-query.
enum QueryExit : int {
    kExitCompleted = 0,
    kExitAborted = 1,
    kExitMasterFailed = 2,
    kExitSweepFailed = 3,
    kExitSweptCache = 4,
    kExitUsage = 64,
    kExitBadInput = 65,
};

// One refresh as the options ask, on `engine`, with its report on stdout and
// its progress on stderr; or with --watch refreshes until `interrupted` is
// set. Gives the exit status.
int RunQuery(const QueryOptions& options, RefreshState& engine, Event& interrupted);

}  // namespace skelvane
