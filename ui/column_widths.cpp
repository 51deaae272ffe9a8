#include "ui/column_widths.h"

namespace skelvane {

namespace {

// The percent factor is the single-precision 0.01, a hair below the true value,
// which is why a whole-number share comes out one pixel short.
constexpr float kPercent = 0.01f;
constexpr std::int32_t kInitialMargin = 16;

}  // namespace

std::int32_t InitialColumnWidth(std::int32_t percent, std::int32_t listClientWidth) {
    const float base = static_cast<float>(listClientWidth - kInitialMargin);
    return static_cast<std::int32_t>(percent * static_cast<double>(kPercent) *
                                     static_cast<double>(base));
}

}  // namespace skelvane
