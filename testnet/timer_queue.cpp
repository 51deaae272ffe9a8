#include "testnet/timer_queue.h"

#include <algorithm>
#include <chrono>
#include <climits>

namespace skelvane {

std::uint64_t MonotonicMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void TimerQueue::Push(const PendingSend& send) {
    entries_.push(Entry{send, nextOrder_++});
}

int TimerQueue::WaitMs(std::uint64_t nowMs) const {
    if (entries_.empty()) {
        return -1;
    }
    const std::uint64_t due = entries_.top().send.dueMs;
    return due <= nowMs ? 0 : static_cast<int>(std::min<std::uint64_t>(due - nowMs, INT_MAX));
}

std::optional<PendingSend> TimerQueue::PopDue(std::uint64_t nowMs) {
    if (entries_.empty() || entries_.top().send.dueMs > nowMs) {
        return std::nullopt;
    }
    PendingSend send = entries_.top().send;
    entries_.pop();
    return send;
}

}  // namespace skelvane
