#pragma once

#include <cstdint>

namespace skelvane {

// The width a new list column starts with: its share of the list's client
// width less a 16-pixel margin, one pixel under an exact whole-number share.
std::int32_t InitialColumnWidth(std::int32_t percent, std::int32_t listClientWidth);

}  // namespace skelvane
