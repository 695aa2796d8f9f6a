// The release decision table and the service-pack reading, with fixed version records.
#include <gtest/gtest.h>

#include <string>

#include "os/modOS.h"

namespace {

// The platform's field: the text, then NUL characters up to 128.
std::string Csd(const std::string& text) {
    std::string field(kCsdFieldLength, '\0');
    field.replace(0, text.size(), text);
    return field;
}

struct Release {
    std::uint32_t platform, major, minor;
    const char* csd;
    const char* description;
    bool ok;
};

class DecisionTable : public ::testing::TestWithParam<Release> {};

TEST_P(DecisionTable, NamesTheReleaseAndDecidesSupport) {
    const Release& r = GetParam();
    const OsInfo info = MakeOsInfo(r.platform, r.major, r.minor, 1234, Csd(r.csd));
    EXPECT_EQ(info.description, r.description);
    EXPECT_EQ(info.ok, r.ok);
    EXPECT_EQ(info.Platform, static_cast<std::int16_t>(r.platform));
    EXPECT_EQ(info.Major, static_cast<std::int16_t>(r.major));
    EXPECT_EQ(info.Minor, static_cast<std::int16_t>(r.minor));
    EXPECT_EQ(info.Build, 1234);
}

INSTANTIATE_TEST_SUITE_P(
    Releases, DecisionTable,
    ::testing::Values(
        Release{2, 5, 1, "Service Pack 3", "Windows XP SP3", true},
        Release{2, 5, 1, "Service Pack 2", "Windows XP SP2", true},
        Release{2, 5, 1, "Service Pack 1", "Windows XP SP1", false},
        Release{2, 5, 1, "", "Windows XP", false},
        Release{2, 5, 2, "Service Pack 2", "Windows Server 2003 SP2", true},
        Release{2, 5, 2, "Service Pack 1", "Windows Server 2003 SP1", false},
        Release{2, 5, 0, "Service Pack 4", "Windows 2000 SP4", false},
        Release{2, 5, 3, "", "", false},
        Release{2, 5, 3, "Service Pack 1", " SP1", false},
        Release{2, 6, 0, "", "Windows Vista/7", true},
        Release{2, 6, 0, "Service Pack 2", "Windows Vista/7 SP2", true},
        Release{2, 6, 1, "Service Pack 1", "Windows Vista/7 SP1", true},
        Release{2, 6, 2, "", "Windows Vista/7", true},
        Release{2, 6, 3, "", "Windows Vista/7", true},
        Release{2, 7, 0, "", "Windows 7", true},
        Release{2, 7, 42, "Service Pack 1", "Windows 7 SP1", true},
        Release{2, 4, 0, "Service Pack 6a", "Windows NT 4 SP6", false},
        Release{2, 3, 10, "", "Windows NT 3.51", false},
        Release{2, 3, 50, "", "Windows NT 3.51", false},
        Release{2, 3, 51, "Service Pack 5", "Windows NT 3.51 SP5", false},
        Release{2, 10, 0, "", "", false},
        Release{2, 2, 0, "", "", false},
        Release{1, 4, 0, "", "Windows 95", false},
        Release{1, 4, 10, " A ", "Windows 98", false},
        Release{1, 4, 90, "", "Windows Me", false},
        Release{1, 9, 10, "", "Windows 98", false},  // platform 1 never looks at the major
        Release{1, 4, 3, "", "", false},
        Release{0, 5, 1, "Service Pack 3", " SP3", false},
        Release{3, 6, 1, "", "", false}));

TEST(ServicePack, ReadsTheFirstCharacterAfterTheDroppedPrefixAndSpaces) {
    EXPECT_EQ(ServicePackFromCsd(Csd("Service Pack 3")), 3);
    EXPECT_EQ(ServicePackFromCsd(Csd("Service Pack 6a")), 6);
    EXPECT_EQ(ServicePackFromCsd(Csd("Service Pack 12")), 1);
    EXPECT_EQ(ServicePackFromCsd(Csd("Service Pack   5")), 5);
    EXPECT_EQ(ServicePackFromCsd(Csd("Service Pack")), 0);
    EXPECT_EQ(ServicePackFromCsd(Csd("")), 0);
    EXPECT_EQ(ServicePackFromCsd(Csd("Pack 3")), 0);
    EXPECT_EQ(ServicePackFromCsd(Csd("Service Pack x9")), 0);
}

TEST(ServicePack, DoesNotCompareThePrefix) {
    EXPECT_EQ(ServicePackFromCsd(Csd("Dienstpaket 4")), 4);
    EXPECT_EQ(ServicePackFromCsd(Csd("123456789012 7")), 7);
}

TEST(ServicePack, NulIsNotASpace) {
    std::string field = Csd("Service Pack");
    field[13] = '5';  // a digit after a NUL is not reached
    EXPECT_EQ(ServicePackFromCsd(field), 0);
}

TEST(ServicePack, SpacesToTheEndOfTheFieldGiveNone) {
    EXPECT_EQ(ServicePackFromCsd(std::string(kCsdFieldLength, ' ')), 0);
}

TEST(ServicePack, ShortAndOverlongFieldsAreReadSafely) {
    EXPECT_EQ(ServicePackFromCsd("Service Pack 2"), 2);       // shorter than 128: NUL padded
    std::string tooLong(200, ' ');
    tooLong[150] = '7';                                         // beyond the field: not read
    EXPECT_EQ(ServicePackFromCsd(tooLong), 0);
}

TEST(Build, KeepsTheLowSixteenBitsOfAWindows9xBuildValue) {
    const OsInfo info = MakeOsInfo(1, 4, 10, 0x040A07CE, Csd(" A "));
    EXPECT_EQ(info.Build, 0x07CE);
    EXPECT_EQ(info.description, "Windows 98");
    EXPECT_EQ(info.SP, 0);
}

TEST(Build, ALargeNtBuildWrapsInsteadOfFailing) {
    const OsInfo info = MakeOsInfo(2, 6, 2, 40000, Csd(""));
    EXPECT_EQ(info.Build, static_cast<std::int16_t>(40000 - 65536));
    EXPECT_TRUE(info.ok);
}

TEST(ZeroedRecord, GivesAnEmptyDescriptionAndNoSupport) {
    const OsInfo info = MakeOsInfo(0, 0, 0, 0, std::string(kCsdFieldLength, '\0'));
    EXPECT_EQ(info.description, "");
    EXPECT_FALSE(info.ok);
}

}  // namespace
