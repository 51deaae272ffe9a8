// skelvane-query: one refresh through the browser's engine, on the command line.

#include <signal.h>

#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "cli/output_text.h"
#include "cli/query_options.h"
#include "cli/server_report.h"
#include "engine/refresh_engine.h"

namespace skelvane {
namespace {

enum ExitCode {
    kExitCompleted = 0,
    kExitAborted = 1,
    kExitMasterFailed = 2,
    kExitSweepFailed = 3,
    kExitUsage = 64,
};

// Status texts come from the refresh threads; one at a time reaches stderr.
std::mutex gStatusMutex;

void PrintStatus(void*, const char16_t* text) {
    const std::lock_guard<std::mutex> hold(gStatusMutex);
    std::cerr << TerminalText(text) << std::endl;
}

RefreshEngine* gEngineForSignal = nullptr;

// Ctrl-C takes the same road as the browser's Abort button. Setting the event
// is a single write, which is safe inside a signal handler. The handler is
// used once: a second Ctrl-C ends the program at once, for a user who will not
// wait for a master's answer or the sweep's last second.
void OnInterrupt(int) {
    if (gEngineForSignal != nullptr) {
        AbortRefresh(*gEngineForSignal);
    }
}

void InstallInterruptHandler(RefreshEngine& engine) {
    gEngineForSignal = &engine;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

ExitCode ExitCodeFor(const RefreshResult& result) {
    if (result.master != MasterOutcome::kHandedOver) {
        return kExitMasterFailed;
    }
    switch (result.sweep) {
        case SweepOutcome::kCompleted:
            return kExitCompleted;
        case SweepOutcome::kAborted:
            return kExitAborted;
        default:
            return kExitSweepFailed;
    }
}

int RunQuery(const QueryOptions& options) {
    static RefreshEngine engine;
    engine.master.hostName = options.masterHost;
    engine.master.port = options.masterPort;
    engine.settings.showFull = options.showFull ? 1 : 0;
    engine.settings.showEmpty = options.showEmpty ? 1 : 0;
    engine.settings.packetsPerSecond = options.packetsPerSecond;
    engine.ui.showStatus = PrintStatus;
    InstallInterruptHandler(engine);

    engine.refreshInProgress = 1;
    const RefreshResult result = RunRefresh(engine);
    if (result.master == MasterOutcome::kHandedOver) {
        const std::vector<std::int32_t> rows = ShownServersInOrder(
            engine.table, engine.settings.showFull, engine.settings.showEmpty, options.sortOrder);
        if (options.json) {
            PrintServerJson(std::cout, engine.table, rows);
        } else {
            PrintServerTable(std::cout, engine.table, rows, PingThresholds{}, options.listPlayers);
        }
    }
    return ExitCodeFor(result);
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedQueryOptions parsed = ParseQueryOptions(args);
    if (!parsed.options) {
        std::cerr << "skelvane-query: " << parsed.error << "\n\n" << kQueryUsage;
        return kExitUsage;
    }
    if (parsed.options->help) {
        std::cout << kQueryUsage;
        return kExitCompleted;
    }
    return RunQuery(*parsed.options);
}
