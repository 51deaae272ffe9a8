#include "sizer/sizer_layout.h"

namespace skelvane {

std::int32_t CountAnchorRows(const SizerAnchor* table) {
    std::int32_t rows = 1;
    while (table[rows - 1].flags != SIZER_TABLE_END) {
        ++rows;
    }
    return rows;
}

// The moves apply before the stretches, so moving and stretching together
// shifts the far edge twice: once with the control and once more by itself.
SizerRect AnchorRect(SizerRect control, std::int32_t flags, std::int32_t dx, std::int32_t dy) {
    if ((flags & SIZER_MOVE_X) != 0) {
        control.left += dx;
        control.right += dx;
    }
    if ((flags & SIZER_MOVE_Y) != 0) {
        control.top += dy;
        control.bottom += dy;
    }
    if ((flags & SIZER_STRETCH_X) != 0) {
        control.right += dx;
    }
    if ((flags & SIZER_STRETCH_Y) != 0) {
        control.bottom += dy;
    }
    return control;
}

SizerRect GripRect(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t gripWidth,
                   std::int32_t gripHeight) {
    return SizerRect{clientWidth - gripWidth, clientHeight - gripHeight, clientWidth, clientHeight};
}

bool RectContains(const SizerRect& rect, std::int32_t x, std::int32_t y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace skelvane
