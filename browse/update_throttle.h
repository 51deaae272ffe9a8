#pragma once

#include <cstdint>

namespace skelvane {

// Lets a costly screen update run at most once per interval. An update asked
// for sooner is held back until the interval has passed since the last one;
// the caller then runs it from a timer. Times are millisecond clock readings.
class UpdateThrottle {
  public:
    explicit UpdateThrottle(std::uint32_t intervalMs) : intervalMs_(intervalMs) {}

    // True, and counted as done, when the update may run at `now`.
    bool TryNow(std::uint32_t now);
    // How long an update asked for at `now` must wait (0 when it need not).
    std::uint32_t WaitMs(std::uint32_t now) const;

  private:
    std::uint32_t intervalMs_;
    std::uint32_t last_ = 0;
    bool ranBefore_ = false;
};

}  // namespace skelvane
