// Which Program Files folders the reader tools are looked for in, for each bitness, and the line
// the looks give, with the file system stood in for by a table of paths.
#include "checks/ProgramFilesLocations.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

namespace {

constexpr std::string_view kToken = "$PF$";
constexpr std::array<std::string_view, 2> kTemplates{"$PF$\\Gemplus\\ReaderTools", "$PF$\\GemAlto\\ReaderTools"};
constexpr char kX86[] = "C:\\Program Files (x86)";
constexpr char kNative[] = "C:\\Program Files";

TEST(ProgramFilesLocations, OwnFolderFirstThenTheOtherBitnesssOnSixtyFourBitWindows) {
    struct Case {
        WindowsBitness bitness;
        const char* shell;
        const char* other;
        std::vector<std::pair<std::string, std::string>> expected;  // folder, what
    };
    const Case cases[] = {
        {WindowsBitness::Windows32, kNative, "", {{kNative, "the Program Files folder"}}},
        {WindowsBitness::Windows32, kNative, kX86, {{kNative, "the Program Files folder"}}},
        {WindowsBitness::Program32OnWindows64, kX86, kNative,
         {{kX86, "the 32-bit Program Files folder"}, {kNative, "the 64-bit Program Files folder"}}},
        {WindowsBitness::Program32OnWindows64, kX86, "",
         {{kX86, "the 32-bit Program Files folder"}, {"", "the 64-bit Program Files folder"}}},
        {WindowsBitness::Program64, kNative, kX86,
         {{kNative, "the 64-bit Program Files folder"}, {kX86, "the 32-bit Program Files folder"}}},
        {WindowsBitness::Program64, "", "", {{"", "the 64-bit Program Files folder"}, {"", "the 32-bit Program Files folder"}}},
        // One folder given for both is looked at once.
        {WindowsBitness::Program64, kNative, "c:\\program files", {{kNative, "the 64-bit Program Files folder"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shell) + " | " + c.other);
        const std::vector<TokenFolder> locations = ProgramFilesLocations(c.bitness, kToken, c.shell, c.other);
        ASSERT_EQ(locations.size(), c.expected.size());
        for (std::size_t i = 0; i < locations.size(); ++i) {
            EXPECT_EQ(locations[i].token, kToken);
            EXPECT_EQ(locations[i].folder, c.expected[i].first);
            EXPECT_EQ(locations[i].what, c.expected[i].second);
        }
    }
}

Finding Look(WindowsBitness bitness, const char* shell, const char* other,
             const std::map<std::string, PathKind>& disk) {
    const auto locations = ProgramFilesLocations(bitness, kToken, shell, other);
    return AnyFolderFindingIn(kTemplates, locations, [&disk](const std::string& path) {
        const auto found = disk.find(path);
        return found == disk.end() ? PathKind::Nothing : found->second;
    });
}

TEST(ReaderToolsInEitherFolder, LineNamesEveryPlaceLookedAt) {
    const std::string x86Gemplus = "C:\\Program Files (x86)\\Gemplus\\ReaderTools";
    const std::string nativeGemplus = "C:\\Program Files\\Gemplus\\ReaderTools";
    const std::string nativeGemalto = "C:\\Program Files\\GemAlto\\ReaderTools";
    struct Case {
        const char* name;
        WindowsBitness bitness;
        const char* shell;
        const char* other;
        std::map<std::string, PathKind> disk;
        bool passed;
        FindingKind kind;
        const char* line;
    };
    const Case cases[] = {
        {"only in the 64-bit folder", WindowsBitness::Program32OnWindows64, kX86, kNative,
         {{nativeGemplus, PathKind::Folder}}, true, FindingKind::Unclassified,
         "C:\\Program Files (x86)\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files (x86)\\GemAlto\\ReaderTools: no folder there; "
         "C:\\Program Files\\Gemplus\\ReaderTools: folder present; "
         "C:\\Program Files\\GemAlto\\ReaderTools: no folder there"},
        {"64-bit program, tools in the 32-bit folder", WindowsBitness::Program64, kNative, kX86,
         {{x86Gemplus, PathKind::Folder}}, true, FindingKind::Unclassified,
         "C:\\Program Files\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files\\GemAlto\\ReaderTools: no folder there; "
         "C:\\Program Files (x86)\\Gemplus\\ReaderTools: folder present; "
         "C:\\Program Files (x86)\\GemAlto\\ReaderTools: no folder there"},
        {"nowhere", WindowsBitness::Program32OnWindows64, kX86, kNative, {}, false, FindingKind::Unclassified,
         "C:\\Program Files (x86)\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files (x86)\\GemAlto\\ReaderTools: no folder there; "
         "C:\\Program Files\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files\\GemAlto\\ReaderTools: no folder there"},
        {"a file in the 64-bit folder", WindowsBitness::Program32OnWindows64, kX86, kNative,
         {{nativeGemalto, PathKind::File}}, false, FindingKind::FileInPlaceOfFolder,
         "C:\\Program Files (x86)\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files (x86)\\GemAlto\\ReaderTools: no folder there; "
         "C:\\Program Files\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files\\GemAlto\\ReaderTools: a file, not a folder"},
        {"64-bit folder not given", WindowsBitness::Program32OnWindows64, kX86, "", {}, false,
         FindingKind::CouldNotCheck,
         "C:\\Program Files (x86)\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files (x86)\\GemAlto\\ReaderTools: no folder there; "
         "the 64-bit Program Files folder: Windows did not give it"},
        {"64-bit folder not given, tools in the 32-bit one", WindowsBitness::Program32OnWindows64, kX86, "",
         {{x86Gemplus, PathKind::Folder}}, true, FindingKind::Unclassified,
         "C:\\Program Files (x86)\\Gemplus\\ReaderTools: folder present; "
         "C:\\Program Files (x86)\\GemAlto\\ReaderTools: no folder there; "
         "the 64-bit Program Files folder: Windows did not give it"},
        {"neither given", WindowsBitness::Program32OnWindows64, "", "", {}, false, FindingKind::CouldNotCheck,
         "Could not check: Windows did not give the 32-bit Program Files folder or the 64-bit Program Files folder"},
        {"32-bit Windows, today's line", WindowsBitness::Windows32, kNative, "", {{nativeGemalto, PathKind::Folder}},
         true, FindingKind::Unclassified,
         "C:\\Program Files\\Gemplus\\ReaderTools: no folder there; "
         "C:\\Program Files\\GemAlto\\ReaderTools: folder present"},
        {"32-bit Windows without the folder", WindowsBitness::Windows32, "", "", {}, false,
         FindingKind::CouldNotCheck, "Could not check: Windows did not give the Program Files folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Finding finding = Look(c.bitness, c.shell, c.other, c.disk);
        EXPECT_EQ(finding.passed, c.passed);
        EXPECT_EQ(finding.kind, c.kind);
        EXPECT_EQ(finding.detail, c.line);
    }
}

}  // namespace
