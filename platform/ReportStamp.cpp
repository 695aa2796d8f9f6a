#include "ReportStamp.h"

#include <algorithm>

#include "Win32.h"

namespace platform {

namespace {

// 100-nanosecond ticks since 1601, for taking one time from another.
long long Ticks(const SYSTEMTIME& time) {
    FILETIME file{};
    if (!SystemTimeToFileTime(&time, &file)) return 0;
    return static_cast<long long>((static_cast<unsigned long long>(file.dwHighDateTime) << 32) |
                                  file.dwLowDateTime);
}

LocalClockReading FromSystemTime(const SYSTEMTIME& time, int utcOffsetMinutes) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, utcOffsetMinutes};
}

}  // namespace

LocalClockReading ReadLocalClock() {
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    SYSTEMTIME local{};
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return FromSystemTime(utc, 0);
    constexpr long long kTicksPerMinute = 600'000'000;
    // Whole minutes: both readings carry the same seconds and milliseconds.
    const long long offset = (Ticks(local) - Ticks(utc)) / kTicksPerMinute;
    // No zone is further than a day from UTC; anything else means a conversion went wrong.
    if (offset < -24 * 60 || offset > 24 * 60) return FromSystemTime(utc, 0);
    return FromSystemTime(local, static_cast<int>(offset));
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameA(name, &length)) return {};
    return std::string(name, std::min<DWORD>(length, MAX_COMPUTERNAME_LENGTH));
}

}  // namespace platform
