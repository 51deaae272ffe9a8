#include <gtest/gtest.h>

#include <array>

#include "browse/status_bar_parts.h"

namespace skelvane {
namespace {

using Edges = std::array<std::int32_t, 3>;

TEST(StatusBarEdges, SplitTheWidthIntoFourSeventhsAndTwoThreeFourteenths) {
    EXPECT_EQ(StatusBarEdges(686), (Edges{392, 539, 686}));
    EXPECT_EQ(StatusBarEdges(1000), (Edges{571, 785, 999}));
    EXPECT_EQ(StatusBarEdges(0), (Edges{0, 0, 0}));
    // The single-precision factor never lets a piece round up past the exact
    // integer share, for any width a window can have.
    for (std::int32_t w = 0; w <= 65535; ++w) {
        const std::int32_t e0 = 4 * w / 7;
        const std::int32_t e1 = e0 + 3 * w / 14;
        ASSERT_EQ(StatusBarEdges(w), (Edges{e0, e1, e1 + 3 * w / 14})) << w;
    }
}

}  // namespace
}  // namespace skelvane
