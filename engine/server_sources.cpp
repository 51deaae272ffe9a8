#include "engine/server_sources.h"

#include <span>

#include "engine/master_query.h"

namespace skelvane {

namespace {

// Appends the servers that the table does not hold yet, as far as it has room.
void AddServers(ServerTable& table, std::span<const Ipv4Endpoint> servers) {
    GrowTable(table, table.Count() + static_cast<std::int32_t>(servers.size()));
    for (const Ipv4Endpoint& server : servers) {
        AppendServer(table, server.address, server.port);
    }
}

}  // namespace

// A failed master phase may leave part of the master's answer in the table; it
// is no list to trust, so the fallback and given servers replace it. After an
// abort nothing more is swept, and no fallback is looked for.
SweptList ListServersToSweep(RefreshState& engine, const MasterPhase& master,
                             std::u16string& handOverStatus) {
    const ServerSources& sources = engine.sources;
    handOverStatus = u"Querying servers...";
    if (master.outcome == MasterOutcome::kHandedOver) {
        // The masters that failed are named while the others' lists stand.
        if (!master.failures.empty()) {
            handOverStatus = master.failures + u" " + handOverStatus;
        }
        AddServers(engine.table, sources.given);
        return SweptList::kMaster;
    }
    const bool masterFailed = master.outcome != MasterOutcome::kNotAsked;
    if (masterFailed && engine.abortEvent.Poll()) {
        return SweptList::kNone;
    }
    const std::optional<FallbackList> fallback =
        masterFailed && sources.fallback ? sources.fallback(master.failures) : std::nullopt;
    if (masterFailed && !fallback && sources.given.empty()) {
        return SweptList::kNone;
    }
    ReplaceTableSafely(engine);
    if (fallback) {
        handOverStatus = fallback->status;
        AddServers(engine.table, fallback->servers);
    }
    AddServers(engine.table, sources.given);
    return fallback ? SweptList::kFallback : SweptList::kGiven;
}

}  // namespace skelvane
