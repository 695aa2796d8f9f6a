#pragma once
// How the window starts a fix: through the shell (platform::StartFix). ShellExecuteEx can take a
// while and dispatch this thread's messages meanwhile (a consent prompt, a DDE conversation, a
// COM call): whatever the person clicks or presses during it reaches the window then.
#include "platform/FixAction.h"
#include "platform/Win32.h"

// Starts `action` with `owner` as the owner of anything the shell shows. With the environment
// value QTSYSCHECK_SLOW_START set to a number of milliseconds (at most a minute), the start first
// dispatches this thread's messages for that long, as such a shell start does: the UI tests show
// with it that nothing done during a start re-enters the window.
unsigned long StartFixFromWindow(const platform::FixAction& action, HWND owner);
