// GetOsInfo and the OS check against the real platform query: Wine shows the probe program the
// chosen release.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/Process.h"
#include "support/WineVersion.h"

namespace {

struct Expected {
    const char* wineVersion;
    int platform, major, minor, build, sp;
    const char* description;
    bool ok;
    const char* line;  // the OS check's
};

class GetOsInfoUnderWine : public ::testing::TestWithParam<Expected> {};

TEST_P(GetOsInfoUnderWine, IdentifiesTheReleaseWineReports) {
    const Expected& e = GetParam();
    testsupport::ScopedWineVersion version("os_probe.exe", e.wineVersion);
    const testsupport::Output out =
        testsupport::RunAndCapture("\"" + testsupport::ProgramFolder() + "os_probe.exe\"");
    ASSERT_EQ(out.exitCode, 0u);

    std::istringstream lines(out.text);
    std::string platform, major, minor, build, sp, description, ok;
    std::string checkDescription, checkOk, checkPassed, checkLine;
    for (std::string* field : {&platform, &major, &minor, &build, &sp, &description, &ok,
                               &checkDescription, &checkOk, &checkPassed, &checkLine}) {
        std::getline(lines, *field);
        if (!field->empty() && field->back() == '\r') field->pop_back();
    }
    EXPECT_EQ(platform, std::to_string(e.platform));
    EXPECT_EQ(major, std::to_string(e.major));
    EXPECT_EQ(minor, std::to_string(e.minor));
    EXPECT_EQ(build, std::to_string(e.build));
    EXPECT_EQ(sp, std::to_string(e.sp));
    EXPECT_EQ(description, e.description);
    EXPECT_EQ(ok, e.ok ? "1" : "0");

    EXPECT_EQ(checkDescription, e.description);
    EXPECT_EQ(checkOk, ok);
    EXPECT_EQ(checkPassed, ok);
    EXPECT_EQ(checkLine, e.line);
}

INSTANTIATE_TEST_SUITE_P(
    Releases, GetOsInfoUnderWine,
    ::testing::Values(
        Expected{"winxp", 2, 5, 1, 2600, 3, "Windows XP SP3", true,
                 "Windows XP SP3: platform 2, version 5.1, build 2600, \"Service Pack 3\""},
        Expected{"win2k", 2, 5, 0, 2195, 4, "Windows 2000 SP4", false,
                 "Windows 2000 SP4, not supported: platform 2, version 5.0, build 2195, "
                 "\"Service Pack 4\""},
        Expected{"win2003", 2, 5, 2, 3790, 2, "Windows Server 2003 SP2", true,
                 "Windows Server 2003 SP2: platform 2, version 5.2, build 3790, "
                 "\"Service Pack 2\""},
        Expected{"vista", 2, 6, 0, 6002, 2, "Windows Vista/7 SP2", true,
                 "Windows Vista/7 SP2: platform 2, version 6.0, build 6002, \"Service Pack 2\""},
        Expected{"win7", 2, 6, 1, 7601, 1, "Windows Vista/7 SP1", true,
                 "Windows Vista/7 SP1: platform 2, version 6.1, build 7601, \"Service Pack 1\""},
        // Wine's Windows 10 is 10.0 build 18362, which ntdll tells where the record says 6.2.
        Expected{"win10", 2, 6, 2, 9200, 0, "Windows Vista/7", true,
                 "Windows Vista/7: platform 2, version 6.2, build 9200, no service pack (Windows "
                 "reports this for compatibility; the PC runs Windows 10.0 build 18362)"},
        Expected{"win98", 1, 4, 10, 0x08AE, 0, "Windows 98", false,
                 "Windows 98, not supported: platform 1, version 4.10, build 2222, \" A \""},
        Expected{"nt40", 2, 4, 0, 1381, 6, "Windows NT 4 SP6", false,
                 "Windows NT 4 SP6, not supported: platform 2, version 4.0, build 1381, "
                 "\"Service Pack 6a\""}),
    [](const ::testing::TestParamInfo<Expected>& p) { return std::string(p.param.wineVersion); });

}  // namespace
