#pragma once
// The two links beside Close: one copies the report for support, the other, shown once a fix
// has been opened, says how to check again.
#include "platform/Win32.h"

class FooterLinks {
public:
    void Create(HWND window, HINSTANCE instance);

    // Once a run has ended: the report can be copied.
    void ShowCopy(HFONT font, int dpi);
    // The report was put on the clipboard: the link says so.
    void MarkCopied(HFONT font, int dpi);
    // A fix was opened: how to check again, once it is done.
    void ShowCheckAgain(HFONT font, int dpi);
    // A new run has started: the fix it follows is being checked.
    void HideCheckAgain();

    // Lays the shown links out at `dpi`; returns the right edge of the rightmost, 0 for none.
    int Place(HFONT font, int dpi);

    HWND copy() const { return copy_; }
    HWND checkAgain() const { return checkAgain_; }

private:
    HWND window_ = nullptr;
    HWND copy_ = nullptr;
    HWND checkAgain_ = nullptr;
    const char* copyWords_ = nullptr;
};
