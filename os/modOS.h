#pragma once
// OS identification: which Windows release this is, its display text, and whether it is supported.
#include <cstdint>
#include <string_view>

#include "OsInfo.h"

// Size of the service-pack text field of the platform's version record.
inline constexpr std::size_t kCsdFieldLength = 128;

// Pure: turns the platform's version record into an OsInfo. `csd` is the record's 128-character
// service-pack field; a shorter text counts as padded with NUL characters, a longer one is cut.
OsInfo MakeOsInfo(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                  std::uint32_t build, std::string_view csd);

// The service-pack number 0..9 read from that field.
std::int16_t ServicePackFromCsd(std::string_view csd);

#ifdef _WIN32
// Asks Windows for its version record and returns a new OsInfo made from it. Never fails:
// a refused query leaves a zeroed record, which gives an empty description and ok false.
OsInfo GetOsInfo();
#endif
