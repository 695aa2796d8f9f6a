#pragma once
// The display scale a window is drawn at. Windows 10 gives each monitor a scale of its own and
// tells a window through WM_DPICHANGED; older Windows has one scale for the whole session. The
// newer calls are looked up at run time, so the program still starts on Windows XP.
#include "Win32.h"

namespace platform {

// WM_DPICHANGED: wParam holds the new dots per inch, lParam the suggested window rectangle.
inline constexpr UINT kMsgDpiChanged = 0x02E0;

// The dots per inch of the screen for the whole session (96 at 100 %).
int SystemDpi();

// The dots per inch `window` is drawn at: its monitor's where Windows scales per monitor and the
// program asked for it, else the session's.
int WindowDpi(HWND window);

// GetSystemMetrics as it would answer at `dpi` (icon sizes, frame widths).
int SystemMetricForDpi(int index, int dpi);

// AdjustWindowRectEx at `dpi`: the window rectangle around `client`.
void AdjustFrameForDpi(RECT& client, DWORD style, DWORD exStyle, int dpi);

}  // namespace platform
