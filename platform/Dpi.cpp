#include "Dpi.h"

#include "SystemLibrary.h"

namespace platform {
namespace {

// Windows 10 1607 and later.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = OptionalFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi = OptionalFunction<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustFrameForDpi(RECT& client, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi = OptionalFunction<AdjustWindowRectExForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
}

}  // namespace platform
