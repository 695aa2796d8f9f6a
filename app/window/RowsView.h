#pragma once
// The seven requirement rows as the window shows them, and the links that come with them: each
// failed row's link to its fix and, beside Close, "Copy the report" and "Check again". The window
// class keeps the run and its own layout; what a row looks like is decided here.
#include <array>
#include <vector>

#include "app/RowFindings.h"
#include "app/window/FooterLinks.h"
#include "app/window/RowPresentation.h"
#include "app/window/WindowColours.h"

class RowsView {
public:
    // Takes the rows' controls in `window`. The links are made when a run first ends, so that the
    // first paint does not wait for controls it does not show: Tab then reaches the rows' links in
    // row order, then `closeButton`, then the links beside it. Their words are painted in
    // `colours`, the window's own, which it keeps as long as it lives.
    void Create(HWND window, HINSTANCE instance, HWND closeButton, const WindowColours& colours);

    // The row's box name and tooltips as `findings` say; returns the mark its box is to show.
    layout::Image Show(Row row, const RowFindings& findings, RowTips& tips) const;
    std::vector<HWND> Controls(Row row) const { return rows_[static_cast<std::size_t>(row)].Controls(); }

    // A run has ended: each failed row's link and "Copy the report" appear. Both return the right
    // edge of the rightmost link shown, in pixels (0 for none), for the window to make room.
    int ShowLinks(const RowFindings& findings, HFONT font, int dpi);
    // Lays the shown links out again: another scale, or another link shown.
    int PlaceLinks(const RowFindings& findings, HFONT font, int dpi);
    // A new run starts: the rows' links and "Check again" go until it ends.
    void HideLinks();

    // A fix was opened: how to check again appears beside Close.
    void ShowCheckAgain(HFONT font, int dpi);
    // The report went to the clipboard: "Copy the report", where shown, says so.
    void MarkCopied(HFONT font, int dpi);

private:
    // Creates the links, hidden and in tab order, unless they are there already.
    void CreateLinks();

    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HWND closeButton_ = nullptr;
    const WindowColours* colours_ = nullptr;
    bool linksCreated_ = false;
    std::array<RowPresentation, kRowCount> rows_{};
    FooterLinks footer_;
};
