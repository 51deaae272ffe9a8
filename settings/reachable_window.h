#pragma once

#include <cstdint>

namespace skelvane {

// A rectangle in screen pixels: left and top inside, right and bottom outside.
struct ScreenRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Where a window goes so that its caption, its top `captionHeight` pixels,
// can be grabbed on the work area of a monitor: unchanged when the whole
// caption's height and enough of its width lie on `workArea`; otherwise moved
// onto it, and made no larger than it.
ScreenRect ReachableWindowRect(ScreenRect window, std::int32_t captionHeight, ScreenRect workArea);

}  // namespace skelvane
