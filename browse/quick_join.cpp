#include "browse/quick_join.h"

#include "browse/humans_and_bots.h"
#include "browse/server_columns.h"

namespace skelvane {

std::int32_t ChooseQuickJoinServer(const ServerTable& table, std::span<const std::int32_t> shown) {
    std::int32_t best = -1;
    std::int32_t bestHumans = 0;
    for (const std::int32_t index : shown) {
        const ServerRecord& record = table[index];
        const std::int32_t humans = CountHumansAndBots(record).humans;
        if (humans == 0 || !HasFreeSlot(record)) {
            continue;
        }
        const ServerRecord* chosen = best < 0 ? nullptr : &table[best];
        if (chosen == nullptr || record.ping < chosen->ping ||
            (record.ping == chosen->ping && humans > bestHumans)) {
            best = index;
            bestHumans = humans;
        }
    }
    return best;
}

}  // namespace skelvane
