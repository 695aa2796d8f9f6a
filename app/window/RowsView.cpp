#include "RowsView.h"

#include <algorithm>

#include "app/window/FixLayout.h"
#include "app/window/LinkControl.h"

void RowsView::Create(HWND window, HINSTANCE instance, HWND closeButton, const WindowColours& colours) {
    window_ = window;
    instance_ = instance;
    closeButton_ = closeButton;
    colours_ = &colours;
    for (int i = 0; i < kRowCount; ++i) rows_[static_cast<std::size_t>(i)].Create(window, static_cast<Row>(i));
}

void RowsView::CreateLinks() {
    if (linksCreated_) return;
    linksCreated_ = true;
    for (RowPresentation& row : rows_) row.CreateLink(instance_);
    footer_.Create(window_, instance_);
    // Tab order is z-order: each link goes in right after the one before it.
    HWND after = GetWindow(closeButton_, GW_HWNDPREV);
    const auto insert = [this, &after](HWND link) {
        if (!link) return;
        PaintLinkInColours(link, *colours_);  // as the labels' words are
        SetWindowPos(link, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = link;
    };
    for (const RowPresentation& row : rows_) insert(row.link());
    after = closeButton_;
    insert(footer_.copy());
    insert(footer_.checkAgain());
}

layout::Image RowsView::Show(Row row, const RowFindings& findings, RowTips& tips) const {
    return rows_[static_cast<std::size_t>(row)].Show(findings, tips);
}

int RowsView::ShowLinks(const RowFindings& findings, HFONT font, int dpi) {
    CreateLinks();
    const int left = layout::TwipsToPixels(fix_layout::kLinkColumnLeft, dpi);
    for (RowPresentation& row : rows_) row.ShowLink(findings, font, left, dpi);
    footer_.ShowCopy(font, dpi);
    return PlaceLinks(findings, font, dpi);
}

int RowsView::PlaceLinks(const RowFindings& findings, HFONT font, int dpi) {
    const int left = layout::TwipsToPixels(fix_layout::kLinkColumnLeft, dpi);
    int right = footer_.Place(font, dpi);
    for (RowPresentation& row : rows_)
        if (IsWindowVisible(row.link())) right = std::max(right, row.PlaceLink(findings, font, left, dpi));
    return right;
}

void RowsView::HideLinks() {
    for (RowPresentation& row : rows_) row.HideLink();
    footer_.HideCheckAgain();
}

void RowsView::ShowCheckAgain(HFONT font, int dpi) {
    CreateLinks();
    footer_.ShowCheckAgain(font, dpi);
}

void RowsView::MarkCopied(HFONT font, int dpi) {
    if (IsWindowVisible(footer_.copy())) footer_.MarkCopied(font, dpi);
}
