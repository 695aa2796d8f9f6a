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

// SysLink's own window procedure, the same for every link.
WNDPROC linkProcedure = nullptr;

// Paints the link's words in `colours`, on the background the window gives its labels: the link's
// words in the link colour and underlined, the others in the text colour, and the focus rectangle
// around the link while it has the keyboard focus and the focus is shown.
void Paint(HWND link, HDC dc, const WindowColours& colours) {
    RECT client{};
    GetClientRect(link, &client);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(GetParent(link), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    if (brush) FillRect(dc, &client, brush);
    auto font = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW underlined{};
    platform::ScopedGdiObject linkFont;
    if (GetObjectW(font, sizeof underlined, &underlined)) {
        underlined.lfUnderline = TRUE;
        linkFont.reset(CreateFontIndirectW(&underlined));
    }
    wchar_t text[256] = {};
    GetWindowTextW(link, text, 256);
    SetBkMode(dc, TRANSPARENT);
    int x = 0;
    RECT focus{};
    for (const MarkupPart<wchar_t>& part : MarkupParts<wchar_t>(text)) {
        const platform::SelectionGuard selected(dc, part.link && linkFont ? linkFont.get() : font);
        SetTextColor(dc, part.link ? colours.link : colours.text);
        const int length = static_cast<int>(part.words.size());
        SIZE size{};
        GetTextExtentPoint32W(dc, part.words.c_str(), length, &size);
        TextOutW(dc, x, 0, part.words.c_str(), length);
        if (part.link) focus = {x, 0, x + size.cx, size.cy};
        x += size.cx;
    }
    if (GetFocus() == link && (SendMessageW(link, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0)
        DrawFocusRect(dc, &focus);
}

LRESULT CALLBACK PaintedLinkProcedure(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* colours = reinterpret_cast<const WindowColours*>(GetWindowLongPtrW(link, GWLP_USERDATA));
    if (colours && message == WM_PAINT) {
        PAINTSTRUCT paint{};
        if (const HDC dc = BeginPaint(link, &paint)) {
            Paint(link, dc, *colours);
            EndPaint(link, &paint);
        }
        return 0;
    }
    if (colours && message == WM_PRINTCLIENT) {
        Paint(link, reinterpret_cast<HDC>(wParam), *colours);
        return 0;
    }
    return CallWindowProcW(linkProcedure, link, message, wParam, lParam);
}

}  // namespace

void PaintLinkInColours(HWND link, const WindowColours& colours) {
    if (!link) return;
    const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(link, GWLP_WNDPROC));
    if (own != &PaintedLinkProcedure) {
        linkProcedure = own;
        SetWindowLongPtrW(link, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&colours));
        SetWindowLongPtrW(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintedLinkProcedure));
    }
    InvalidateRect(link, nullptr, TRUE);
}

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
