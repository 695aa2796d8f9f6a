#pragma once
// The platform's version record, as GetVersionExA reports it to this program.
#include <cstdint>
#include <string>

namespace platform {

struct OsVersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
    std::string csd;  // all 128 characters of the service-pack field, NUL padding included
};

// Never fails: a refused query leaves every number 0 and the field all NUL.
OsVersionRecord ReadOsVersionRecord();

// The version Windows really runs, as ntdll's RtlGetVersion gives it: unlike the record above,
// it is not changed for compatibility (Windows 8 and later report 6.2 to a program like this).
struct RealWindowsVersion {
    std::uint32_t major = 0;  // 0: not known (ntdll has no RtlGetVersion before Windows 2000)
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};

RealWindowsVersion ReadRealWindowsVersion();

}  // namespace platform
