#include "browse/column_widths.h"

namespace skelvane {

namespace {

// The percent factor is the single-precision 0.01, a hair below the true value,
// which is why a whole-number share comes out one pixel short.
constexpr float kPercent = 0.01f;
constexpr std::int32_t kInitialMargin = 16;

// The lists' widths at the main window's design client width of 686 pixels;
// the widths on a size change are shares of these, scaled by the client width.
constexpr float kDesignClientWidthReciprocal = 1.0f / 686.0f;
constexpr double kServerDesignWidth = 659.0;
constexpr double kPlayerDesignWidth = 296.0;
constexpr double kScaledMargin = 20.0;
// Outside the details view one column width serves the whole player list.
constexpr float kListModeShare = 0.33f;

// Products are formed in double precision from the single-precision factors.
std::int32_t ShareOf(std::int32_t percent, float base) {
    return static_cast<std::int32_t>(percent * static_cast<double>(kPercent) *
                                     static_cast<double>(base));
}

}  // namespace

std::int32_t InitialColumnWidth(std::int32_t percent, std::int32_t listClientWidth) {
    return ShareOf(percent, static_cast<float>(listClientWidth - kInitialMargin));
}

ScaledColumnWidths ScaleColumnWidths(std::uint16_t clientWidth, bool playerDetailsView) {
    const auto scale =
        static_cast<float>(clientWidth * static_cast<double>(kDesignClientWidthReciprocal));
    const double playerBase = scale * kPlayerDesignWidth - kScaledMargin;
    const auto serverBase = static_cast<float>(scale * kServerDesignWidth - kScaledMargin);

    ScaledColumnWidths widths{};
    for (int column = 0; column < kServerColumnCount; ++column) {
        widths.server[column] = ShareOf(kServerColumns[column].widthPercent, serverBase);
    }
    if (playerDetailsView) {
        for (int column = 0; column < kPlayerColumnCount; ++column) {
            widths.player[column] =
                ShareOf(kPlayerColumnPercents[column], static_cast<float>(playerBase));
        }
        widths.playerColumnsSet = kPlayerColumnCount;
    } else {
        // This base stays in double precision.
        widths.player[0] =
            static_cast<std::int32_t>(playerBase * static_cast<double>(kListModeShare));
        widths.playerColumnsSet = 1;
    }
    return widths;
}

}  // namespace skelvane
