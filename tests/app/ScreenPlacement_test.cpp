// The widened window keeps to the monitor it is on, in the layouts offices have: a second monitor
// to the right of the primary one, to its left (negative coordinates), above it, and a primary
// monitor narrower than the window.
#include <gtest/gtest.h>

#include "app/window/ScreenPlacement.h"

namespace {

using screen_placement::Box;
using screen_placement::LeftOnWorkArea;

// Work areas, less a taskbar at the bottom.
constexpr Box kPrimary{0, 0, 1920, 1040};
constexpr Box kRightOfPrimary{1920, 0, 3840, 1040};
constexpr Box kLeftOfPrimary{-1920, 0, 0, 1040};
constexpr Box kAbovePrimary{0, -1080, 1920, -40};
constexpr Box kSmallPrimary{0, 0, 800, 560};

Box At(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

TEST(ScreenPlacement, TheWindowStaysOnItsMonitorAndMovesLeftOnlyAsFarAsItsRightEdgePassesIt) {
    const struct {
        const char* layout;
        Box workArea;
        Box window;
        int left;
    } cases[] = {
        {"on the primary, clear of its edge", kPrimary, At(400, 300, 900, 500), 400},
        {"on the primary, past its right edge", kPrimary, At(1400, 300, 900, 500), 1020},
        {"right edge exactly at the primary's", kPrimary, At(1020, 300, 900, 500), 1020},
        // Not pulled back onto the primary, whose work area lies left of it.
        {"on a monitor to the right", kRightOfPrimary, At(2400, 200, 900, 500), 2400},
        {"past the right monitor's right edge", kRightOfPrimary, At(3200, 200, 900, 500), 2940},
        {"straddling onto the right monitor", kRightOfPrimary, At(1800, 200, 900, 500), 1800},
        {"on a monitor to the left", kLeftOfPrimary, At(-1500, 100, 900, 500), -1500},
        {"past the left monitor's right edge", kLeftOfPrimary, At(-600, 100, 900, 500), -900},
        {"on a monitor above", kAbovePrimary, At(300, -900, 900, 500), 300},
        {"past the upper monitor's right edge", kAbovePrimary, At(1500, -900, 900, 500), 1020},
        // Wider than the monitor: its left edge stops at the area's, its right part stays out.
        {"wider than a small primary", kSmallPrimary, At(100, 50, 1200, 500), 0},
        {"wider than a small primary, at its left edge", kSmallPrimary, At(0, 50, 1200, 500), 0},
        // Already partly left of the area: never moved further left, nor pulled right.
        {"partly left of the area and past its right", kSmallPrimary, At(-50, 50, 1200, 500), -50},
    };
    for (const auto& c : cases) EXPECT_EQ(LeftOnWorkArea(c.window, c.workArea), c.left) << c.layout;
}

}  // namespace
