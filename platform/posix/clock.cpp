#include "platform/clock.h"

#include <time.h>

namespace skelvane {

std::uint32_t MillisecondClock() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                    static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

void SleepMs(std::uint32_t milliseconds) {
    timespec delay{static_cast<time_t>(milliseconds / 1000),
                   static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0) {
    }
}

std::tm LocalCalendarTime(std::time_t when) {
    std::tm fields{};
    localtime_r(&when, &fields);
    return fields;
}

std::tm UtcCalendarTime(std::time_t when) {
    std::tm fields{};
    gmtime_r(&when, &fields);
    return fields;
}

// The monotonic clock already has sub-millisecond resolution here.
TimerResolution::TimerResolution() = default;
TimerResolution::~TimerResolution() = default;

}  // namespace skelvane
