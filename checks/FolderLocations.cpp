#include "FolderLocations.h"

#include "platform/Folders.h"
#include "platform/ProcessBitness.h"
#include "platform/RegistryValues.h"

std::string WindowsDirectory() { return platform::WindowsFolder(); }

std::string SystemDirectory() { return platform::SystemFolder(); }

std::string fGetSpecialFolder(HWND owner, int CSIDL) {
    return platform::ShellFolderPath(owner, CSIDL);
}

bool DirExists(const std::string& DirName) {
    const std::optional<std::uint32_t> attributes = platform::FileAttributes(DirName);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

WindowsBitness ThisBitness() {
#ifdef _WIN64
    return WindowsBitness::Program64;
#else
    return platform::RunsUnderWow64() ? WindowsBitness::Program32OnWindows64 : WindowsBitness::Windows32;
#endif
}

std::string OtherProgramFilesFolder(HWND owner, WindowsBitness bitness) {
    switch (bitness) {
        case WindowsBitness::Windows32: return {};
        case WindowsBitness::Program32OnWindows64: {
            // ProgramW6432 is set from Windows 7 on; XP and Vista x64 record it only in the registry.
            std::string folder = platform::EnvironmentValue("ProgramW6432");
            if (!folder.empty()) return folder;
            return platform::ReadRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                              "ProgramFilesDir", KEY_WOW64_64KEY)
                .value_or(std::string());
        }
        case WindowsBitness::Program64: {
            constexpr int kCsidlProgramFilesX86 = 42;
            std::string folder = fGetSpecialFolder(owner, kCsidlProgramFilesX86);
            return folder.empty() ? platform::EnvironmentValue("ProgramFiles(x86)") : folder;
        }
    }
    return {};
}
