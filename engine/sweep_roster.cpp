#include "engine/sweep_roster.h"

namespace skelvane {

namespace {

std::uint64_t EndpointKey(std::uint32_t address, std::uint16_t port) {
    return (std::uint64_t{address} << 16) | port;
}

}  // namespace

SweepRoster::SweepRoster(const ServerTable& table) {
    const std::int32_t count = table.Count();
    indexByEndpoint_.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        // The master reader keeps one record per address and port.
        indexByEndpoint_.emplace(EndpointKey(table[i].address, table[i].port), i);
        unanswered_ += table[i].responded == 0 ? 1 : 0;
    }
}

std::int32_t SweepRoster::Find(const Ipv4Endpoint& from) const {
    const auto found = indexByEndpoint_.find(EndpointKey(from.address, from.port));
    return found == indexByEndpoint_.end() ? -1 : found->second;
}

std::int32_t SweepRoster::FindQueriedUnanswered(const ServerTable& table,
                                                const Ipv4Endpoint& from) const {
    const std::int32_t index = Find(from);
    if (index < 0) {
        return -1;
    }
    const ServerRecord& record = table[index];
    return record.sendTime != 0 && record.responded == 0 ? index : -1;
}

}  // namespace skelvane
