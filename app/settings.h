#pragma once

#include <cstdint>
#include <string>

#include "ui/server_columns.h"

namespace skelvane {

inline constexpr int kSettingsPathCapacity = 260;

// The browser's persistent settings.
struct Settings {
    char16_t gameDirectory[kSettingsPathCapacity] = {};
    char16_t gameExecutable[kSettingsPathCapacity] = {};
    std::u16string buddyText;
    std::int32_t packetsPerSecond = 0;
    std::int32_t goodPingThreshold = 0;
    std::int32_t mediumPingThreshold = 0;
    std::int32_t playerViewStyle = 0;
    std::int32_t showFull = 0;
    std::int32_t showEmpty = 0;
    std::uint32_t sortOrder = kDefaultSortOrder;
};

}  // namespace skelvane
