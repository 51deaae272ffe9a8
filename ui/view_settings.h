#pragma once

#include <cstdint>

#include "ui/server_columns.h"

namespace skelvane {

// The settings that the lists read and change. Only the UI thread touches
// them; the filter flags that refresh threads read live in RefreshSettings.
struct ViewSettings {
    std::int32_t goodPingThreshold = 100;
    std::int32_t mediumPingThreshold = 200;
    std::int32_t playerViewStyle = 0;
    std::uint32_t sortOrder = kDefaultSortOrder;
};

}  // namespace skelvane
