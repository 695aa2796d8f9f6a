#pragma once
// Reads what another program's window shows, from outside, as a person would see it.
#include <string>

#include "Png.h"
#include "platform/Win32.h"

namespace testsupport {

// The window's client area, or the whole window with its frame.
Picture CaptureClient(HWND window);
Picture CaptureWindow(HWND window);
// Any rectangle of the screen, in screen coordinates (a window and its tooltip together).
Picture CaptureScreenArea(const RECT& area);

// A child control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// The visible top-level window of the process with that title; null when there is none yet.
HWND FindShownWindow(DWORD processId, const std::string& title);

// The text of any window, read without sending it a message (the window's thread may be busy).
std::string WindowText(HWND window);

}  // namespace testsupport
