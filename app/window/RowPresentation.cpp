#include "RowPresentation.h"

#include "app/window/FixLayout.h"
#include "app/window/LinkControl.h"
#include "app/window/LinkMarkup.h"
#include "app/window/Rows.h"

void RowPresentation::Create(HWND window, Row row) {
    row_ = row;
    window_ = window;
}

void RowPresentation::CreateLink(HINSTANCE instance) {
    link_ = CreateLinkControl(window_, instance, fix_layout::kFirstRowLink + static_cast<int>(row_));
}

layout::Image RowPresentation::Show(const RowFindings& findings, RowTips& tips) const {
    const HWND box = GetDlgItem(window_, rows::kBoxes[rows::Index(row_)]);
    const RowResult result = findings.Result(row_);
    // The picture box's name is what a screen reader says after the caption; it is not drawn.
    SetWindowTextA(box, ResultText(result).data());
    InvalidateRect(box, nullptr, TRUE);  // painted at the run's next message pass
    const std::string tip = findings.Tip(row_);
    for (const HWND control : Controls()) tips.SetText(control, tip.c_str());
    return result == RowResult::NotChecked ? layout::Image::Question
           : result == RowResult::Passed   ? layout::Image::Tick
                                           : layout::Image::Cross;
}

int RowPresentation::ShowLink(const RowFindings& findings, HFONT font, int left, int dpi) {
    const platform::FixAction& action = findings.Action(row_);
    if (!link_ || action.kind == platform::FixAction::Kind::None || action.label.empty()) {
        HideLink();
        return 0;
    }
    SetLinkText(link_, LinkMarkup(action.label));
    SendMessageW(link_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const int right = PlaceLink(findings, font, left, dpi);
    ShowWindow(link_, SW_SHOWNA);  // shown, never given the focus
    return right;
}

int RowPresentation::PlaceLink(const RowFindings& findings, HFONT font, int left, int dpi) {
    if (!link_) return 0;
    const std::string words = LinkMarkup(findings.Action(row_).label);
    const int width = LinkTextWidth(font, words) + MulDiv(fix_layout::kLinkPadding, dpi, 96);
    RECT caption{};
    GetWindowRect(GetDlgItem(window_, rows::kCaptions[rows::Index(row_)]), &caption);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&caption), 2);
    SetWindowPos(link_, nullptr, left, caption.top, width, layout::TwipsToPixels(fix_layout::kLinkHeight, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(link_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return left + width;
}

void RowPresentation::HideLink() {
    if (!link_) return;
    // The focus goes back to the window rather than into nothing, so the keys still arrive.
    if (GetFocus() == link_) SetFocus(window_);
    ShowWindow(link_, SW_HIDE);
}

std::vector<HWND> RowPresentation::Controls() const {
    std::vector<HWND> controls{GetDlgItem(window_, rows::kBoxes[rows::Index(row_)]),
                               GetDlgItem(window_, rows::kCaptions[rows::Index(row_)])};
    if (row_ == Row::Os) controls.push_back(GetDlgItem(window_, layout::lblOS));
    return controls;
}
