#include "cli/query_run.h"

#include <ctime>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/query_inputs.h"
#include "cli/query_session.h"
#include "cli/server_json.h"
#include "cli/server_report.h"
#include "cli/stats_report.h"
#include "cli/watch_run.h"

namespace skelvane {

namespace {

int ExitStatusFor(const RefreshResult& result) {
    if (result.swept == SweptList::kNone) {
        return result.aborted ? kExitAborted : kExitMasterFailed;
    }
    if (result.sweep == SweepOutcome::kAborted) {
        return kExitAborted;
    }
    if (result.sweep == SweepOutcome::kSetupFailed) {
        return kExitSweepFailed;
    }
    if (result.swept == SweptList::kFallback) {
        return kExitSweptCache;
    }
    return MasterFailed(result) ? kExitMasterFailed : kExitCompleted;
}

// The table on stdout and the statistics on stderr, or both in one JSON
// document: the array of servers alone, or with --stats an object that holds
// it as "servers" beside "stats".
void PrintReport(const QueryOptions& options, const QueryInputs& inputs, const RefreshState& engine,
                 const QueryFrontEnd& frontEnd) {
    std::vector<std::int32_t> rows = ShownServersInOrder(
        engine.table, engine.settings.showFull, engine.settings.showEmpty, options.sortOrder);
    ReportDetails details;
    details.players = options.listPlayers;
    details.rules = options.rules ? &frontEnd.rules : nullptr;
    details.buddies = inputs.buddies ? &*inputs.buddies : nullptr;
    if (options.onlyBuddies) {
        rows = ServersWithBuddies(engine.table, rows, *inputs.buddies);
    }
    if (options.minHumans > 0) {
        rows = ServersWithHumans(engine.table, rows, options.minHumans);
    }
    const QueryStats stats{engine.stats, engine.timing.sweepPasses, SummarisePings(engine.table)};
    if (!options.json) {
        PrintServerTable(std::cout, engine.table, rows, PingThresholds{}, details);
        if (options.stats) {
            PrintStatsText(std::cerr, stats);
        }
        return;
    }
    std::cout << (options.stats ? "{\"servers\": " : "");
    PrintServerJson(std::cout, engine.table, rows, details);
    if (options.stats) {
        std::cout << ",\n\"stats\": ";
        PrintStatsJson(std::cout, stats);
        std::cout << "}";
    }
    std::cout << "\n";
}

}  // namespace

int RunQuery(const QueryOptions& options, RefreshState& engine, Event& interrupted) {
    const Result<QueryInputs> inputs = LoadQueryInputs(options);
    if (!inputs) {
        std::cerr << "skelvane-query: " << inputs.Why() << "\n";
        return kExitBadInput;
    }
    const auto frontEnd = std::make_shared<QueryFrontEnd>(options.rules);
    PrepareEngine(options, *inputs, frontEnd, engine);
    if (options.watchSeconds != 0) {
        RunWatch(options, *inputs, engine, interrupted);
        frontEnd->status.Close();
        return kExitAborted;
    }
    engine.refreshInProgress = 1;
    const RefreshResult result = RunRefresh(engine);
    frontEnd->status.Close();
    if (!options.cacheFile.empty()) {
        UpdateCache(options.cacheFile, inputs->cache, result, engine, std::time(nullptr));
    }
    if (result.swept != SweptList::kNone) {
        PrintReport(options, *inputs, engine, *frontEnd);
    }
    return ExitStatusFor(result);
}

}  // namespace skelvane
