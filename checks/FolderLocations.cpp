#include "FolderLocations.h"

#include "platform/Folders.h"

std::string WindowsDirectory() { return platform::WindowsFolder(); }

std::string SystemDirectory() { return platform::SystemFolder(); }

std::string fGetSpecialFolder(HWND owner, int CSIDL) {
    return platform::ShellFolderPath(owner, CSIDL);
}

bool DirExists(const std::string& DirName) {
    const std::optional<std::uint32_t> attributes = platform::FileAttributes(DirName);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
