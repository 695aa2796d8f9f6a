#include "ReportFile.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "ScopedHandle.h"

namespace platform {

namespace {

// CreateFileW reports failure as INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using handle_type = HANDLE;
    static handle_type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(handle_type h) { CloseHandle(h); }
};
using ScopedFileHandle = ScopedHandle<FileHandleTraits>;

// A file this code made and removes again unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Own(std::wstring path) { path_ = std::move(path); }
    const std::wstring& path() const { return path_; }
    void Keep() { path_.clear(); }  // it is no longer this code's file

private:
    std::wstring path_;
};

// Wide text from UTF-8; nothing for an empty text, bytes that are not UTF-8, or an embedded NUL
// (which would make Windows stop reading the name early and write somewhere else).
std::wstring WideFromUtf8(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) return {};
    if (utf8.find('\0') != std::string_view::npos) return {};
    const int length = static_cast<int>(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), size) != size)
        return {};
    return wide;
}

// A number in decimal digits. std::to_wstring would bring the C library's wide printf into the
// program (some 26 KB) for this.
std::wstring WideNumber(unsigned long number) {
    const std::string digits = std::to_string(number);
    return std::wstring(digits.begin(), digits.end());
}

// A new file beside `target`, named after it and this process; another name is tried when an
// earlier run left one of that name behind. An invalid handle when none can be made.
ScopedFileHandle CreateTemporaryBeside(const std::wstring& target, TemporaryFile& temporary) {
    constexpr int kAttempts = 16;
    const std::wstring stem = target + L"." + WideNumber(GetCurrentProcessId());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::wstring path =
            stem + (attempt == 0 ? L"" : L"." + WideNumber(static_cast<unsigned long>(attempt))) + L".tmp";
        ScopedFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            temporary.Own(std::move(path));
            return file;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return ScopedFileHandle();
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr std::size_t kChunk = 1 << 20;
    while (!bytes.empty()) {
        const DWORD wanted = static_cast<DWORD>(std::min(bytes.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), wanted, &written, nullptr) || written != wanted) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool WriteFileWhole(const std::string& utf8Path, std::string_view bytes) {
    const std::wstring target = WideFromUtf8(utf8Path);
    if (target.empty()) return false;
    // Windows itself refuses to rename over a read-only file or a folder; say so before writing,
    // and the same on systems whose rename would not refuse.
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;

    TemporaryFile temporary;  // declared first: removed only after the handle below is closed
    ScopedFileHandle file = CreateTemporaryBeside(target, temporary);
    if (!file) return false;
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) return false;
    file.reset();  // a file still open cannot be renamed

    if (!MoveFileExW(temporary.path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    temporary.Keep();
    return true;
}

std::string SystemTextToUtf8(std::string_view ansi) {
    if (ansi.empty() || ansi.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const int length = static_cast<int>(ansi.size());
    const int wideSize = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (wideSize <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), wideSize) != wideSize) return {};

    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), size, nullptr, nullptr) != size)
        return {};
    return utf8;
}

}  // namespace platform
