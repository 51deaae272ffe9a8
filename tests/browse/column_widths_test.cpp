#include <gtest/gtest.h>

#include <array>

#include "browse/column_widths.h"

namespace skelvane {
namespace {

TEST(InitialColumnWidth, IsOnePixelUnderEachWholeShareOfTheListLessItsMargin) {
    const std::array<std::int32_t, 6> serverPercents{40, 20, 10, 10, 11, 9};
    const std::array<std::int32_t, 6> base100{39, 19, 9, 9, 10, 8};
    const std::array<std::int32_t, 6> list659{257, 128, 64, 64, 70, 57};
    for (std::size_t i = 0; i < serverPercents.size(); ++i) {
        EXPECT_EQ(InitialColumnWidth(serverPercents[i], 116), base100[i]);
        EXPECT_EQ(InitialColumnWidth(serverPercents[i], 659), list659[i]);
        EXPECT_EQ(InitialColumnWidth(serverPercents[i], 16), 0);
    }
    EXPECT_EQ(InitialColumnWidth(50, 116), 49);
    EXPECT_EQ(InitialColumnWidth(25, 116), 24);
    EXPECT_EQ(InitialColumnWidth(25, 296), 69);
}

TEST(ScaleColumnWidths, FollowTheMainWindowWidthWithSingleAndDoublePrecisionSteps) {
    using Server = std::array<std::int32_t, 6>;
    using Player = std::array<std::int32_t, 3>;
    struct Case {
        std::uint16_t clientWidth;
        Server server;
        Player details;
        std::int32_t listMode;
    };
    const Case cases[] = {
        {686, {255, 127, 63, 63, 70, 57}, {137, 68, 68}, 91},
        {800, {299, 149, 74, 74, 82, 67}, {162, 81, 81}, 107},
        {1000, {376, 188, 94, 94, 103, 84}, {205, 102, 102}, 135},
        {1280, {483, 241, 120, 120, 133, 108}, {266, 133, 133}, 175},
        // A minimised window reports a width of 0: every base is negative and
        // truncates toward zero.
        {0, {-7, -3, -1, -1, -2, -1}, {-9, -4, -4}, -6},
        {20, {0, 0, 0, 0, 0, 0}, {-5, -2, -2}, -3},
    };
    for (const Case& c : cases) {
        const ScaledColumnWidths details = ScaleColumnWidths(c.clientWidth, true);
        EXPECT_EQ(details.server, c.server) << c.clientWidth;
        EXPECT_EQ(details.player, c.details) << c.clientWidth;
        EXPECT_EQ(details.playerColumnsSet, 3);

        const ScaledColumnWidths list = ScaleColumnWidths(c.clientWidth, false);
        EXPECT_EQ(list.server, c.server) << c.clientWidth;
        EXPECT_EQ(list.player[0], c.listMode) << c.clientWidth;
        EXPECT_EQ(list.playerColumnsSet, 1);
    }
}

}  // namespace
}  // namespace skelvane
