#include "settings/reachable_window.h"

#include <algorithm>

namespace skelvane {

namespace {

// Enough of a caption to take hold of with the mouse; a narrower window must
// show all of its caption.
constexpr std::int64_t kGrabWidth = 64;

// In 64 bits: a stored rectangle may span the whole 32-bit range.
std::int64_t Width(const ScreenRect& rect) {
    return std::int64_t{rect.right} - rect.left;
}

std::int64_t Height(const ScreenRect& rect) {
    return std::int64_t{rect.bottom} - rect.top;
}

bool IsCaptionReachable(const ScreenRect& window, std::int32_t captionHeight,
                        const ScreenRect& workArea) {
    const std::int64_t captionBottom = std::int64_t{window.top} + captionHeight;
    const std::int64_t shown =
        std::int64_t{std::min(window.right, workArea.right)} - std::max(window.left, workArea.left);
    return window.top >= workArea.top && captionBottom <= workArea.bottom &&
           shown >= std::min(kGrabWidth, Width(window));
}

// The start of a span of `length` (no longer than the area's) moved as little
// as it takes to lie within [areaStart, areaEnd).
std::int32_t MoveWithin(std::int32_t start, std::int64_t length, std::int32_t areaStart,
                        std::int32_t areaEnd) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(start, areaStart, areaEnd - length));
}

}  // namespace

ScreenRect ReachableWindowRect(ScreenRect window, std::int32_t captionHeight, ScreenRect workArea) {
    if (IsCaptionReachable(window, captionHeight, workArea)) {
        return window;
    }
    const std::int64_t width = std::min(Width(window), Width(workArea));
    const std::int64_t height = std::min(Height(window), Height(workArea));
    const std::int32_t left = MoveWithin(window.left, width, workArea.left, workArea.right);
    const std::int32_t top = MoveWithin(window.top, height, workArea.top, workArea.bottom);
    return ScreenRect{left, top, static_cast<std::int32_t>(left + width),
                      static_cast<std::int32_t>(top + height)};
}

}  // namespace skelvane
