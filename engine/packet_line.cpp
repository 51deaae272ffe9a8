#include "engine/packet_line.h"

#include <algorithm>

namespace skelvane {

std::span<const std::uint8_t> PacketLine::Text() const {
    const auto* end = std::find(bytes.begin(), bytes.begin() + length, std::uint8_t{0});
    return {bytes.data(), static_cast<std::size_t>(end - bytes.begin())};
}

// A line runs up to its line feed, which is consumed but not copied. Two kinds
// of hostile line are settled here so that the parser above never meets them:
// a line longer than the copy keeps its first kLineTextCapacity bytes and the
// rest is skipped up to its line feed, so the next line still starts where the
// server meant it to; and bytes after the last line feed form a last line that
// uses up everything left, so the reading always ends.
std::optional<PacketLine> ReadPacketLine(ByteCursor& cursor) {
    const std::span<const std::uint8_t> rest = cursor.Rest();
    if (rest.empty()) {
        return std::nullopt;
    }
    const auto lineFeed = std::find(rest.begin(), rest.end(), std::uint8_t{'\n'});
    const auto lineLength = static_cast<std::size_t>(lineFeed - rest.begin());

    PacketLine line;
    line.length = std::min(lineLength, kLineTextCapacity);
    std::copy_n(rest.begin(), line.length, line.bytes.begin());
    line.bytes[line.length] = 0;

    cursor.Skip(lineFeed == rest.end() ? lineLength : lineLength + 1);
    return line;
}

}  // namespace skelvane
