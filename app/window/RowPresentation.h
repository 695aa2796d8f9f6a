#pragma once
// One requirement row as the window shows it: the mark in its picture box, the box's name for
// screen readers, the tooltips over its controls and, once the run has ended, the link to the
// fix for a failed row. What is shown comes from the row's findings.
#include <vector>

#include "app/RowFindings.h"
#include "app/window/Layout.h"
#include "app/window/RowTips.h"
#include "platform/Win32.h"

class RowPresentation {
public:
    RowPresentation() = default;

    // Takes the row's controls in `window`.
    void Create(HWND window, Row row);
    // Creates the row's link, hidden.
    void CreateLink(HINSTANCE instance);

    // The box's name and the tooltips as `findings` say; returns the mark the box is to show.
    layout::Image Show(const RowFindings& findings, RowTips& tips) const;

    // After the run: the link to the fix `findings` name for the row, on the row's line from
    // `left`, in `font`; hidden for a row without one. Returns the link's right edge in pixels,
    // 0 when it is hidden.
    int ShowLink(const RowFindings& findings, HFONT font, int left, int dpi);
    // Lays out a shown link again (another scale); same result as ShowLink.
    int PlaceLink(const RowFindings& findings, HFONT font, int left, int dpi);
    void HideLink();

    // The controls the row is made of: its picture box, its caption and, for the operating
    // system, the release's name.
    std::vector<HWND> Controls() const;
    HWND link() const { return link_; }

private:
    Row row_ = Row::InternetApp;
    HWND window_ = nullptr;
    HWND link_ = nullptr;
};
