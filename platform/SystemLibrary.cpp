#include "SystemLibrary.h"

#include <string>

namespace platform {
namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which the Windows XP headers this program builds with lack.
constexpr DWORD kSearchSystem32 = 0x00000800;

std::string SystemFolderPath(const char* fileName) {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(folder, length) + "\\" + fileName;
}

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

SetDefaultDllDirectoriesFunction SetDefaultDllDirectoriesIfPresent() {
    return OptionalFunction<SetDefaultDllDirectoriesFunction>("kernel32.dll", "SetDefaultDllDirectories");
}

HMODULE LoadByFullPath(const char* fileName) {
    const std::string path = SystemFolderPath(fileName);
    // The altered search order looks for the DLL's own imports in its folder first.
    return path.empty() ? nullptr : LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Side-by-side redirection maps a bare name to the version the manifest asks for before any
// folder is searched; a full path skips it and gets the system folder's version 5 comctl32. The
// search that follows keeps to the system folder where Windows knows the flag (older Windows
// rejects it; there the restriction made first thing in WinMain is what holds).
HMODULE LoadSideBySide(const char* fileName) {
    return LoadLibraryExA(fileName, nullptr, SetDefaultDllDirectoriesIfPresent() ? kSearchSystem32 : 0);
}

}  // namespace

FARPROC SystemLibrary::Address(const char* name) {
    HMODULE module = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!loaded_) {
            module_ = lookup_ == Lookup::SideBySide ? LoadSideBySide(fileName_) : LoadByFullPath(fileName_);
            loaded_ = true;
        }
        module = module_;
    }
    if (!module) throw MissingSystemFunction(std::string(fileName_) + " could not be loaded");
    const FARPROC function = GetProcAddress(module, name);
    if (!function) throw MissingSystemFunction(std::string(fileName_) + " has no " + name);
    return function;
}

SystemLibrary& WinInetLibrary() {
    static SystemLibrary library("wininet.dll");
    return library;
}

SystemLibrary& VersionLibrary() {
    static SystemLibrary library("version.dll");
    return library;
}

SystemLibrary& ShellLibrary() {
    static SystemLibrary library("shell32.dll");
    return library;
}

SystemLibrary& Ole32Library() {
    static SystemLibrary library("ole32.dll");
    return library;
}

SystemLibrary& CommonControlsLibrary() {
    static SystemLibrary library("comctl32.dll", SystemLibrary::Lookup::SideBySide);
    return library;
}

void RestrictDllSearchToSystemFolder() {
    using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);
    if (const auto setDefault = SetDefaultDllDirectoriesIfPresent())
        if (setDefault(kSearchSystem32)) return;
    // Windows XP SP1 and later.
    if (const auto setDirectory = OptionalFunction<SetDllDirectoryFunction>("kernel32.dll", "SetDllDirectoryA")) setDirectory("");
}

}  // namespace platform
