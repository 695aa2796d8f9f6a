#pragma once
// Puts text on the Windows clipboard, as a program does for Ctrl+C.
#include <string_view>

#include "Win32.h"

namespace platform {

// Replaces the clipboard's contents with `utf8Text` as Unicode text (Windows offers it to
// older programs as system-code-page text by itself). `owner` is the window that owns the
// clipboard. False when the clipboard could not be had: another program holding it for longer
// than a moment, or no memory.
bool PutTextOnClipboard(HWND owner, std::string_view utf8Text);

}  // namespace platform
