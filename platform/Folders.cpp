#include "Folders.h"

#include <shlobj.h>

#include <algorithm>

#include "ScopedHandle.h"
#include "SystemLibrary.h"

namespace platform {

namespace {

constexpr UINT kFolderBufferLength = 512;

// The shell's folder functions and the task allocator that frees what they hand over, loaded on
// first use (see SystemLibrary.h). Throws MissingSystemFunction when one cannot be had.
struct ShellFolderFunctions {
    decltype(&::SHGetSpecialFolderLocation) getFolderLocation;
    decltype(&::SHGetPathFromIDListA) getPathFromIdList;
    decltype(&::CoTaskMemFree) freeTaskMemory;
};

const ShellFolderFunctions& ShellFolders() {
    static const ShellFolderFunctions functions = [] {
        SystemLibrary& shell = ShellLibrary();
        const auto getFolderLocation = shell.Get<decltype(&::SHGetSpecialFolderLocation)>("SHGetSpecialFolderLocation");
        const auto getPathFromIdList = shell.Get<decltype(&::SHGetPathFromIDListA)>("SHGetPathFromIDListA");
        return ShellFolderFunctions{getFolderLocation, getPathFromIdList,
                                    Ole32Library().Get<decltype(&::CoTaskMemFree)>("CoTaskMemFree")};
    }();
    return functions;
}

// An item ID list that the shell handed over: the caller frees it with the task allocator.
struct ItemIdListTraits {
    using handle_type = LPITEMIDLIST;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { ShellFolders().freeTaskMemory(h); }  // loaded: h came from it
};
using ScopedItemIdList = ScopedHandle<ItemIdListTraits>;

using FolderQuery = UINT(WINAPI*)(LPSTR, UINT);

std::string QueryFolder(FolderQuery query) {
    char buffer[kFolderBufferLength] = {};
    const UINT count = query(buffer, kFolderBufferLength);
    // A count of the buffer's size or more is the length the path would need: it did not fit.
    if (count >= kFolderBufferLength) return {};
    return std::string(buffer, count);
}

}  // namespace

std::string WindowsFolder() { return QueryFolder(&GetSystemWindowsDirectoryA); }

std::string SystemFolder() { return QueryFolder(&GetSystemDirectoryA); }

std::string ShellFolderPath(HWND owner, int csidl) {
    ScopedItemIdList list;
    if (ShellFolders().getFolderLocation(owner, csidl, list.receive()) != S_OK || !list) return {};
    char buffer[MAX_PATH] = {};  // the 260 characters the call may write
    if (!ShellFolders().getPathFromIdList(list.get(), buffer)) return {};
    return std::string(buffer, std::find(buffer, buffer + MAX_PATH, '\0'));
}

std::optional<std::uint32_t> FileAttributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

}  // namespace platform
