#include "browse/kept_info_lines.h"

#include "browse/server_rules.h"
#include "engine/server_table.h"

namespace skelvane {

// The line is cut out before the lock is taken: the lock covers the store alone.
void KeptInfoLines::Keep(std::int32_t index, std::span<const std::uint8_t> answer) {
    if (index < 0 || index >= kMaxServerRecords) {
        return;
    }
    std::string line = InfoLineOf(answer);
    const std::lock_guard<std::mutex> hold(mutex_);
    const auto slot = static_cast<std::size_t>(index);
    if (slot >= lines_.size()) {
        lines_.resize(slot + 1);
    }
    lines_[slot] = std::move(line);
}

std::string KeptInfoLines::InfoLine(std::int32_t index) const {
    const std::lock_guard<std::mutex> hold(mutex_);
    const auto slot = static_cast<std::size_t>(index);
    return index >= 0 && slot < lines_.size() ? lines_[slot] : std::string();
}

void KeptInfoLines::Clear() {
    const std::lock_guard<std::mutex> hold(mutex_);
    lines_.clear();
}

}  // namespace skelvane
