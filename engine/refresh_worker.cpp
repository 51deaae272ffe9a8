#include <memory>
#include <string>
#include <vector>

#include "engine/master_query.h"
#include "engine/refresh_engine.h"
#include "engine/server_sources.h"
#include "engine/status_sweep.h"
#include "engine/status_text.h"
#include "platform/thread.h"

namespace skelvane {

namespace {

// Ends every refresh. The engine's own state is reset before the front end
// restores its controls: a click that arrives once the Update button is usable
// again then starts a new refresh instead of aborting the one that is ending
// (which would leave the button disabled with nothing running).
void EndRefresh(RefreshState& engine) {
    engine.abortEvent.Reset();
    engine.refreshInProgress.store(0);
    engine.frontEnd->RefreshEnded();
}

void HandOver(RefreshState& engine, const std::u16string& status) {
    engine.frontEnd->TakeTable();
    ReportStatus(*engine.frontEnd, u"%s", status.c_str());
}

// The master's own list, the first entries of the table, before the given
// servers join it.
void KeepMasterList(RefreshState& engine, std::int32_t listed) {
    std::vector<Ipv4Endpoint> servers;
    servers.reserve(static_cast<std::size_t>(listed));
    for (std::int32_t i = 0; i < listed; ++i) {
        servers.push_back(Ipv4Endpoint{engine.table[i].address, engine.table[i].port});
    }
    engine.sources.keepMasterList(servers);
}

// The worker's own hold on the engine, released as its last act.
void RefreshWorker(void* argument) {
    const std::unique_ptr<std::shared_ptr<RefreshState>> hold(
        static_cast<std::shared_ptr<RefreshState>*>(argument));
    RunRefresh(**hold);
}

}  // namespace

RefreshResult RunRefresh(RefreshState& engine) {
    RefreshResult result;
    ResetRefreshStats(engine.stats);
    MasterPhase phase{MasterOutcome::kNotAsked, false, {}};
    if (engine.sources.askMaster) {
        phase = RunMasterQuery(engine);
    }
    result.master = phase.outcome;
    result.masterListComplete = phase.listComplete;
    if (result.master == MasterOutcome::kHandedOver) {
        result.masterListed = engine.table.Count();
    }
    if (result.masterListComplete && engine.sources.keepMasterList) {
        KeepMasterList(engine, result.masterListed);
    }
    std::u16string handOverStatus;
    result.swept = ListServersToSweep(engine, phase, handOverStatus);
    if (result.swept != SweptList::kNone) {
        HandOver(engine, handOverStatus);
        const SweepSummary summary = StatusSweep(engine);
        result.sweep = summary.outcome;
        result.responded = summary.responded;
        result.listed = summary.listed;
    }
    result.aborted = engine.abortEvent.Poll();
    engine.lastResult = result;
    EndRefresh(engine);
    return result;
}

bool StartRefresh(const std::shared_ptr<RefreshState>& engine) {
    std::int32_t idle = 0;
    if (!engine->refreshInProgress.compare_exchange_strong(idle, 1)) {
        return false;
    }
    auto hold = std::make_unique<std::shared_ptr<RefreshState>>(engine);
    if (!StartDetachedThread(RefreshWorker, hold.get())) {
        EndRefresh(*engine);
        return false;
    }
    hold.release();
    return true;
}

void AbortRefresh(RefreshState& engine) {
    engine.abortEvent.Set();
}

bool IsRefreshInProgress(const RefreshState& engine) {
    return engine.refreshInProgress.load() != 0;
}

}  // namespace skelvane
