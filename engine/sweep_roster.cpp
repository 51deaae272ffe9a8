#include "engine/sweep_roster.h"

namespace skelvane {

SweepRoster::SweepRoster(const ServerTable& table) {
    const std::int32_t count = table.Count();
    for (std::int32_t i = 0; i < count; ++i) {
        unanswered_ += table[i].responded == 0 ? 1 : 0;
    }
}

std::int32_t SweepRoster::FindQueriedUnanswered(const ServerTable& table,
                                                const Ipv4Endpoint& from) const {
    const std::int32_t index = FindServer(table, from.address, from.port);
    if (index < 0) {
        return -1;
    }
    const ServerRecord& record = table[index];
    return record.sendTime != 0 && record.responded == 0 ? index : -1;
}

}  // namespace skelvane
