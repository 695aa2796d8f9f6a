#pragma once
// Where the window goes when it widens: it stays on the monitor it is on. Portable: rectangles are
// in virtual-screen pixels, as Windows gives a window's and a monitor's work area, and may lie at
// negative coordinates (a monitor left of or above the primary one).

namespace screen_placement {

struct Box {
    int left, top, right, bottom;
};

// The left edge for `window` on a monitor whose work area is `workArea`. It moves left only when
// its right edge passes the area's right edge, by as much as it passes, and never so far that its
// left edge passes the area's left edge: on a monitor narrower than the window, its left part
// stays in view (with the title bar's menu and the first column). Otherwise it stays where it is.
constexpr int LeftOnWorkArea(const Box& window, const Box& workArea) {
    const int over = window.right - workArea.right;
    const int room = window.left - workArea.left;
    const int shift = over < room ? over : room;
    return shift > 0 ? window.left - shift : window.left;
}

}  // namespace screen_placement
