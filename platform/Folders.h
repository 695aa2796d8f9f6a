#pragma once
// Where Windows keeps its folders, and what lies at a path; texts in the system code page.
#include <cstdint>
#include <optional>
#include <string>

#include "Win32.h"

namespace platform {

// The system's own Windows folder (GetSystemWindowsDirectoryA into 512 characters), also on a
// Remote Desktop session host, where GetWindowsDirectory may give a folder of the user's own;
// empty when the call fails.
std::string WindowsFolder();

// The system folder (GetSystemDirectoryA into 512 characters); empty when the call fails.
std::string SystemFolder();

// The path of shell folder `csidl`, with `owner` (may be null) as the shell's owner window;
// empty when the shell has no such folder or it has no file-system path.
std::string ShellFolderPath(HWND owner, int csidl);

// The attribute bits of the file or folder at `path`; nothing when it cannot be queried.
std::optional<std::uint32_t> FileAttributes(const std::string& path);

}  // namespace platform
