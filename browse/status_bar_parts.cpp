#include "browse/status_bar_parts.h"

namespace skelvane {

namespace {

// One seventieth as a single-precision constant, a hair above the true value;
// each piece is share * that * width in double precision, truncated.
constexpr float kOneSeventieth = 1.0f / 70.0f;

std::int32_t Piece(std::int32_t share, std::int32_t clientWidth) {
    return static_cast<std::int32_t>(share * static_cast<double>(kOneSeventieth) * clientWidth);
}

}  // namespace

std::array<std::int32_t, 3> StatusBarEdges(std::int32_t clientWidth) {
    const std::int32_t message = Piece(40, clientWidth);
    const std::int32_t count = Piece(15, clientWidth);
    return {message, message + count, message + count + count};
}

}  // namespace skelvane
