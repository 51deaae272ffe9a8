#include "cli/query_run.h"

#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "cli/output_text.h"
#include "cli/query_inputs.h"
#include "cli/server_json.h"
#include "cli/server_report.h"

namespace skelvane {

namespace {

// What the refresh threads hand to the command line. The report reads
// `rules` once the refresh is over and its threads are gone.
struct QueryUi {
    std::mutex statusMutex;
    RulesByRecord rules;
};

// Status texts come from the refresh threads; one at a time reaches stderr.
void PrintStatus(void* context, const char16_t* text) {
    QueryUi& ui = *static_cast<QueryUi*>(context);
    const std::lock_guard<std::mutex> hold(ui.statusMutex);
    std::cerr << TerminalText(text) << std::endl;
}

// Called with the table lock held, so one answer at a time.
void KeepRules(void* context, std::int32_t index, std::span<const std::uint8_t> answer) {
    static_cast<QueryUi*>(context)->rules[index] = ReadServerRules(answer);
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

void PrintReport(const QueryOptions& options, const RefreshEngine& engine, const QueryUi& ui) {
    const std::vector<std::int32_t> rows = ShownServersInOrder(
        engine.table, engine.settings.showFull, engine.settings.showEmpty, options.sortOrder);
    ReportDetails details;
    details.players = options.listPlayers;
    details.rules = options.rules ? &ui.rules : nullptr;
    if (options.json) {
        PrintServerJson(std::cout, engine.table, rows, details);
        std::cout << "\n";
    } else {
        PrintServerTable(std::cout, engine.table, rows, PingThresholds{}, details);
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
    QueryUi ui;
    engine.master.hostName = options.masterHost;
    engine.master.port = options.masterPort;
    engine.sources.askMaster = options.askMaster;
    engine.sources.given = inputs->servers;
    engine.settings.showFull = options.showFull ? 1 : 0;
    engine.settings.showEmpty = options.showEmpty ? 1 : 0;
    engine.settings.packetsPerSecond = options.packetsPerSecond;
    engine.ui.context = &ui;
    engine.ui.showStatus = PrintStatus;
    engine.ui.answerReceived = options.rules ? KeepRules : nullptr;

    engine.refreshInProgress = 1;
    const RefreshResult result = RunRefresh(engine);
    if (result.swept != SweptList::kNone) {
        PrintReport(options, engine, ui);
    }
    return ExitStatusFor(result);
}

}  // namespace skelvane
