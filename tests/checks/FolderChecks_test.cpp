// The three folder checks against the real Windows and Program Files folders of the machine:
// each test makes the folders it needs and removes them again. The findings' lines must name the
// paths the folders were made at, and their verdicts must be the yes/no functions'.
#include "checks/FolderChecks.h"

#include <gtest/gtest.h>

#include <optional>

#include "Environment.h"
#include "ScratchFolder.h"
#include "checks/FolderLocations.h"
#include "checks/FolderTemplates.h"
#include "checks/PathTemplate.h"

namespace {

using checktest::CreatedFolders;
using checktest::Environment;

bool IsThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The templates' paths, from the folders Windows names in the environment.
std::string UnderWindows(std::string_view pathTemplate) {
    return ExpandPathToken(pathTemplate, kWinToken, Environment("SystemRoot"));
}
std::string UnderProgramFiles(std::string_view pathTemplate) {
    return ExpandPathToken(pathTemplate, kProgramFilesToken, Environment("ProgramFiles"));
}

// On 64-bit Windows, the Program Files folder of the other bitness than this test's; empty on
// 32-bit Windows.
constexpr bool kTest64 = sizeof(void*) == 8;
std::string OtherProgramFiles() { return Environment(kTest64 ? "ProgramFiles(x86)" : "ProgramW6432"); }
std::string UnderOtherProgramFiles(std::string_view pathTemplate) {
    return ExpandPathToken(pathTemplate, kProgramFilesToken, OtherProgramFiles());
}

// The Smart Card line up to what the smart-card service said, which comes last.
std::string FoldersPart(const std::string& detail) { return detail.substr(0, detail.rfind("; ")); }

TEST(CheckDotNet, PassesWhileTheFolderExists) {
    const std::string folder = UnderWindows(kDotNetTemplate);
    if (IsThere(folder)) GTEST_SKIP() << folder << " exists on this machine";
    EXPECT_FALSE(DotNetFolderPresent());
    {
        const CreatedFolders made(folder);
        EXPECT_TRUE(DotNetFolderPresent());
    }
    EXPECT_FALSE(DotNetFolderPresent());
}

TEST(CheckDotNet, FailsForAFileAtThePath) {
    const std::string path = UnderWindows(kDotNetTemplate);
    if (IsThere(path)) GTEST_SKIP() << path << " exists on this machine";
    const CreatedFolders parent(path.substr(0, path.rfind('\\')));
    checktest::WriteFile(path);
    EXPECT_FALSE(DotNetFolderPresent());
    checktest::RemoveTree(path);
}

TEST(CheckMsHtmlInterop, PassesOnlyForTheExactFolder) {
    const std::string folder = UnderWindows(kMsHtmlInteropTemplate);
    if (IsThere(folder)) GTEST_SKIP() << folder << " exists on this machine";
    const std::string assembly = folder.substr(0, folder.rfind('\\') + 1);
    {
        const CreatedFolders otherVersion(assembly + "7.0.3300.1__b03f5f7f11d50a3a");
        const CreatedFolders otherToken(assembly + "7.0.3300.0__b03f5f7f11d50a3b");
        EXPECT_FALSE(MsHtmlInteropFolderPresent());
        const CreatedFolders exact(folder);
        EXPECT_TRUE(MsHtmlInteropFolderPresent());
    }
    EXPECT_FALSE(MsHtmlInteropFolderPresent());
}

// The line for one path, as the checks word it.
std::string Seen(const std::string& path, std::string_view state) {
    return path + ": " + std::string(state);
}

// The .NET line up to the registry's words that follow the folder's.
std::string FolderPart(const std::string& line) { return line.substr(0, line.find("; the registry ")); }

TEST(DotNetFinding, NamesThePathAndWhatLiesThere) {
    const std::string folder = UnderWindows(kDotNetTemplate);
    if (IsThere(folder)) GTEST_SKIP() << folder << " exists on this machine";
    Finding finding = DotNetFinding();
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(FolderPart(finding.detail), Seen(folder, "no folder there"));
    {
        const CreatedFolders made(folder);
        finding = DotNetFinding();
        EXPECT_TRUE(finding.passed);
        EXPECT_EQ(FolderPart(finding.detail), Seen(folder, "folder present"));
    }
    {
        const CreatedFolders parent(folder.substr(0, folder.rfind('\\')));
        checktest::WriteFile(folder);
        finding = DotNetFinding();
        checktest::RemoveTree(folder);
        EXPECT_FALSE(finding.passed);
        EXPECT_EQ(FolderPart(finding.detail), Seen(folder, "a file, not a folder"));
    }
}

TEST(MsHtmlInteropFinding, NamesThePathAndWhatLiesThere) {
    const std::string folder = UnderWindows(kMsHtmlInteropTemplate);
    if (IsThere(folder)) GTEST_SKIP() << folder << " exists on this machine";
    Finding finding = MsHtmlInteropFinding();
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, Seen(folder, "no folder there"));
    const CreatedFolders made(folder);
    finding = MsHtmlInteropFinding();
    EXPECT_TRUE(finding.passed);
    EXPECT_EQ(finding.detail, Seen(folder, "folder present"));
}

struct ReaderTools {
    const char* name;
    bool gemplus;
    bool gemalto;
    bool passes;
};

class CheckSmartCardDriver : public ::testing::TestWithParam<ReaderTools> {};

TEST_P(CheckSmartCardDriver, PassesWithEitherMakersTools) {
    const std::string gemplus = UnderProgramFiles(kGemplusToolsTemplate);
    const std::string gemalto = UnderProgramFiles(kGemaltoToolsTemplate);
    if (IsThere(gemplus)) GTEST_SKIP() << gemplus << " exists on this machine";
    if (IsThere(gemalto)) GTEST_SKIP() << gemalto << " exists on this machine";
    std::optional<CreatedFolders> madeGemplus, madeGemalto;
    if (GetParam().gemplus) madeGemplus.emplace(gemplus);
    if (GetParam().gemalto) madeGemalto.emplace(gemalto);
    EXPECT_EQ(SmartCardToolsPresent(nullptr), GetParam().passes);

    // Both paths are named, Gemplus first, whichever was found.
    const Finding finding = SmartCardToolsFinding(nullptr);
    EXPECT_EQ(finding.passed, GetParam().passes);
    const auto state = [](bool made) { return made ? "folder present" : "no folder there"; };
    std::string line = Seen(gemplus, state(GetParam().gemplus)) + "; " + Seen(gemalto, state(GetParam().gemalto));
    if (!OtherProgramFiles().empty())
        line += "; " + Seen(UnderOtherProgramFiles(kGemplusToolsTemplate), "no folder there") + "; " +
                Seen(UnderOtherProgramFiles(kGemaltoToolsTemplate), "no folder there");
    EXPECT_EQ(FoldersPart(finding.detail), line);
}

INSTANTIATE_TEST_SUITE_P(Makers, CheckSmartCardDriver,
                         ::testing::Values(ReaderTools{"GemplusOnly", true, false, true},
                                           ReaderTools{"GemAltoOnly", false, true, true},
                                           ReaderTools{"Both", true, true, true},
                                           ReaderTools{"Neither", false, false, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(CheckSmartCardDriver, OnSixtyFourBitWindowsPassesWithToolsInTheOtherProgramFilesFolder) {
    if (OtherProgramFiles().empty()) GTEST_SKIP() << "32-bit Windows";
    EXPECT_EQ(ThisBitness(), kTest64 ? WindowsBitness::Program64 : WindowsBitness::Program32OnWindows64);
    const std::string gemalto = UnderOtherProgramFiles(kGemaltoToolsTemplate);
    if (IsThere(gemalto)) GTEST_SKIP() << gemalto << " exists on this machine";
    EXPECT_FALSE(SmartCardToolsPresent(nullptr));
    const CreatedFolders made(gemalto);
    const Finding finding = SmartCardToolsFinding(nullptr);
    EXPECT_TRUE(finding.passed);
    // The program's own folder first, then the other.
    const std::string otherPart =
        Seen(UnderOtherProgramFiles(kGemplusToolsTemplate), "no folder there") + "; " + Seen(gemalto, "folder present");
    const std::string folders = FoldersPart(finding.detail);
    ASSERT_GT(folders.size(), otherPart.size());
    EXPECT_EQ(folders.substr(folders.size() - otherPart.size()), otherPart) << finding.detail;
    EXPECT_EQ(finding.detail.rfind(UnderProgramFiles(kGemplusToolsTemplate), 0), 0u) << finding.detail;
}

TEST(OtherProgramFilesFolder, ComesFromTheRegistryWhenTheEnvironmentLacksIt) {
    const std::string expected = OtherProgramFiles();
    if (expected.empty()) GTEST_SKIP() << "32-bit Windows";
    EXPECT_EQ(OtherProgramFilesFolder(nullptr, ThisBitness()), expected);
    if (kTest64) return;  // the 64-bit program asks the shell first
    // As on Windows XP and Vista x64, which do not set ProgramW6432.
    ASSERT_TRUE(SetEnvironmentVariableA("ProgramW6432", nullptr));
    const std::string fromRegistry = OtherProgramFilesFolder(nullptr, ThisBitness());
    SetEnvironmentVariableA("ProgramW6432", expected.c_str());
    EXPECT_EQ(fromRegistry, expected);
}

TEST(CheckSmartCardDriverNames, AreMatchedAsTheFileSystemMatchesThem) {
    const std::string gemalto = UnderProgramFiles("$PROGRAMFILES$\\Gemalto\\ReaderTools");
    if (IsThere(gemalto)) GTEST_SKIP() << gemalto << " exists on this machine";
    const CreatedFolders made(gemalto);
    EXPECT_TRUE(SmartCardToolsPresent(nullptr));
}

TEST(CheckSmartCardDriverNames, NeedTheReaderToolsFolderItself) {
    const std::string gemplus = UnderProgramFiles(kGemplusToolsTemplate);
    if (IsThere(gemplus)) GTEST_SKIP() << gemplus << " exists on this machine";
    const CreatedFolders maker(gemplus.substr(0, gemplus.rfind('\\')));
    checktest::WriteFile(gemplus);
    EXPECT_FALSE(SmartCardToolsPresent(nullptr));
    const Finding finding = SmartCardToolsFinding(nullptr);
    checktest::RemoveTree(gemplus);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail.substr(0, finding.detail.find(';')),
              Seen(gemplus, "a file, not a folder"));
}

}  // namespace
