#pragma once
// Starting what a failed row's link opens.
#include "FixAction.h"
#include "Win32.h"

namespace platform {

// Starts a Program or Page action through the shell (ShellExecuteExA, shell32 loaded on first
// use), so that a program asking for elevation gets it and a page opens in the default browser.
// Windows shows no error box of its own: a failure is only returned. ERROR_SUCCESS when started,
// else the Windows error (ERROR_FILE_NOT_FOUND, ERROR_NO_ASSOCIATION, ERROR_CANCELLED when the
// elevation was refused ...). None and CheckAgain start nothing: ERROR_INVALID_PARAMETER.
// A program in the native System32 (FixAction::nativeSystemFolder) is started with this 32-bit
// process's file-system redirection off around the start, so that the path it is given, elevated
// starts included, is the real one.
unsigned long StartFix(const FixAction& action, HWND owner);

}  // namespace platform
