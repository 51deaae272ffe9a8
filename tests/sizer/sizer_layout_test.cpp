#include <gtest/gtest.h>

#include "sizer/sizer_layout.h"

namespace skelvane {
namespace {

TEST(SizerLayout, EachAnchorFlagMovesItsEdgesByTheChange) {
    const SizerRect control{10, 20, 110, 70};
    struct Case {
        std::int32_t flags;
        std::int32_t dx;
        std::int32_t dy;
        SizerRect expected;
    };
    const Case cases[] = {
        {0, 30, 40, {10, 20, 110, 70}},
        {SIZER_MOVE_X | SIZER_MOVE_Y, 30, 40, {40, 60, 140, 110}},
        {SIZER_STRETCH_X | SIZER_STRETCH_Y, 30, 40, {10, 20, 140, 110}},
        {SIZER_MOVE_Y | SIZER_STRETCH_X, 30, 40, {10, 60, 140, 110}},
        // Moving and stretching together: the left edge by dx, the right by 2 dx.
        {SIZER_MOVE_X | SIZER_MOVE_Y | SIZER_STRETCH_X, 30, 40, {40, 60, 170, 110}},
        {SIZER_MOVE_X | SIZER_STRETCH_X | SIZER_MOVE_Y | SIZER_STRETCH_Y, -5, -8, {5, 12, 100, 54}},
        {SIZER_STRETCH_X | SIZER_STRETCH_Y, -30, -40, {10, 20, 80, 30}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnchorRect(control, c.flags, c.dx, c.dy), c.expected) << c.flags;
    }
}

TEST(SizerLayout, ATableEndsAtItsFirstRowWithFlagsMinusOne) {
    const SizerAnchor onlyEnd[] = {{-1, -1}};
    // A control id of -1 does not end the table, and nothing after the end row counts.
    const SizerAnchor table[] = {{1020, 3}, {-1, 0}, {140, 7}, {5, -1}, {6, 3}, {-1, -1}};
    EXPECT_EQ(CountAnchorRows(onlyEnd), 1);
    EXPECT_EQ(CountAnchorRows(table), 4);
}

TEST(SizerLayout, TheGripIsTheCornerSquareWithItsFarEdgesOutside) {
    // Width and height come from different metrics and must not be swapped.
    const SizerRect grip = GripRect(686, 400, 17, 16);
    EXPECT_EQ(grip, (SizerRect{669, 384, 686, 400}));
    EXPECT_TRUE(RectContains(grip, 669, 384));
    EXPECT_TRUE(RectContains(grip, 685, 399));
    EXPECT_FALSE(RectContains(grip, 686, 399));
    EXPECT_FALSE(RectContains(grip, 685, 400));
    EXPECT_FALSE(RectContains(grip, 668, 390));
    EXPECT_FALSE(RectContains(grip, 680, 383));
}

}  // namespace
}  // namespace skelvane
