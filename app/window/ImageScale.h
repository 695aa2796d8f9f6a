#pragma once
// Which drawing of a window image to show at a display scale. Each image is drawn at 96, 120,
// 144 and 192 DPI (100 to 200 %), so at those scales it is shown exactly as drawn. At a scale in
// between, the next larger drawing is scaled down to the size for that scale: scaling down keeps
// lines smooth where scaling up would blur them, so above 200 % the largest drawing is shown as
// it is. Portable.
#include <array>
#include <cstddef>

namespace image_scale {

inline constexpr std::array<int, 4> kDrawnDpis{96, 120, 144, 192};

// The drawing to show at `dpi`: the one made for it, else the next larger, else the largest.
constexpr std::size_t DrawingFor(int dpi) {
    for (std::size_t i = 0; i < kDrawnDpis.size(); ++i)
        if (kDrawnDpis[i] >= dpi) return i;
    return kDrawnDpis.size() - 1;
}

// A side of `drawnPixels` of a drawing made at `drawnDpi`, as shown at `dpi`: scaled down and
// rounded half up, never enlarged.
constexpr int ShownLength(int drawnPixels, int drawnDpi, int dpi) {
    if (dpi >= drawnDpi || drawnDpi <= 0 || dpi <= 0) return drawnPixels;
    return (drawnPixels * dpi + drawnDpi / 2) / drawnDpi;
}

}  // namespace image_scale
