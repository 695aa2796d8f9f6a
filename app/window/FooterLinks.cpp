#include "FooterLinks.h"

#include <algorithm>

#include "app/window/FixLayout.h"
#include "app/window/Layout.h"
#include "app/window/LinkControl.h"

namespace {

// Places `link` with `words` at `leftTwips` on Close's line; returns its right edge, 0 when hidden.
int PlaceOne(HWND link, const char* words, int leftTwips, HFONT font, int dpi) {
    if (!link || !words || !IsWindowVisible(link)) return 0;
    const int left = layout::TwipsToPixels(leftTwips, dpi);
    const int width = LinkTextWidth(font, words) + MulDiv(fix_layout::kLinkPadding, dpi, 96);
    SetWindowPos(link, nullptr, left, layout::TwipsToPixels(fix_layout::kFooterTop, dpi), width,
                 layout::TwipsToPixels(fix_layout::kLinkHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return left + width;
}

void Show(HWND link, const char* words, HFONT font) {
    if (!link) return;
    SetLinkText(link, words);
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(link, SW_SHOWNA);  // shown, never given the focus
}

}  // namespace

void FooterLinks::Create(HWND window, HINSTANCE instance) {
    window_ = window;
    copy_ = CreateLinkControl(window, instance, fix_layout::kCopyLink);
    checkAgain_ = CreateLinkControl(window, instance, fix_layout::kCheckAgainLink);
}

void FooterLinks::ShowCopy(HFONT font, int dpi) {
    copyWords_ = fix_layout::kCopyWords;
    Show(copy_, copyWords_, font);
    Place(font, dpi);
}

void FooterLinks::MarkCopied(HFONT font, int dpi) {
    copyWords_ = fix_layout::kCopiedWords;
    SetLinkText(copy_, copyWords_);
    Place(font, dpi);
}

void FooterLinks::ShowCheckAgain(HFONT font, int dpi) {
    Show(checkAgain_, fix_layout::kCheckAgainWords, font);
    Place(font, dpi);
}

void FooterLinks::HideCheckAgain() {
    if (!checkAgain_) return;
    if (GetFocus() == checkAgain_) SetFocus(window_);
    ShowWindow(checkAgain_, SW_HIDE);
}

int FooterLinks::Place(HFONT font, int dpi) {
    return std::max(PlaceOne(copy_, copyWords_, fix_layout::kCopyLeft, font, dpi),
                    PlaceOne(checkAgain_, fix_layout::kCheckAgainWords, fix_layout::kCheckAgainLeft, font, dpi));
}
