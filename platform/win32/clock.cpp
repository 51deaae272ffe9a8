#include "platform/clock.h"

#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

namespace skelvane {

std::uint32_t MillisecondClock() {
    return timeGetTime();
}

void SleepMs(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

std::tm LocalCalendarTime(std::time_t when) {
    std::tm fields{};
    localtime_s(&fields, &when);
    return fields;
}

std::tm UtcCalendarTime(std::time_t when) {
    std::tm fields{};
    gmtime_s(&fields, &when);
    return fields;
}

TimerResolution::TimerResolution() {
    timeBeginPeriod(1);
}
TimerResolution::~TimerResolution() {
    timeEndPeriod(1);
}

}  // namespace skelvane
