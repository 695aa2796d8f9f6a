#pragma once
// The folders that path tokens stand for, and whether a folder exists. Nothing is cached: each
// call asks Windows again.
#include <string>

#include "platform/Win32.h"

// The Windows folder; empty when Windows does not give it.
std::string WindowsDirectory();

// The Windows system folder; empty when Windows does not give it.
std::string SystemDirectory();

// The path of shell folder `CSIDL`, `owner` (may be null) being the window the shell may use
// as owner; empty on any failure.
std::string fGetSpecialFolder(HWND owner, int CSIDL);

// True when a folder, of whatever attributes, exists at `DirName`; false for a file, for no
// such path and for a path that cannot be queried (the empty one included).
bool DirExists(const std::string& DirName);
