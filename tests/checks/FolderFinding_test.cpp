// The folder checks' lines and verdicts, with the file system stood in for by a table of paths.
#include "checks/FolderFinding.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <vector>

namespace {

constexpr std::string_view kToken = "$WIN$";
constexpr std::string_view kOneTemplate = "$WIN$\\Microsoft.NET\\Framework\\v3.5";
constexpr std::array<std::string_view, 2> kTwoTemplates{"$PF$\\Gemplus\\ReaderTools",
                                                        "$PF$\\GemAlto\\ReaderTools"};

// What lies where; every path asked about is kept, in order.
struct FakeDisk {
    std::map<std::string, PathKind> entries;
    std::vector<std::string> asked;

    PathLook Look() {
        return [this](const std::string& path) {
            asked.push_back(path);
            const auto found = entries.find(path);
            return found == entries.end() ? PathKind::Nothing : found->second;
        };
    }
};

Finding OneFolder(FakeDisk& disk, const std::string& windowsFolder) {
    const std::array<std::string_view, 1> templates{kOneTemplate};
    return AnyFolderFinding(templates, {kToken, windowsFolder, "the Windows folder"}, disk.Look());
}

Finding TwoFolders(FakeDisk& disk) {
    return AnyFolderFinding(kTwoTemplates, {"$PF$", "D:\\Apps", "the Program Files folder"},
                            disk.Look());
}

TEST(OneFolderFinding, SaysWhatLiesAtTheExpandedPath) {
    const std::string path = "C:\\windows\\Microsoft.NET\\Framework\\v3.5";
    struct Case {
        PathKind kind;
        bool passed;
        const char* line;
    };
    for (const Case& c : {Case{PathKind::Folder, true, ": folder present"},
                          Case{PathKind::File, false, ": a file, not a folder"},
                          Case{PathKind::Nothing, false, ": no folder there"}}) {
        FakeDisk disk;
        disk.entries[path] = c.kind;
        const Finding finding = OneFolder(disk, "C:\\windows");
        EXPECT_EQ(finding.passed, c.passed) << c.line;
        EXPECT_EQ(finding.detail, path + c.line);
        EXPECT_EQ(disk.asked, std::vector<std::string>{path});
    }
}

TEST(OneFolderFinding, AFolderElsewhereDoesNotCount) {
    FakeDisk disk;
    disk.entries["C:\\windows\\Microsoft.NET\\Framework\\v3.0"] = PathKind::Folder;
    disk.entries["\\Microsoft.NET\\Framework\\v3.5"] = PathKind::Folder;  // the drive root's
    EXPECT_FALSE(OneFolder(disk, "C:\\windows").passed);
}

TEST(OneFolderFinding, CannotLookWithoutTheWindowsFolder) {
    FakeDisk disk;
    disk.entries["\\Microsoft.NET\\Framework\\v3.5"] = PathKind::Folder;
    const Finding finding = OneFolder(disk, "");
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, "Could not check: Windows did not give the Windows folder");
    EXPECT_TRUE(disk.asked.empty()) << "looked at " << disk.asked.front();
}

struct Makers {
    PathKind gemplus, gemalto;
    bool passed;
    const char* line;
};

class TwoFolderFinding : public ::testing::TestWithParam<Makers> {};

TEST_P(TwoFolderFinding, LooksAtBothPathsInOrderAndPassesWithEither) {
    FakeDisk disk;
    disk.entries["D:\\Apps\\Gemplus\\ReaderTools"] = GetParam().gemplus;
    disk.entries["D:\\Apps\\GemAlto\\ReaderTools"] = GetParam().gemalto;
    const Finding finding = TwoFolders(disk);
    EXPECT_EQ(finding.passed, GetParam().passed);
    EXPECT_EQ(finding.detail, GetParam().line);
    EXPECT_EQ(disk.asked, (std::vector<std::string>{"D:\\Apps\\Gemplus\\ReaderTools",
                                                    "D:\\Apps\\GemAlto\\ReaderTools"}));
}

INSTANTIATE_TEST_SUITE_P(
    Makers, TwoFolderFinding,
    ::testing::Values(
        Makers{PathKind::Folder, PathKind::Nothing, true,
               "D:\\Apps\\Gemplus\\ReaderTools: folder present; "
               "D:\\Apps\\GemAlto\\ReaderTools: no folder there"},
        Makers{PathKind::Nothing, PathKind::Folder, true,
               "D:\\Apps\\Gemplus\\ReaderTools: no folder there; "
               "D:\\Apps\\GemAlto\\ReaderTools: folder present"},
        Makers{PathKind::Folder, PathKind::Folder, true,
               "D:\\Apps\\Gemplus\\ReaderTools: folder present; "
               "D:\\Apps\\GemAlto\\ReaderTools: folder present"},
        Makers{PathKind::File, PathKind::Nothing, false,
               "D:\\Apps\\Gemplus\\ReaderTools: a file, not a folder; "
               "D:\\Apps\\GemAlto\\ReaderTools: no folder there"},
        Makers{PathKind::Nothing, PathKind::Nothing, false,
               "D:\\Apps\\Gemplus\\ReaderTools: no folder there; "
               "D:\\Apps\\GemAlto\\ReaderTools: no folder there"}));

TEST(TwoFolderFindingWithoutProgramFiles, CannotLook) {
    FakeDisk disk;
    const Finding finding =
        AnyFolderFinding(kTwoTemplates, {"$PF$", "", "the Program Files folder"}, disk.Look());
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, "Could not check: Windows did not give the Program Files folder");
    EXPECT_TRUE(disk.asked.empty());
}

}  // namespace
