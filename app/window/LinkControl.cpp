#include "LinkControl.h"

#include "app/window/LinkMarkup.h"
#include "platform/CommonControls.h"
#include "platform/ScopedHandle.h"
#include "platform/SelectionGuard.h"

#include <memory>

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

// What the painter keeps for one link, owned by its subclass and freed as the link is destroyed:
// the markup the program gave it, since what a SysLink answers WM_GETTEXT with is not documented
// to keep the "<a>" tags, and the colours, once the window gives them.
struct LinkState {
    std::wstring markup;
    const WindowColours* colours = nullptr;
};

constexpr UINT_PTR kPainter = 1;  // the one subclass of ours on a link

// Paints the link's words in `colours`, on the background the window gives its labels: the link's
// words in the link colour and underlined, the others in the text colour, and the focus rectangle
// around the link while it has the keyboard focus and the focus is shown.
void Paint(HWND link, HDC dc, const std::wstring& markup, const WindowColours& colours) {
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
    SetBkMode(dc, TRANSPARENT);
    int x = 0;
    RECT focus{};
    for (const MarkupPart<wchar_t>& part : MarkupParts<wchar_t>(markup)) {
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

LRESULT CALLBACK PaintedLinkProcedure(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) {
    auto* state = reinterpret_cast<LinkState*>(data);
    if (message == WM_NCDESTROY) {
        const std::unique_ptr<LinkState> owned(state);
        platform::RemoveWindowSubclass(link, &PaintedLinkProcedure, id);
        return platform::DefSubclassProc(link, message, wParam, lParam);
    }
    if (state->colours && message == WM_PAINT) {
        PAINTSTRUCT paint{};
        if (const HDC dc = BeginPaint(link, &paint)) {
            Paint(link, dc, state->markup, *state->colours);
            EndPaint(link, &paint);
        }
        return 0;
    }
    if (state->colours && message == WM_PRINTCLIENT) {
        Paint(link, reinterpret_cast<HDC>(wParam), state->markup, *state->colours);
        return 0;
    }
    return platform::DefSubclassProc(link, message, wParam, lParam);
}

// The painter's state of a link made by CreateLinkControl; null for any other window, or where
// comctl32 could not subclass it (the SysLink then paints itself).
LinkState* StateOf(HWND link) {
    DWORD_PTR data = 0;
    if (!link || !platform::GetWindowSubclass(link, &PaintedLinkProcedure, kPainter, &data)) return nullptr;
    return reinterpret_cast<LinkState*>(data);
}

}  // namespace

void PaintLinkInColours(HWND link, const WindowColours& colours) {
    LinkState* state = StateOf(link);
    if (!state) return;
    state->colours = &colours;
    InvalidateRect(link, nullptr, TRUE);
}

HWND CreateLinkControl(HWND parent, HINSTANCE instance, int id) {
    // Transparent: the window's own background shows behind the words, in any colour scheme.
    const HWND link = CreateWindowExW(0, kLinkClass, L"", WS_CHILD | WS_TABSTOP | LWS_TRANSPARENT, 0, 0, 0, 0,
                                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!link) return nullptr;
    auto state = std::make_unique<LinkState>();
    if (platform::SetWindowSubclass(link, &PaintedLinkProcedure, kPainter, reinterpret_cast<DWORD_PTR>(state.get())))
        state.release();  // the subclass's now, freed at WM_NCDESTROY
    return link;
}

void SetLinkText(HWND link, std::string_view utf8Markup) {
    if (!link) return;
    const std::wstring markup = Wide(utf8Markup);
    if (LinkState* state = StateOf(link)) state->markup = markup;
    SetWindowTextW(link, markup.c_str());
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
