#include "settings/settings.h"

#include <algorithm>

#include "browse/buddy_watch.h"

namespace skelvane {

std::u16string_view GamePathText(const char16_t (&member)[kGamePathCapacity]) {
    const std::u16string_view whole(member, kGamePathCapacity);
    return whole.substr(0, whole.find(u'\0'));
}

void PublishRefreshSettings(const Settings& settings, RefreshSettings& refresh) {
    refresh.showFull.store(settings.showFull);
    refresh.showEmpty.store(settings.showEmpty);
    refresh.packetsPerSecond.store(settings.packetsPerSecond);
}

// The browser's own pause is at least a minute: it runs unattended, at
// whatever rate the user set for one refresh.
std::uint32_t WatchPauseMs(std::int32_t storedSeconds) {
    constexpr std::int32_t kShortestPauseSeconds = 60;
    return static_cast<std::uint32_t>(
               std::clamp(storedSeconds, kShortestPauseSeconds, kLongestWatchPauseSeconds)) *
           1000u;
}

}  // namespace skelvane
