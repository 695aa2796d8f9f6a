#include "ScratchFolder.h"

#include <stdexcept>

#include "platform/FileSearch.h"

namespace checktest {

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name) {
    char temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
    path_ = std::string(temp, n) + "qt_" + name + "_" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);  // left over from an earlier run that did not finish
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw std::runtime_error("cannot create " + path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

CreatedFolders::CreatedFolders(const std::string& path) {
    // Each prefix that ends before a backslash, then the whole path; the drive itself exists.
    for (std::size_t at = path.find('\\', 3);; at = path.find('\\', at + 1)) {
        const std::string folder = path.substr(0, at);
        if (!IsFolder(folder)) {
            if (!CreateDirectoryA(folder.c_str(), nullptr))
                throw std::runtime_error("cannot create " + folder);
            created_.push_back(folder);
        }
        if (at == std::string::npos) break;
    }
}

CreatedFolders::~CreatedFolders() {
    for (auto folder = created_.rbegin(); folder != created_.rend(); ++folder) RemoveTree(*folder);
}

void WriteFile(const std::string& path, const std::string& contents) {
    const HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    const platform::ScopedKernelHandle file(opened);
    DWORD written = 0;
    if (!::WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written,
                     nullptr))
        throw std::runtime_error("cannot write " + path);
}

bool SetAttributes(const std::string& path, unsigned long attributes) {
    if (!SetFileAttributesA(path.c_str(), attributes)) return false;
    const DWORD now = GetFileAttributesA(path.c_str());
    return now != INVALID_FILE_ATTRIBUTES && (now & attributes) == attributes;
}

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry{};
    {
        const platform::ScopedFindHandle search(FindFirstFileA((path + "\\*").c_str(), &entry));
        if (search) {
            do {
                const std::string name = entry.cFileName;
                if (name != "." && name != "..") RemoveTree(path + "\\" + name);
            } while (FindNextFileA(search.get(), &entry));
        }
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace checktest
