#pragma once
// When and where a report was made: the local clock with its distance from UTC, and the
// computer's name. The record itself is portable; reading it needs Windows.
#include <string>

namespace platform {

struct LocalClockReading {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int utcOffsetMinutes = 0;  // local time minus UTC: +60 in Paris in winter, -300 in New York
};

#ifdef _WIN32
// The local clock now. Local time and offset come from one UTC reading, so the two always
// agree, also in the hour a daylight-saving change happens. Falls back to UTC with offset 0
// when the time zone cannot be applied.
LocalClockReading ReadLocalClock();

// The computer's NetBIOS name (GetComputerNameA), in the system code page; empty on failure.
std::string ComputerName();
#endif

}  // namespace platform
