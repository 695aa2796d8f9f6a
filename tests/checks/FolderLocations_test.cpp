// The folder services against the Windows that runs the tests.
#include "checks/FolderLocations.h"

#include <gtest/gtest.h>

#include "Environment.h"
#include "ScratchFolder.h"
#include "checks/PathTemplate.h"

namespace {

using checktest::Environment;
using checktest::ScratchFolder;

::testing::AssertionResult SamePath(const std::string& actual, const std::string& expected) {
    if (lstrcmpiA(actual.c_str(), expected.c_str()) == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '"' << actual << "\" is not \"" << expected << '"';
}

constexpr int kCsidlProgramFiles = 38;
constexpr int kCsidlDrives = 17;  // "My Computer": a folder without a file-system path

TEST(WindowsDirectory, IsTheWindowsFolder) {
    const std::string windows = WindowsDirectory();
    EXPECT_TRUE(SamePath(windows, Environment("SystemRoot")));
    EXPECT_NE(windows.back(), '\\');
    EXPECT_TRUE(DirExists(windows));
}

TEST(SystemDirectory, IsAFolderInTheWindowsFolderHoldingKernel32) {
    const std::string system = SystemDirectory();
    const std::string windows = WindowsDirectory();
    ASSERT_GT(system.size(), windows.size());
    EXPECT_TRUE(SamePath(system.substr(0, windows.size() + 1), windows + "\\"));
    EXPECT_TRUE(DirExists(system));
    EXPECT_NE(GetFileAttributesA((system + "\\kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(fGetSpecialFolder, GivesProgramFilesAsThisProgramSeesIt) {
    // A 32-bit program on 64-bit Windows sees "Program Files (x86)" in both.
    EXPECT_TRUE(SamePath(fGetSpecialFolder(nullptr, kCsidlProgramFiles), Environment("ProgramFiles")));
}

TEST(fGetSpecialFolder, IsEmptyWhenTheShellHasNoPathForIt) {
    EXPECT_EQ(fGetSpecialFolder(nullptr, kCsidlDrives), "");
    EXPECT_EQ(fGetSpecialFolder(nullptr, 0x7FFF), "");
    EXPECT_EQ(fGetSpecialFolder(nullptr, -1), "");
}

class DirExistsTest : public ::testing::Test {
protected:
    ScratchFolder scratch{"direxists"};
};

TEST_F(DirExistsTest, FindsAFolder) { EXPECT_TRUE(DirExists(scratch.path())); }

class DirExistsAttributes : public DirExistsTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(DirExistsAttributes, FindsAFolderWhateverItsAttributes) {
    const std::string folder = scratch / "folder";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    if (!checktest::SetAttributes(folder, GetParam()))
        GTEST_SKIP() << "this file system does not keep these attributes on a folder";
    EXPECT_TRUE(DirExists(folder));
}

INSTANTIATE_TEST_SUITE_P(Attributes, DirExistsAttributes,
                         ::testing::Values(FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY,
                                           FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));

TEST_F(DirExistsTest, IsFalseForAFile) {
    checktest::WriteFile(scratch / "file");
    EXPECT_FALSE(DirExists(scratch / "file"));
}

TEST_F(DirExistsTest, IsFalseForNoSuchOrNoPath) {
    EXPECT_FALSE(DirExists(scratch / "missing"));
    EXPECT_FALSE(DirExists(scratch / "missing\\deeper"));
    EXPECT_FALSE(DirExists(""));
    EXPECT_FALSE(DirExists(scratch / "a<>|\"b"));
}

TEST_F(DirExistsTest, ATokenInAnotherLetterCaseStaysAndIsNotFound) {
    EXPECT_TRUE(DirExists(ExpandPathToken("$WIN$\\system32", kWinToken, WindowsDirectory())));
    const std::string unexpanded = ExpandPathToken("$win$\\system32", kWinToken, WindowsDirectory());
    EXPECT_EQ(unexpanded, "$win$\\system32");
    EXPECT_FALSE(DirExists(unexpanded));
}

TEST_F(DirExistsTest, TestsTheDoubledBackslashOfADriveRootUnchanged) {
    // The scratch folder, reached through a token that stands for its drive's root.
    const std::string& path = scratch.path();
    ASSERT_EQ(path.substr(1, 2), ":\\");
    const std::string expanded =
        ExpandPathToken(std::string(kWinToken) + path.substr(2), kWinToken, path.substr(0, 3));
    EXPECT_EQ(expanded, path.substr(0, 3) + path.substr(2));
    EXPECT_TRUE(DirExists(expanded));
}

}  // namespace
