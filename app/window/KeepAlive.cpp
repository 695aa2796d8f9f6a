#include "KeepAlive.h"

namespace {

// A close request waiting in the queue: the close box, Alt+F4, Esc, or a close posted by a program.
bool CloseRequested(HWND window) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return true;
    if (PeekMessageA(&msg, window, WM_CLOSE, WM_CLOSE, PM_NOREMOVE)) return true;
    if (PeekMessageA(&msg, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE) &&
        (msg.wParam & 0xFFF0) == SC_CLOSE)
        return true;
    if (PeekMessageA(&msg, window, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_NOREMOVE) &&
        msg.wParam == HTCLOSE)
        return true;
    if (PeekMessageA(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) && msg.wParam == VK_F4)
        return true;
    // Esc, which closes the window during the run as the close box does.
    if (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) && msg.wParam == VK_ESCAPE)
        return true;
    return false;
}

}  // namespace

void WaitKeepingWindowAlive(HWND window, HANDLE worker, const std::function<void()>& abandon) {
    bool abandoned = false;
    for (;;) {
        // Wake for painting and sent messages, and at least every 100 ms to look at the queue:
        // a thread that looks at its queue is not hung.
        const HANDLE handles[] = {worker};
        const DWORD woke = MsgWaitForMultipleObjects(1, handles, FALSE, 100, QS_PAINT | QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return;
        if (woke == WAIT_FAILED) {
            WaitForSingleObject(worker, INFINITE);
            return;
        }
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // answers sent messages
        while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
        if (!abandoned && CloseRequested(window)) {
            abandoned = true;
            abandon();
        }
    }
}
