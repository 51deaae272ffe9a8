#include "app/settings.h"

namespace skelvane {

void PublishRefreshSettings(const Settings& settings, RefreshSettings& refresh) {
    refresh.showFull.store(settings.showFull);
    refresh.showEmpty.store(settings.showEmpty);
    refresh.packetsPerSecond.store(settings.packetsPerSecond > 0 ? settings.packetsPerSecond
                                                                 : Settings{}.packetsPerSecond);
}

}  // namespace skelvane
