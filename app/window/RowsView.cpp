#include "RowsView.h"

#include <algorithm>

#include "app/window/FixLayout.h"

void RowsView::Create(HWND window, HINSTANCE instance, HWND closeButton) {
    for (int i = 0; i < kRowCount; ++i) rows_[static_cast<std::size_t>(i)].Create(window, instance, static_cast<Row>(i));
    footer_.Create(window, instance);
    // Tab order is z-order: each link goes in right after the one before it.
    HWND after = GetWindow(closeButton, GW_HWNDPREV);
    const auto insert = [&after](HWND link) {
        if (!link) return;
        SetWindowPos(link, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = link;
    };
    for (const RowPresentation& row : rows_) insert(row.link());
    after = closeButton;
    insert(footer_.copy());
    insert(footer_.checkAgain());
}

layout::Image RowsView::Show(Row row, const RowFindings& findings, RowTips& tips) const {
    return rows_[static_cast<std::size_t>(row)].Show(findings, tips);
}

int RowsView::ShowLinks(const RowFindings& findings, HFONT font, int dpi) {
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

void RowsView::MarkCopied(HFONT font, int dpi) {
    if (IsWindowVisible(footer_.copy())) footer_.MarkCopied(font, dpi);
}
