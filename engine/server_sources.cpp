#include "engine/server_sources.h"

#include <span>

#include "engine/master_query.h"
#include "engine/status_text.h"

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
// abort nothing more is swept.
SweptList ListServersToSweep(RefreshEngine& engine, MasterOutcome master) {
    const ServerSources& sources = engine.sources;
    if (master == MasterOutcome::kHandedOver) {
        AddServers(engine.table, sources.given);
        return SweptList::kMaster;
    }
    const bool masterFailed = master != MasterOutcome::kNotAsked;
    const bool useFallback = masterFailed && sources.fallback.has_value();
    if (masterFailed && (engine.abortEvent.Poll() || (!useFallback && sources.given.empty()))) {
        return SweptList::kNone;
    }
    ReplaceTableSafely(engine);
    if (useFallback) {
        ReportStatus(*engine.frontEnd, u"%s", sources.fallbackStatus.c_str());
        AddServers(engine.table, *sources.fallback);
    }
    AddServers(engine.table, sources.given);
    return useFallback ? SweptList::kFallback : SweptList::kGiven;
}

}  // namespace skelvane
