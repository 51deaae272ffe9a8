#pragma once

#include <array>
#include <cstdint>

namespace skelvane {

// Right edges of the status bar's three parts for a main-window client width:
// the message part takes four sevenths, each count part three fourteenths,
// every piece rounded down on its own.
std::array<std::int32_t, 3> StatusBarEdges(std::int32_t clientWidth);

}  // namespace skelvane
