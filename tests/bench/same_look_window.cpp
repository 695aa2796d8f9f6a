// The floor of the checker's start-up under a given system: the same window with the same
// controls, font, images, icons, manifest and colours, laid out by the same table, but no checks,
// no run and no tooltips. Under Wine each native control has a cost of its own, so a bare window
// is no yardstick for how close the checker comes to what its window alone costs.
#include <algorithm>
#include <array>

#include "SameLookWindow.h"
#include "app/res/resource.h"
#include "app/window/DialogFont.h"
#include "app/window/LabelFit.h"
#include "app/window/Layout.h"
#include "app/window/WindowImages.h"
#include "platform/CommonControls.h"
#include "platform/Dpi.h"
#include "platform/ScopedHandle.h"
#include "platform/SelectionGuard.h"

#include <commctrl.h>

namespace {

constexpr char kClassName[] = "QTSysCheckBenchSameLookWindow";
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct Window {
    HINSTANCE instance = nullptr;
    int dpi = 96;
    platform::ScopedGdiObject font;
    WindowImages images;
};
Window state;

RECT PixelRect(const layout::Control& c) {
    const int left = layout::TwipsToPixels(c.left, state.dpi), top = layout::TwipsToPixels(c.top, state.dpi);
    return {left, top, left + layout::TwipsToPixels(c.width, state.dpi),
            top + layout::TwipsToPixels(c.height, state.dpi)};
}

const layout::Control& Described(UINT id) { return layout::kControls[id - layout::picMsHTMLDLL]; }

void CreateControls(HWND hwnd) {
    for (const layout::Control& c : layout::kControls) {
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.visible ? WS_VISIBLE : 0) | (c.enabled ? 0 : WS_DISABLED);
        const char* windowClass = "STATIC";
        switch (c.kind) {
            case layout::Kind::Picture: style |= SS_OWNERDRAW; break;
            case layout::Kind::Label: style |= SS_LEFT | SS_NOPREFIX; break;
            case layout::Kind::Button:
                windowClass = "BUTTON";
                style |= BS_PUSHBUTTON | WS_TABSTOP;
                break;
        }
        const RECT r = PixelRect(c);
        const HWND control = CreateWindowExA(0, windowClass, c.text, style, r.left, r.top, r.right - r.left,
                                             r.bottom - r.top, hwnd,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), state.instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font.get()), FALSE);
        if (c.kind == layout::Kind::Label)
            WidenToFit(control, static_cast<HFONT>(state.font.get()), layout::TwipsToPixels(layout::kClientWidth, state.dpi));
    }
    // The same stacking as the checker's: by tab index, the release's name above its caption.
    std::array<const layout::Control*, layout::kControls.size()> byTab{};
    std::transform(layout::kControls.begin(), layout::kControls.end(), byTab.begin(),
                   [](const layout::Control& c) { return &c; });
    std::sort(byTab.begin(), byTab.end(),
              [](const layout::Control* a, const layout::Control* b) { return a->tabIndex < b->tabIndex; });
    for (const layout::Control* c : byTab)
        SetWindowPos(GetDlgItem(hwnd, c->id), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const HWND above = GetWindow(GetDlgItem(hwnd, layout::Label2), GW_HWNDPREV);
    SetWindowPos(GetDlgItem(hwnd, layout::lblOS), above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void DrawPicture(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    const HBITMAP picture = state.images.Get(Described(item.CtlID).image);
    BITMAP info{};
    if (!picture || !GetObjectA(picture, sizeof info, &info)) return;
    platform::ScopedMemoryDc source(CreateCompatibleDC(item.hDC));
    if (!source) return;
    platform::SelectionGuard selected(source.get(), picture);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, std::min<int>(info.bmWidth, item.rcItem.right - item.rcItem.left),
           std::min<int>(info.bmHeight, item.rcItem.bottom - item.rcItem.top), source.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            state.font = CreateDialogFont(state.dpi);
            state.images.Load(state.instance, state.dpi);
            CreateControls(hwnd);
            return 0;
        case WM_DRAWITEM:
            DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            const bool isOsText = GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == layout::lblOS;
            SetTextColor(dc, isOsText ? static_cast<COLORREF>(layout::kOsTextColour) : GetSysColor(COLOR_BTNTEXT));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The themed Close button needs the common controls as the checker has them.
    platform::InitCommonControls(ICC_STANDARD_CLASSES);
    state.instance = instance;
    state.dpi = platform::SystemDpi();

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LOGO));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_LOGO), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc)) return 1;

    RECT frame{0, 0, layout::TwipsToPixels(layout::kClientWidth, state.dpi),
               layout::TwipsToPixels(layout::kClientHeight, state.dpi)};
    platform::AdjustFrameForDpi(frame, kFrameStyle, 0, state.dpi);
    const HWND hwnd = CreateWindowExA(0, kClassName, same_look::kTitle, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                      instance, nullptr);
    if (!hwnd) return 1;
    // Where Wine draws the frame at another scale, the client area is made the design's size.
    RECT client{}, window{};
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &window);
    SetWindowPos(hwnd, nullptr, 0, 0,
                 window.right - window.left + layout::TwipsToPixels(layout::kClientWidth, state.dpi) - client.right,
                 window.bottom - window.top + layout::TwipsToPixels(layout::kClientHeight, state.dpi) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(hwnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
