// The least a Win32 window program does: register a class, create and show a window, paint it,
// run the message loop. The benchmark starts it beside QTSysCheck.exe to have a yardstick for
// the time from process start to first paint on the same machine, in the same run.
#include "MinimalWindow.h"
#include "platform/ScopedHandle.h"
#include "platform/Win32.h"

namespace {

constexpr char kClassName[] = "QTSysCheckBenchMinimalWindow";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(hwnd, &paint);
            const platform::ScopedGdiObject brush(
                CreateSolidBrush(RGB(minimal::kRed, minimal::kGreen, minimal::kBlue)));
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(brush.get()));
            EndPaint(hwnd, &paint);
            return 0;
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
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.lpszClassName = kClassName;  // no background brush: only WM_PAINT colours the window
    if (!RegisterClassExA(&wc)) return 1;

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, minimal::kClientWidth, minimal::kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    const HWND hwnd = CreateWindowExA(0, kClassName, minimal::kTitle, kStyle, CW_USEDEFAULT,
                                      CW_USEDEFAULT, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);

    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
