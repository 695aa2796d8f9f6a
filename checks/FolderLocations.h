#pragma once
// The folders that path tokens stand for, and whether a folder exists. Nothing is cached: each
// call asks Windows again.
#include <string>

#include "ProgramFilesLocations.h"
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

// Whether this PC runs 64-bit Windows, and this program's bitness there.
WindowsBitness ThisBitness();

// On 64-bit Windows, the Program Files folder of the other bitness than this program's: for a
// 32-bit program the 64-bit one (the ProgramW6432 environment value, else ProgramFilesDir in the
// 64-bit registry view), for a 64-bit program the 32-bit one (shell folder 42, else the
// ProgramFiles(x86) environment value). Empty on 32-bit Windows and when Windows does not give it.
std::string OtherProgramFilesFolder(HWND owner, WindowsBitness bitness);
