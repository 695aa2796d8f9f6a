#include "FixStart.h"

#include "platform/StartFix.h"

namespace {

// The milliseconds QTSYSCHECK_SLOW_START asks for; 0 when it is not set or not a number.
DWORD SlowStartMs() {
    char value[8] = {};
    const DWORD length = GetEnvironmentVariableA("QTSYSCHECK_SLOW_START", value, sizeof value);
    if (length == 0 || length >= sizeof value) return 0;
    DWORD ms = 0;
    for (const char* c = value; *c; ++c) {
        if (*c < '0' || *c > '9') return 0;
        ms = ms * 10 + static_cast<DWORD>(*c - '0');
    }
    return ms < 60000 ? ms : 60000;
}

// Dispatches this thread's messages for `ms`, as a shell start's own message loop does: plainly,
// without the window's keyboard handling. A quit request is left for the main loop.
void DispatchMessagesFor(DWORD ms) {
    const DWORD started = GetTickCount();
    for (DWORD spent = 0; spent < ms; spent = GetTickCount() - started) {
        // What is queued first: the wait below returns only for messages that arrive after it.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        spent = GetTickCount() - started;
        if (spent < ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

}  // namespace

unsigned long StartFixFromWindow(const platform::FixAction& action, HWND owner) {
    if (const DWORD ms = SlowStartMs()) DispatchMessagesFor(ms);
    return platform::StartFix(action, owner);
}
