#pragma once
// The OS check's line: the release as identified and the version record it came from. Portable.
#include <cstdint>
#include <string_view>

#include "OsInfo.h"
#include "checks/Finding.h"
#include "platform/OsVersion.h"

// `info` is what MakeOsInfo made of the record given by the other arguments (the same as its
// own). Passes exactly when `info.ok`. The line, e.g.
//   Windows XP SP3: platform 2, version 5.1, build 2600, "Service Pack 3"
//   Windows 2000 SP4, not supported: platform 2, version 5.0, build 2195, "Service Pack 4"
//   unknown release, not supported: platform 2, version 10.0, build 19045, no service pack
// The service-pack text is shown up to its first NUL. A platform-1 build shows only its low 16
// bits, the build number proper. The all-zero record of a refused query is
// "Could not check: Windows gave no version record".
// When `real` (the version Windows really runs) is known and differs, the line ends
//   (Windows reports this for compatibility; the PC runs Windows 10.0 build 19045)
// while the verdict still follows the record. XP and Server 2003 before Service Pack 2 fail with
// the kind ServicePackTooOld.
Finding MakeOsFinding(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                      std::uint32_t build, std::string_view csd, const OsInfo& info,
                      const platform::RealWindowsVersion& real = {});

inline constexpr std::string_view kNoVersionRecord = "Windows gave no version record";
inline constexpr std::string_view kUnknownRelease = "unknown release";
inline constexpr std::string_view kNotSupported = ", not supported";
inline constexpr std::string_view kNoServicePack = "no service pack";
