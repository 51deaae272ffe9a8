#include "engine/refresh_stats.h"

#include <algorithm>

namespace skelvane {

void ResetRefreshStats(RefreshStats& stats) {
    for (StatCounter* counter :
         {&stats.masterDatagrams, &stats.masterEntries, &stats.masterDuplicates, &stats.late,
          &stats.duplicate, &stats.unmatchedSender, &stats.oversized}) {
        counter->store(0);
    }
    for (int pass = 0; pass < kCountedPasses; ++pass) {
        stats.queriesSent[pass].store(0);
        stats.answersMatched[pass].store(0);
    }
}

void CountInPass(std::array<StatCounter, kCountedPasses>& counters, std::int32_t pass) {
    ++counters[static_cast<std::size_t>(std::clamp(pass, 1, kCountedPasses) - 1)];
}

}  // namespace skelvane
