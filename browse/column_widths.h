#pragma once

#include <array>
#include <cstdint>

#include "browse/server_columns.h"

namespace skelvane {

// The player list's columns, Name, Score and Ping, as shares of its width.
inline constexpr int kPlayerColumnCount = 3;
inline constexpr std::array<std::int32_t, kPlayerColumnCount> kPlayerColumnPercents{50, 25, 25};

// The width a new list column starts with: its share of the list's client
// width less a 16-pixel margin, one pixel under an exact whole-number share.
std::int32_t InitialColumnWidth(std::int32_t percent, std::int32_t listClientWidth);

// The column widths for a main window client width. In the details view every
// player column has its share; in the other views only column 0 is set, and
// that width applies to the whole list.
struct ScaledColumnWidths {
    std::array<std::int32_t, kServerColumnCount> server;
    std::array<std::int32_t, kPlayerColumnCount> player;
    int playerColumnsSet;
};
ScaledColumnWidths ScaleColumnWidths(std::uint16_t clientWidth, bool playerDetailsView);

}  // namespace skelvane
