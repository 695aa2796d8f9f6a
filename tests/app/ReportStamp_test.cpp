// The report's time and computer name, against other sources of the same facts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/report/Report.h"
#include "platform/ReportStamp.h"
#include "platform/Win32.h"

namespace {

long long SecondsSince1601(const SYSTEMTIME& time) {
    FILETIME file{};
    EXPECT_TRUE(SystemTimeToFileTime(&time, &file));
    const unsigned long long ticks = (static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return static_cast<long long>(ticks / 10'000'000ULL);
}

SYSTEMTIME ToSystemTime(const platform::LocalClockReading& r) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(r.year);
    time.wMonth = static_cast<WORD>(r.month);
    time.wDay = static_cast<WORD>(r.day);
    time.wHour = static_cast<WORD>(r.hour);
    time.wMinute = static_cast<WORD>(r.minute);
    time.wSecond = static_cast<WORD>(r.second);
    return time;
}

TEST(ReadLocalClockTest, IsTheCurrentUtcTimeShiftedByItsOffset) {
    SYSTEMTIME before{};
    GetSystemTime(&before);
    const platform::LocalClockReading reading = platform::ReadLocalClock();
    SYSTEMTIME after{};
    GetSystemTime(&after);

    const long long asUtc = SecondsSince1601(ToSystemTime(reading)) - 60LL * reading.utcOffsetMinutes;
    EXPECT_GE(asUtc, SecondsSince1601(before) - 1);
    EXPECT_LE(asUtc, SecondsSince1601(after) + 1);
}

TEST(ReadLocalClockTest, OffsetIsTheTimeZoneBiasInForce) {
    TIME_ZONE_INFORMATION zone{};
    const DWORD which = GetTimeZoneInformation(&zone);
    ASSERT_NE(which, TIME_ZONE_ID_INVALID);
    long bias = zone.Bias;  // UTC = local + bias
    if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
    if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
    EXPECT_EQ(platform::ReadLocalClock().utcOffsetMinutes, -bias);
}

TEST(ReadLocalClockTest, FormatsIntoTheReportsTimeTexts) {
    const platform::LocalClockReading reading = platform::ReadLocalClock();
    const ReportTimes times = FormatReportTimes(reading);
    ASSERT_EQ(times.localTime.size(), 19u) << times.localTime;
    ASSERT_EQ(times.isoTime.size(), 25u) << times.isoTime;
    EXPECT_EQ(times.isoTime.substr(0, 10), times.localTime.substr(0, 10));
    EXPECT_EQ(times.isoTime.substr(11, 8), times.localTime.substr(11, 8));
    EXPECT_EQ(std::stoi(times.localTime.substr(0, 4)), reading.year);
}

TEST(ComputerNameTest, IsTheNameWindowsGivesTheComputer) {
    const std::string name = platform::ComputerName();
    ASSERT_FALSE(name.empty());
    EXPECT_LE(name.size(), static_cast<std::size_t>(MAX_COMPUTERNAME_LENGTH));
    EXPECT_EQ(name.find('\0'), std::string::npos);
    if (const char* environment = std::getenv("COMPUTERNAME")) {
        EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), -1, environment, -1),
                  CSTR_EQUAL)
            << name << " vs " << environment;
    }
}

}  // namespace
