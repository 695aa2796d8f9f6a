// Which drawing of an image the window shows at each display scale, and at what size.
#include <gtest/gtest.h>

#include "app/window/ImageScale.h"

namespace {

using image_scale::DrawingFor;
using image_scale::kDrawnDpis;
using image_scale::ShownLength;

struct Case {
    int dpi;
    std::size_t drawing;  // index into kDrawnDpis
    int tickWidth;        // the 19-pixel-wide tick as shown
};

TEST(ImageScale, EachScaleShowsItsOwnDrawingOrTheNextLargerScaledDownNeverUp) {
    // The tick's drawings are 19, 24, 29 and 38 pixels wide.
    constexpr int kTickDrawn[] = {19, 24, 29, 38};
    for (const Case& c : {Case{72, 0, 14},    // below 100 %: the smallest, scaled down
                          Case{96, 0, 19}, Case{120, 1, 24}, Case{144, 2, 29}, Case{192, 3, 38},
                          Case{108, 1, 22},   // 112.5 %: the 125 % drawing scaled down
                          Case{168, 3, 33},   // 175 %
                          Case{240, 3, 38},   // 250 %: the largest as drawn, not enlarged
                          Case{0, 0, 19}}) {  // no scale known: as drawn
        SCOPED_TRACE(c.dpi);
        const std::size_t drawing = DrawingFor(c.dpi);
        EXPECT_EQ(drawing, c.drawing);
        EXPECT_EQ(ShownLength(kTickDrawn[drawing], kDrawnDpis[drawing], c.dpi), c.tickWidth);
    }
}

}  // namespace
