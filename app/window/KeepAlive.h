#pragma once
// Waits for one long piece of work (an Internet fetch can take a minute) on a worker thread while
// the window's thread keeps the window painted and answers messages sent to it, so that Windows never
// shows the window as "Not Responding". Input stays queued for the run's next message pass, so
// the rows still change strictly in order; only a request to close is looked for meanwhile, and
// it abandons the work.
#include <functional>

#include "platform/Win32.h"

// Waits for `worker` (a thread handle) to end. `abandon` is called (from the window's thread) when
// the user asks to close the window; the worker must then end promptly.
void WaitKeepingWindowAlive(HWND window, HANDLE worker, const std::function<void()>& abandon);
