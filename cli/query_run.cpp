#include "cli/query_run.h"

#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cache_file.h"
#include "cli/query_inputs.h"
#include "cli/server_json.h"
#include "cli/server_report.h"
#include "cli/stats_report.h"
#include "cli/status_printer.h"
#include "cli/text_coding.h"

namespace skelvane {

namespace {

// What the refresh threads hand to the command line. The report reads
// `rules` once the refresh is over and its threads are gone.
struct QueryUi {
    StatusPrinter status{std::cerr};
    RulesByRecord rules;
};

void PrintStatus(void* context, const char16_t* text) {
    static_cast<QueryUi*>(context)->status.Print(TerminalText(text));
}

// Called with the table lock held, so one answer at a time.
void KeepRules(void* context, std::int32_t index, std::span<const std::uint8_t> answer) {
    static_cast<QueryUi*>(context)->rules[index] = ReadServerRules(answer);
}

bool MasterFailed(const RefreshResult& result) {
    return result.master != MasterOutcome::kHandedOver && result.master != MasterOutcome::kNotAsked;
}

int ExitStatusFor(const RefreshResult& result) {
    if (result.swept == SweptList::kNone) {
        return kExitMasterFailed;
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

// The master's list is kept whenever its answer came whole; when the master
// failed and no cache could stand in, the user learns why.
void UpdateCache(const std::string& path, const CacheRead& cache, const RefreshResult& result,
                 const RefreshEngine& engine, std::int64_t now) {
    std::string error;
    if (result.master == MasterOutcome::kHandedOver && result.masterListComplete &&
        !SaveMasterList(path, engine.table, result.masterListed, now, error)) {
        std::cerr << "skelvane-query: the cache is not saved: " << error << "\n";
    }
    if (MasterFailed(result) && !cache.list) {
        std::cerr << "skelvane-query: no cached list to sweep instead: " << cache.problem << "\n";
    }
}

void PrepareEngine(const QueryOptions& options, const QueryInputs& inputs, QueryUi& ui,
                   RefreshEngine& engine) {
    engine.master.hostName = options.masterHost;
    engine.master.port = options.masterPort;
    engine.sources.askMaster = options.askMaster;
    engine.sources.given = inputs.servers;
    if (inputs.cache.list) {
        engine.sources.fallback = inputs.cache.list->servers;
        engine.sources.fallbackStatus = Utf16FromBytes(
            FallbackNotice(options.cacheFile, *inputs.cache.list, std::time(nullptr)));
    }
    engine.settings.showFull = options.showFull ? 1 : 0;
    engine.settings.showEmpty = options.showEmpty ? 1 : 0;
    engine.settings.packetsPerSecond = options.packetsPerSecond;
    engine.ui.context = &ui;
    engine.ui.showStatus = PrintStatus;
    engine.ui.answerReceived = options.rules ? KeepRules : nullptr;
}

// The table on stdout and the statistics on stderr, or both in one JSON
// document: the array of servers alone, or with --stats an object that holds
// it as "servers" beside "stats".
void PrintReport(const QueryOptions& options, const QueryInputs& inputs,
                 const RefreshEngine& engine, const QueryUi& ui) {
    std::vector<std::int32_t> rows = ShownServersInOrder(
        engine.table, engine.settings.showFull, engine.settings.showEmpty, options.sortOrder);
    ReportDetails details;
    details.players = options.listPlayers;
    details.rules = options.rules ? &ui.rules : nullptr;
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

int RunQuery(const QueryOptions& options, RefreshEngine& engine) {
    std::string error;
    const std::optional<QueryInputs> inputs = LoadQueryInputs(options, error);
    if (!inputs) {
        std::cerr << "skelvane-query: " << error << "\n";
        return kExitBadInput;
    }
    QueryUi ui;
    PrepareEngine(options, *inputs, ui, engine);
    engine.refreshInProgress = 1;
    const RefreshResult result = RunRefresh(engine);
    ui.status.Close();
    if (!options.cacheFile.empty()) {
        UpdateCache(options.cacheFile, inputs->cache, result, engine, std::time(nullptr));
    }
    if (result.swept != SweptList::kNone) {
        PrintReport(options, *inputs, engine, ui);
    }
    return ExitStatusFor(result);
}

}  // namespace skelvane
