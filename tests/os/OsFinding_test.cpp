// The OS check's line and verdict, from fixed version records.
#include "os/OsFinding.h"

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

struct Record {
    std::uint32_t platform, major, minor, build;
    std::string csd;
    bool passed;
    const char* line;
    platform::RealWindowsVersion real{};  // what ntdll says Windows runs; none known by default
};

class OsFindingLine : public ::testing::TestWithParam<Record> {};

TEST_P(OsFindingLine, NamesTheReleaseAndTheRecord) {
    const Record& r = GetParam();
    const OsInfo info = MakeOsInfo(r.platform, r.major, r.minor, r.build, r.csd);
    const Finding finding = MakeOsFinding(r.platform, r.major, r.minor, r.build, r.csd, info, r.real);
    EXPECT_EQ(finding.passed, r.passed);
    EXPECT_EQ(finding.detail, r.line);
}

INSTANTIATE_TEST_SUITE_P(
    Records, OsFindingLine,
    ::testing::Values(
        Record{2, 5, 1, 2600, Csd("Service Pack 3"), true,
               "Windows XP SP3: platform 2, version 5.1, build 2600, \"Service Pack 3\""},
        Record{2, 5, 1, 2600, Csd("Service Pack 1"), false,
               "Windows XP SP1, not supported: platform 2, version 5.1, build 2600, "
               "\"Service Pack 1\""},
        Record{2, 5, 0, 2195, Csd("Service Pack 4"), false,
               "Windows 2000 SP4, not supported: platform 2, version 5.0, build 2195, "
               "\"Service Pack 4\""},
        Record{2, 10, 0, 19045, Csd(""), false,
               "unknown release, not supported: platform 2, version 10.0, build 19045, "
               "no service pack"},
        Record{2, 5, 3, 1, Csd("Service Pack 1"), false,
               "unknown release SP1, not supported: platform 2, version 5.3, build 1, "
               "\"Service Pack 1\""},
        Record{2, 6, 2, 9200, Csd(""), true,
               "Windows Vista/7: platform 2, version 6.2, build 9200, no service pack"},
        // Windows 8 and later report 6.2 to this program; the line says what really runs.
        Record{2, 6, 2, 9200, Csd(""), true,
               "Windows Vista/7: platform 2, version 6.2, build 9200, no service pack (Windows "
               "reports this for compatibility; the PC runs Windows 10.0 build 19045)",
               {10, 0, 19045}},
        Record{2, 6, 1, 7601, Csd("Service Pack 1"), true,
               "Windows Vista/7 SP1: platform 2, version 6.1, build 7601, \"Service Pack 1\"",
               {6, 1, 7601}},
        // Builds past 16 bits are shown whole on the NT family...
        Record{2, 6, 3, 70000, Csd(""), true,
               "Windows Vista/7: platform 2, version 6.3, build 70000, no service pack"},
        // ...while a platform-1 build carries the version in its high half.
        Record{1, 4, 10, 0x040A08AE, Csd(" A "), false,
               "Windows 98, not supported: platform 1, version 4.10, build 2222, \" A \""},
        // The text ends at its first NUL; what lies after it is not shown.
        Record{2, 5, 2, 3790, std::string("Service Pack 2\0junk", 19), true,
               "Windows Server 2003 SP2: platform 2, version 5.2, build 3790, "
               "\"Service Pack 2\""},
        Record{2, 5, 1, 2600, "Service Pack 2\r\nx", true,
               "Windows XP SP2: platform 2, version 5.1, build 2600, \"Service Pack 2  x\""}));

TEST(OsFindingRecord, TheFieldIsReadOnlyToItsLength) {
    const std::string field = std::string(kCsdFieldLength, 'S') + "beyond";
    const OsInfo info = MakeOsInfo(2, 6, 1, 7601, field);
    const Finding finding = MakeOsFinding(2, 6, 1, 7601, field, info);
    EXPECT_EQ(finding.detail, "Windows Vista/7: platform 2, version 6.1, build 7601, \"" +
                                  std::string(kCsdFieldLength, 'S') + "\"");
}

TEST(OsFindingRecord, ARefusedQueryCouldNotLook) {
    for (const std::string& csd : {Csd(""), std::string()}) {
        const OsInfo info = MakeOsInfo(0, 0, 0, 0, csd);
        const Finding finding = MakeOsFinding(0, 0, 0, 0, csd, info);
        EXPECT_FALSE(finding.passed);
        EXPECT_EQ(finding.detail, "Could not check: Windows gave no version record");
    }
}

TEST(OsFindingRecord, AnyNonZeroPartIsARecord) {
    // Platform 0 with a version is an (unsupported) answer, not a refused query.
    const OsInfo info = MakeOsInfo(0, 1, 0, 0, Csd(""));
    const Finding finding = MakeOsFinding(0, 1, 0, 0, Csd(""), info);
    EXPECT_EQ(finding.detail,
              "unknown release, not supported: platform 0, version 1.0, build 0, no service pack");
}

TEST(OsFindingKind, XpAndServer2003BeforeServicePack2NeedAServicePack) {
    const auto kind = [](std::uint32_t major, std::uint32_t minor, const char* csd) {
        const OsInfo info = MakeOsInfo(2, major, minor, 1, Csd(csd));
        return MakeOsFinding(2, major, minor, 1, Csd(csd), info).kind;
    };
    EXPECT_EQ(kind(5, 1, "Service Pack 1"), FindingKind::ServicePackTooOld);
    EXPECT_EQ(kind(5, 2, ""), FindingKind::ServicePackTooOld);
    EXPECT_EQ(kind(5, 1, "Service Pack 2"), FindingKind::Unclassified);  // passes
    EXPECT_EQ(kind(5, 0, "Service Pack 4"), FindingKind::Unclassified);  // Windows 2000: no pack helps
}

}  // namespace
