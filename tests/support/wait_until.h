#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace skelvane::test {

// Asks `done` every `pollMs` until it holds or `timeoutMs` has passed, for
// what another thread or process does in its own time. Its last answer.
template <typename Done>
bool WaitUntil(Done done, std::uint32_t timeoutMs, std::uint32_t pollMs = 2) {
    const std::uint32_t start = MillisecondClock();
    while (!done()) {
        if (ElapsedMs(MillisecondClock(), start) >= timeoutMs) {
            return false;
        }
        SleepMs(pollMs);
    }
    return true;
}

}  // namespace skelvane::test
