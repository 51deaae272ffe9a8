#pragma once

#include <ctime>
#include <ostream>
#include <vector>

#include "browse/buddy_watch.h"

namespace skelvane {

// One line per event, stamped with `when` in local time:
//   2025-01-02 10:00:00 joined Kite on Kite's Arena (127.0.0.1:27960)
// or with `json` one JSON object per event per line. Flushed at once, so a
// reader of a pipe learns of each event as it happens.
// Minutes east of UTC of a moment read in local time and in UTC.
int UtcOffsetMinutes(const std::tm& local, const std::tm& utc);

void PrintBuddyEvents(std::ostream& out, const std::vector<BuddyEvent>& events, std::time_t when,
                      bool json);

}  // namespace skelvane
