#include "cli/query_run.h"

#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "cli/output_text.h"
#include "cli/query_inputs.h"
#include "cli/server_report.h"

namespace skelvane {

namespace {

// Status texts come from the refresh threads; one at a time reaches stderr.
void PrintStatus(void* context, const char16_t* text) {
    const std::lock_guard<std::mutex> hold(*static_cast<std::mutex*>(context));
    std::cerr << TerminalText(text) << std::endl;
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
    const bool masterFailed =
        result.master != MasterOutcome::kHandedOver && result.master != MasterOutcome::kNotAsked;
    return masterFailed ? kExitMasterFailed : kExitCompleted;
}

void PrintReport(const QueryOptions& options, const RefreshEngine& engine) {
    const std::vector<std::int32_t> rows = ShownServersInOrder(
        engine.table, engine.settings.showFull, engine.settings.showEmpty, options.sortOrder);
    if (options.json) {
        PrintServerJson(std::cout, engine.table, rows);
    } else {
        PrintServerTable(std::cout, engine.table, rows, PingThresholds{}, options.listPlayers);
    }
}

}  // namespace

int RunQuery(const QueryOptions& options, RefreshEngine& engine) {
    std::string error;
    const std::optional<QueryInputs> inputs = LoadQueryInputs(options, error);
    if (!inputs) {
        std::cerr << "skelvane-query: " << error << "\n";
        return kExitBadInput;
    }
    static std::mutex statusMutex;
    engine.master.hostName = options.masterHost;
    engine.master.port = options.masterPort;
    engine.sources.askMaster = options.askMaster;
    engine.sources.given = inputs->servers;
    engine.settings.showFull = options.showFull ? 1 : 0;
    engine.settings.showEmpty = options.showEmpty ? 1 : 0;
    engine.settings.packetsPerSecond = options.packetsPerSecond;
    engine.ui.context = &statusMutex;
    engine.ui.showStatus = PrintStatus;

    engine.refreshInProgress = 1;
    const RefreshResult result = RunRefresh(engine);
    if (result.swept != SweptList::kNone) {
        PrintReport(options, engine);
    }
    return ExitStatusFor(result);
}

}  // namespace skelvane
