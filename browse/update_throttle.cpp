#include "browse/update_throttle.h"

namespace skelvane {

bool UpdateThrottle::TryNow(std::uint32_t now) {
    if (WaitMs(now) != 0) {
        return false;
    }
    last_ = now;
    ranBefore_ = true;
    return true;
}

std::uint32_t UpdateThrottle::WaitMs(std::uint32_t now) const {
    const std::uint32_t since = now - last_;
    return !ranBefore_ || since >= intervalMs_ ? 0 : intervalMs_ - since;
}

}  // namespace skelvane
