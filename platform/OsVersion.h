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

}  // namespace platform
