#pragma once
// The window's four images at the scale the window is drawn at: the question mark, the tick, the
// cross and the logo, each the drawing made for that scale or the next larger one scaled down.
#include <array>

#include "app/window/Layout.h"
#include "platform/ScopedHandle.h"

class WindowImages {
public:
    // Loads every image for `dpi`. An image that cannot be had is left out; its boxes stay blank.
    void Load(HINSTANCE instance, int dpi);

    HBITMAP Get(layout::Image image) const;

private:
    std::array<platform::ScopedGdiObject, 4> bitmaps_;  // in the order of layout::Image, less None
};
