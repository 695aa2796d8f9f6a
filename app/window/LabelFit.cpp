#include "LabelFit.h"

#include <string>

#include "platform/ScopedHandle.h"
#include "platform/SelectionGuard.h"

namespace {

constexpr UINT kStaticTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

std::string TextOf(HWND control) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool Fits(HDC dc, const std::string& text, int width, int height) {
    RECT needed{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, kStaticTextFormat | DT_CALCRECT);
    return needed.right <= width && needed.bottom <= height;
}

}  // namespace

void WidenToFit(HWND label, HFONT font, int maxRight) {
    const std::string text = TextOf(label);
    if (text.empty()) return;
    RECT box{};
    GetWindowRect(label, &box);
    MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&box), 2);
    const int height = box.bottom - box.top;
    platform::ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return;
    platform::SelectionGuard selected(dc.get(), font);
    int width = box.right - box.left;
    const int widest = maxRight - box.left;
    if (Fits(dc.get(), text, width, height) || width >= widest) return;
    while (width < widest && !Fits(dc.get(), text, width, height)) ++width;
    SetWindowPos(label, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
