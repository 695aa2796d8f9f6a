// GetOsInfo against the real platform query: Wine shows the probe program the chosen release.
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
    for (std::string* field : {&platform, &major, &minor, &build, &sp, &description, &ok}) {
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
}

INSTANTIATE_TEST_SUITE_P(
    Releases, GetOsInfoUnderWine,
    ::testing::Values(Expected{"winxp", 2, 5, 1, 2600, 3, "Windows XP SP3", true},
                      Expected{"win2k", 2, 5, 0, 2195, 4, "Windows 2000 SP4", false},
                      Expected{"win2003", 2, 5, 2, 3790, 2, "Windows Server 2003 SP2", true},
                      Expected{"vista", 2, 6, 0, 6002, 2, "Windows Vista/7 SP2", true},
                      Expected{"win7", 2, 6, 1, 7601, 1, "Windows Vista/7 SP1", true},
                      Expected{"win10", 2, 6, 2, 9200, 0, "Windows Vista/7", true},
                      Expected{"win98", 1, 4, 10, 0x08AE, 0, "Windows 98", false},
                      Expected{"nt40", 2, 4, 0, 1381, 6, "Windows NT 4 SP6", false}),
    [](const ::testing::TestParamInfo<Expected>& p) { return std::string(p.param.wineVersion); });

}  // namespace
