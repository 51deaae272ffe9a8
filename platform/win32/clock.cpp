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

TimerResolution::TimerResolution() {
    timeBeginPeriod(1);
}
TimerResolution::~TimerResolution() {
    timeEndPeriod(1);
}

}  // namespace skelvane
