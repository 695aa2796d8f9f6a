#include "checks/InstallerVersion.h"

#include <gtest/gtest.h>

namespace {

struct Judged {
    const char* version;
    bool passes;
};

class IsInstallerOKTest : public ::testing::TestWithParam<Judged> {};

TEST_P(IsInstallerOKTest, JudgesTheFirstTwoParts) {
    const std::string version = GetParam().version;
    EXPECT_EQ(IsInstallerOK(version), GetParam().passes) << '"' << version << '"';
    EXPECT_EQ(version, GetParam().version) << "the text is left as it was";
}

INSTANTIATE_TEST_SUITE_P(
    FileVersions, IsInstallerOKTest,
    ::testing::Values(Judged{"3.1.100.200", true}, Judged{"3.01.5.6", true},
                      Judged{"3.0.9.9", false}, Judged{"2.9.1.1", false},
                      Judged{"1.20.3.4", false}, Judged{"4.0.1.2", true},
                      Judged{"4.5.6001.22159", true}, Judged{"5.0.1234.5678 (build note)", true},
                      Judged{"3.10.1.1", true}, Judged{"3.5", true}, Judged{"3.0", false},
                      // Only parts 0 and 1 are read.
                      Judged{"3.1.x (not a number)", true}, Judged{"3.0.999", false},
                      Judged{"3.1 (build).9", true},
                      // Blanks are skipped; a number that is not decimal still counts.
                      Judged{" 3 . 1 ", true}, Judged{"&H3.&H1", true}, Judged{"3.5e-1", false},
                      // Part 1 is not needed once part 0 decides.
                      Judged{"4", true}, Judged{"2", false},
                      // Without the part the test needs, the version fails.
                      Judged{"", false}, Judged{"3", false}, Judged{"3.", false},
                      Judged{".1", false}, Judged{"v3.1", false}));

TEST(InstallerLibraryPath, JoinsTheLibraryNameWithOneSeparator) {
    EXPECT_EQ(InstallerLibraryPath("C:\\WINDOWS\\system32"), "C:\\WINDOWS\\system32\\msi.dll");
    EXPECT_EQ(InstallerLibraryPath("C:\\WINDOWS\\system32\\"), "C:\\WINDOWS\\system32\\msi.dll");
    EXPECT_EQ(InstallerLibraryPath("C:/WINDOWS/system32/"), "C:/WINDOWS/system32/msi.dll");
    EXPECT_EQ(InstallerLibraryPath(""), "\\msi.dll");
}

}  // namespace
