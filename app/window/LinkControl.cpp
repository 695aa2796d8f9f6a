#include "LinkControl.h"

#include "app/window/LinkMarkup.h"
#include "platform/ScopedHandle.h"
#include "platform/SelectionGuard.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kLinkClass[] = L"SysLink";

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    return wide;
}

}  // namespace

HWND CreateLinkControl(HWND parent, HINSTANCE instance, int id) {
    // Transparent: the window's own background shows behind the words, in any colour scheme.
    return CreateWindowExW(0, kLinkClass, L"", WS_CHILD | WS_TABSTOP | LWS_TRANSPARENT, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void SetLinkText(HWND link, std::string_view utf8Markup) {
    if (!link) return;
    SetWindowTextW(link, Wide(utf8Markup).c_str());
    SetWindowLongA(link, GWL_STYLE, GetWindowLongA(link, GWL_STYLE) | WS_TABSTOP);
}

int LinkTextWidth(HFONT font, std::string_view utf8Markup) {
    const std::wstring words = Wide(WithoutMarkup(utf8Markup));
    platform::ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return 0;
    platform::SelectionGuard selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), words.c_str(), static_cast<int>(words.size()), &size);
    return size.cx;
}
