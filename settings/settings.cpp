#include "settings/settings.h"

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

}  // namespace skelvane
