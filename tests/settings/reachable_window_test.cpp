#include "settings/reachable_window.h"

#include <gtest/gtest.h>

#include <climits>

namespace skelvane {
namespace {

// A 1280 x 1024 screen whose work area starts below a 40-pixel bar, and a
// caption 30 pixels high.
TEST(ReachableWindow, AWindowWhoseCaptionCannotBeGrabbedIsMovedAndIfNeedBeSized) {
    const ScreenRect work{0, 40, 1280, 1024};
    const struct {
        ScreenRect window;
        ScreenRect placed;
    } cases[] = {
        {{100, 100, 900, 700}, {100, 100, 900, 700}},
        {{1200, 100, 1800, 500}, {1200, 100, 1800, 500}},    // 80 pixels of caption shown
        {{-3000, 500, 3000, 900}, {-3000, 500, 3000, 900}},  // wider, its caption shown
        {{1250, 100, 1850, 500}, {680, 100, 1280, 500}},     // 30 pixels are too few
        {{1240, 100, 1290, 200}, {1230, 100, 1280, 200}},    // a narrow one shows it all
        {{100, 20, 900, 620}, {100, 40, 900, 640}},          // under the bar
        {{100, 1000, 900, 1400}, {100, 624, 900, 1024}},     // below the bottom
        {{-2000, -2000, 400, 300}, {0, 40, 1280, 1024}},     // over the screen, caption off
        {{5000, 5000, 5600, 5400}, {680, 624, 1280, 1024}},  // on a monitor that has gone
        {{-32767, -32767, 32767, 32767}, {0, 40, 1280, 1024}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {0, 40, 1280, 1024}},
    };
    for (const auto& c : cases) {
        const ScreenRect placed = ReachableWindowRect(c.window, 30, work);
        EXPECT_EQ(placed, c.placed) << c.window.left << ", " << c.window.top << ", "
                                    << c.window.right << ", " << c.window.bottom;
    }
}

}  // namespace
}  // namespace skelvane
