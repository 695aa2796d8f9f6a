#pragma once
// The tooltips of the requirement rows: resting the mouse on a row's picture box or caption shows
// what its check found. One tooltip control, one tool per control, each tool's text kept current.
#include "platform/Win32.h"

class RowTips {
public:
    // Creates the tooltip control for `owner`'s client area, laid out at `dpi`; false when it
    // cannot be had (the window then simply has no tooltips). The control is owned by `owner`
    // and goes with it.
    bool Create(HWND owner, HINSTANCE instance, int dpi);

    // Adds a tool over the child control `control` of the owner, with `text`. The tool is the
    // control's rectangle in the owner's client area: the row's labels let the mouse through to
    // the window, so the tooltip sees it there.
    void Add(HWND control, const char* text);

    // Replaces the text of the tool over `control`.
    void SetText(HWND control, const char* text);

    // After the window was laid out anew at another scale: long lines wrap at the width for
    // `dpi`, and the tool over `control` follows it to its new place.
    void SetDpi(int dpi);
    void Move(HWND control);

    HWND hwnd() const { return tooltip_; }

private:
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
};
