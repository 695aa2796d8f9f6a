// The file half of the installer check, on installer libraries the test puts in scratch folders.
// It runs in installer_probe.exe, for which Wine's msi library is set to native: otherwise Wine
// answers a version query for any file named msi.dll from its own library.
#include "checks/InstallerCheck.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ScratchFolder.h"
#include "WineDllOverride.h"
#include "support/Process.h"

namespace {

using checktest::ScratchFolder;

struct Verdict {
    std::string result;         // "pass" or "fail"
    std::string fileVersion;    // as the reader found it
    std::string findingResult;  // the finding's verdict, "pass" or "fail"
    std::string line;           // the finding's line
};

// One command-line argument, quoted so that a trailing backslash stays a backslash.
std::string Quoted(const std::string& argument) {
    const bool endsInBackslash = !argument.empty() && argument.back() == '\\';
    return "\"" + argument + (endsInBackslash ? "\\" : "") + "\"";
}

class InstallerLibraryPassesTest : public ::testing::Test {
protected:
    ScratchFolder scratch{"installer"};
    checktest::ScopedWineDllOverride nativeMsi{"installer_probe.exe", "msi", "native,builtin"};

    // A fixture library, copied into the scratch folder as msi.dll.
    std::string PutLibrary(const std::string& fixture) {
        const std::string library = scratch / "msi.dll";
        const std::string source = testsupport::ProgramFolder() + fixture + ".dll";
        if (!CopyFileA(source.c_str(), library.c_str(), FALSE))
            ADD_FAILURE() << "cannot copy " << source;
        return library;
    }

    static Verdict Check(const std::string& location) {
        const testsupport::Output out = testsupport::RunAndCapture(
            Quoted(testsupport::ProgramFolder() + "installer_probe.exe") + " " + Quoted(location));
        EXPECT_EQ(out.exitCode, 0u);
        std::istringstream lines(out.text);
        Verdict verdict;
        for (std::string* field :
             {&verdict.result, &verdict.fileVersion, &verdict.findingResult, &verdict.line}) {
            std::getline(lines, *field);
            if (!field->empty() && field->back() == '\r') field->pop_back();
        }
        EXPECT_EQ(verdict.findingResult, verdict.result) << "the finding and the verdict differ";
        return verdict;
    }
};

TEST_F(InstallerLibraryPassesTest, PassesForVersion3Point1) {
    PutLibrary("verfix_installer_3_1");
    const Verdict verdict = Check(scratch.path());
    EXPECT_EQ(verdict.fileVersion, "3.1.100.200") << "the library in the folder was not read";
    EXPECT_EQ(verdict.result, "pass");
    EXPECT_EQ(verdict.line, scratch / "msi.dll: FileVersion 3.1.100.200");
}

TEST_F(InstallerLibraryPassesTest, FailsForVersion3Point0) {
    PutLibrary("verfix_installer_3_0");
    const Verdict verdict = Check(scratch.path());
    EXPECT_EQ(verdict.fileVersion, "3.0.9.9") << "the library in the folder was not read";
    EXPECT_EQ(verdict.result, "fail");
    EXPECT_EQ(verdict.line, scratch / "msi.dll: FileVersion 3.0.9.9, 3.1 or later needed");
}

TEST_F(InstallerLibraryPassesTest, FailsWhenNoFileVersionCanBeRead) {
    PutLibrary("verfix_no_translation");
    const Verdict verdict = Check(scratch.path());
    EXPECT_EQ(verdict.result, "fail");
    EXPECT_EQ(verdict.line, scratch / "msi.dll: no FileVersion could be read");
}

// As Windows writes the location: the separator is not doubled in the path tested or the line.
TEST_F(InstallerLibraryPassesTest, ALocationEndingInABackslashGetsNoSecond) {
    PutLibrary("verfix_installer_3_1");
    const Verdict verdict = Check(scratch.path() + "\\");
    EXPECT_EQ(verdict.fileVersion, "3.1.100.200");
    EXPECT_EQ(verdict.result, "pass");
    EXPECT_EQ(verdict.line, scratch / "msi.dll: FileVersion 3.1.100.200");
}

TEST_F(InstallerLibraryPassesTest, FailsWithoutALibrary) {
    Verdict verdict = Check(scratch.path());
    EXPECT_EQ(verdict.result, "fail");
    EXPECT_EQ(verdict.line, scratch / "msi.dll: no such file");
    verdict = Check(scratch / "missing");
    EXPECT_EQ(verdict.result, "fail");
    EXPECT_EQ(verdict.line, scratch / "missing\\msi.dll: no such file");
}

TEST_F(InstallerLibraryPassesTest, FailsWithoutALocation) {
    const Verdict verdict = Check("");
    EXPECT_EQ(verdict.result, "fail");
    EXPECT_EQ(verdict.line, "no Windows Installer location in the registry");
}

TEST_F(InstallerLibraryPassesTest, FailsForAFolderNamedLikeTheLibrary) {
    ASSERT_TRUE(CreateDirectoryA((scratch / "msi.dll").c_str(), nullptr));
    const Verdict verdict = Check(scratch.path());
    EXPECT_EQ(verdict.result, "fail");
    EXPECT_EQ(verdict.line, scratch / "msi.dll: hidden or system file, or a folder");
}

TEST_F(InstallerLibraryPassesTest, FailsForAHiddenOrSystemLibrary) {
    for (const DWORD attributes : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        const std::string library = PutLibrary("verfix_installer_3_1");
        ASSERT_TRUE(checktest::SetAttributes(library, attributes)) << "attributes not kept";
        const Verdict verdict = Check(scratch.path());
        EXPECT_EQ(verdict.result, "fail") << "attributes " << attributes;
        EXPECT_EQ(verdict.line, scratch / "msi.dll: hidden or system file, or a folder")
            << "attributes " << attributes;
        SetFileAttributesA(library.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(InstallerLibraryPassesTest, PassesForAReadOnlyLibrary) {
    const std::string library = PutLibrary("verfix_installer_3_1");
    ASSERT_TRUE(checktest::SetAttributes(library, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Check(scratch.path()).result, "pass");
}

}  // namespace
