#pragma once

#include <cstdint>

namespace skelvane {

// How a control follows its window's client area; the flags add up.
inline constexpr std::int32_t SIZER_MOVE_X = 1;     // both side edges move by dx
inline constexpr std::int32_t SIZER_MOVE_Y = 2;     // top and bottom edges move by dy
inline constexpr std::int32_t SIZER_STRETCH_X = 4;  // the right edge moves by dx
inline constexpr std::int32_t SIZER_STRETCH_Y = 8;  // the bottom edge moves by dy
// The flags of the row that ends an anchor table.
inline constexpr std::int32_t SIZER_TABLE_END = -1;

struct SizerAnchor {
    std::int32_t controlId;
    std::int32_t flags;
};

struct SizerRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    friend bool operator==(const SizerRect&, const SizerRect&) = default;
};

// The rows of a table up to and including its first end row.
std::int32_t CountAnchorRows(const SizerAnchor* table);

// Where a control goes when the client area changes by dx and dy.
SizerRect AnchorRect(SizerRect control, std::int32_t flags, std::int32_t dx, std::int32_t dy);

// The size grip's square in the bottom-right corner of a client area.
SizerRect GripRect(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t gripWidth,
                   std::int32_t gripHeight);

// Left and top edges inside, right and bottom edges outside.
bool RectContains(const SizerRect& rect, std::int32_t x, std::int32_t y);

}  // namespace skelvane
