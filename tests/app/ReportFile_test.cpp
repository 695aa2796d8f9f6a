// Writing the report file whole or not at all, and system texts turned into UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ReportFile.h"
#include "platform/ScopedHandle.h"

namespace {

using namespace std::string_literals;

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

// A new empty folder under the temporary folder, taken away with everything in it at the end.
// Wide calls throughout, so names outside the system code page can be made and removed.
class WideScratchFolder {
public:
    WideScratchFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
        if (n == 0 || n > MAX_PATH) throw std::runtime_error("no temporary folder");
        path_ = std::wstring(temp, n) + L"qt_report_" + std::to_wstring(GetCurrentProcessId());
        RemoveTree(path_);
        if (!CreateDirectoryW(path_.c_str(), nullptr)) throw std::runtime_error("cannot make scratch folder");
    }
    ~WideScratchFolder() { RemoveTree(path_); }
    WideScratchFolder(const WideScratchFolder&) = delete;
    WideScratchFolder& operator=(const WideScratchFolder&) = delete;

    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    // The names in `folder` (the scratch folder itself by default), sorted.
    std::vector<std::wstring> Entries(const std::wstring& folder = {}) const {
        return List(folder.empty() ? path_ : folder);
    }

private:
    static std::vector<std::wstring> List(const std::wstring& folder) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data{};
        const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

    static void RemoveTree(const std::wstring& path) {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileW(path.c_str());
            return;
        }
        for (const std::wstring& name : List(path)) RemoveTree(path + L"\\" + name);
        RemoveDirectoryW(path.c_str());
    }

    std::wstring path_;
};

struct FileHandleTraits {
    using handle_type = HANDLE;
    static handle_type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(handle_type h) { CloseHandle(h); }
};
using ScopedFile = platform::ScopedHandle<FileHandleTraits>;

std::string ReadWhole(const std::wstring& path) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) throw std::runtime_error("cannot open " + Utf8(path));
    std::string contents;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) contents.append(buffer, got);
    return contents;
}

void WriteDirectly(const std::wstring& path, const std::string& contents) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr))
        throw std::runtime_error("cannot write " + Utf8(path));
}

class WriteFileWholeTest : public ::testing::Test {
protected:
    WideScratchFolder scratch;
};

TEST_F(WriteFileWholeTest, WritesANewFileAndLeavesNothingElse) {
    const std::string report = "Quorvin Tessary Card System\r\n2026-12-07 16:55:19\r\n";
    ASSERT_TRUE(platform::WriteFileWhole(Utf8(scratch / L"report.txt"), report));
    EXPECT_EQ(ReadWhole(scratch / L"report.txt"), report);
    EXPECT_EQ(scratch.Entries(), (std::vector<std::wstring>{L"report.txt"}));
}

TEST_F(WriteFileWholeTest, ReplacesAnExistingLongerFileCompletely) {
    WriteDirectly(scratch / L"report.json", std::string(5000, 'o'));
    ASSERT_TRUE(platform::WriteFileWhole(Utf8(scratch / L"report.json"), "{}"));
    EXPECT_EQ(ReadWhole(scratch / L"report.json"), "{}");
    EXPECT_EQ(scratch.Entries(), (std::vector<std::wstring>{L"report.json"}));
}

TEST_F(WriteFileWholeTest, WritesEmptyAndLargeContentsExactly) {
    ASSERT_TRUE(platform::WriteFileWhole(Utf8(scratch / L"empty.txt"), ""));
    EXPECT_EQ(ReadWhole(scratch / L"empty.txt"), "");

    std::string large(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>((i * 7919) % 251);
    ASSERT_TRUE(platform::WriteFileWhole(Utf8(scratch / L"large.bin"), large));
    EXPECT_EQ(ReadWhole(scratch / L"large.bin"), large);
}

TEST_F(WriteFileWholeTest, FailsForAMissingFolderAndMakesNothing) {
    EXPECT_FALSE(platform::WriteFileWhole(Utf8(scratch / L"missing\\report.txt"), "text"));
    EXPECT_TRUE(scratch.Entries().empty());
}

TEST_F(WriteFileWholeTest, FailsWhenTheTargetIsAFolderAndLeavesNoTemporary) {
    ASSERT_TRUE(CreateDirectoryW((scratch / L"sub").c_str(), nullptr));
    EXPECT_FALSE(platform::WriteFileWhole(Utf8(scratch / L"sub"), "text"));
    EXPECT_FALSE(platform::WriteFileWhole(Utf8(scratch / L"sub\\"), "text"));
    EXPECT_EQ(scratch.Entries(), (std::vector<std::wstring>{L"sub"}));
    EXPECT_TRUE(scratch.Entries(scratch / L"sub").empty());
}

TEST_F(WriteFileWholeTest, LeavesAReadOnlyTargetAsItWas) {
    const std::wstring target = scratch / L"locked.txt";
    WriteDirectly(target, "earlier report");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::WriteFileWhole(Utf8(target), "new report"));
    EXPECT_EQ(ReadWhole(target), "earlier report");
    EXPECT_EQ(scratch.Entries(), (std::vector<std::wstring>{L"locked.txt"}));
}

TEST_F(WriteFileWholeTest, LeavesATargetInUseAsItWasAndRemovesItsTemporary) {
    // The rename is refused only after the temporary was written: it must not stay behind.
    const std::wstring target = scratch / L"open.txt";
    WriteDirectly(target, "earlier report");
    {
        const ScopedFile inUse(CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(inUse);
        EXPECT_FALSE(platform::WriteFileWhole(Utf8(target), "new report"));
    }
    EXPECT_EQ(ReadWhole(target), "earlier report");
    EXPECT_EQ(scratch.Entries(), (std::vector<std::wstring>{L"open.txt"}));
}

TEST_F(WriteFileWholeTest, WritesANameOutsideTheSystemCodePage) {
    const std::wstring name = L"Bericht-\u00E9-\u65E5\u672C-\u03A9.txt";
    ASSERT_TRUE(platform::WriteFileWhole(Utf8(scratch / name), "caf\xC3\xA9"));
    EXPECT_EQ(ReadWhole(scratch / name), "caf\xC3\xA9");
    EXPECT_EQ(scratch.Entries(), (std::vector<std::wstring>{name}));
}

TEST_F(WriteFileWholeTest, WorksAroundATemporaryLeftByAnEarlierRun) {
    const std::wstring target = scratch / L"report.txt";
    const std::wstring stale = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    WriteDirectly(stale, "someone else's");
    ASSERT_TRUE(platform::WriteFileWhole(Utf8(target), "fresh"));
    EXPECT_EQ(ReadWhole(target), "fresh");
    EXPECT_EQ(ReadWhole(stale), "someone else's");
    EXPECT_EQ(scratch.Entries().size(), 2u);
}

TEST_F(WriteFileWholeTest, RefusesPathsThatAreNotAFileName) {
    EXPECT_FALSE(platform::WriteFileWhole("", "text"));
    // Not UTF-8: a system-code-page byte must not be guessed at.
    EXPECT_FALSE(platform::WriteFileWhole(Utf8(scratch / L"caf") + "\xE9.txt", "text"));
    // A NUL would end the name early: "a" would be written instead of the name given.
    EXPECT_FALSE(platform::WriteFileWhole(Utf8(scratch / L"a") + "\0b.txt"s, "text"));
    EXPECT_TRUE(scratch.Entries().empty());
}

TEST(SystemTextToUtf8Test, KeepsAsciiAndEmptyTextAsTheyAre) {
    EXPECT_EQ(platform::SystemTextToUtf8(""), "");
    EXPECT_EQ(platform::SystemTextToUtf8("C:\\WINDOWS\\Microsoft.NET"), "C:\\WINDOWS\\Microsoft.NET");
    EXPECT_EQ(platform::SystemTextToUtf8("a\0b"s), "a\0b"s);
    const std::string longText(100000, 'x');
    EXPECT_EQ(platform::SystemTextToUtf8(longText), longText);
}

TEST(SystemTextToUtf8Test, TurnsACodePageCharacterIntoItsUtf8Bytes) {
    char ansi[8] = {};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, L"\u00E9", 1, ansi, sizeof ansi - 1, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) GTEST_SKIP() << "the system code page has no e-acute";
    if (GetACP() == 1252) {
        EXPECT_EQ(std::string(ansi, static_cast<std::size_t>(n)), "\xE9");
    }
    const std::string text = "C:\\Caf" + std::string(ansi, static_cast<std::size_t>(n)) + "\\x";
    EXPECT_EQ(platform::SystemTextToUtf8(text), "C:\\Caf\xC3\xA9\\x");
}

}  // namespace
