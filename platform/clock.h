#pragma once

#include <cstdint>
#include <ctime>

namespace skelvane {

// Milliseconds of the system millisecond clock. The reading wraps at 2^32, so
// intervals are always taken as unsigned differences.
std::uint32_t MillisecondClock();

inline std::uint32_t ElapsedMs(std::uint32_t later, std::uint32_t earlier) {
    return later - earlier;
}

void SleepMs(std::uint32_t milliseconds);

// The calendar fields of a moment in the user's time zone, and in UTC.
std::tm LocalCalendarTime(std::time_t when);
std::tm UtcCalendarTime(std::time_t when);

// Holds a 1 ms timer resolution request for its lifetime.
class TimerResolution {
  public:
    TimerResolution();
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;
};

}  // namespace skelvane
