#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/byte_cursor.h"

namespace skelvane {

// One line of a status answer: at most kLineTextCapacity bytes of it and a
// terminating zero, in a buffer of its own.
inline constexpr std::size_t kLineCopySize = 2048;
inline constexpr std::size_t kLineTextCapacity = kLineCopySize - 1;

struct PacketLine {
    std::array<std::uint8_t, kLineCopySize> bytes{};
    std::size_t length = 0;  // bytes copied, without the terminator

    // The line's text, which ends at its first zero byte.
    std::span<const std::uint8_t> Text() const;
};

// The next line-feed-ended line, or the remainder when no line feed is left;
// nothing when no bytes are left.
std::optional<PacketLine> ReadPacketLine(ByteCursor& cursor);

}  // namespace skelvane
