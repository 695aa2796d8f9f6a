#include "modOS.h"

#include <string>

namespace {

// The platform's values are 32-bit unsigned; OsInfo keeps 16-bit signed numbers. Platform, major
// and minor always fit. A Windows 9x build value carries the version in its high 16 bits and
// the build number in its low 16, so the low half is what is kept, on every platform.
std::int16_t Low16(std::uint32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}

// Chooses the release name and sets ok; appends the service pack. The only place that sets ok.
std::string GetOsDescription(OsInfo& info) {
    info.ok = false;
    std::string name;
    if (info.Platform == 1) {
        switch (info.Minor) {
            case 0: name = "Windows 95"; break;
            case 10: name = "Windows 98"; break;
            case 90: name = "Windows Me"; break;
            default: break;
        }
    } else if (info.Platform == 2) {
        switch (info.Major) {
            case 3: name = "Windows NT 3.51"; break;
            case 4: name = "Windows NT 4"; break;
            case 5:
                if (info.Minor == 0) {
                    name = "Windows 2000";
                } else if (info.Minor == 1) {
                    name = "Windows XP";
                    info.ok = info.SP >= 2;
                } else if (info.Minor == 2) {
                    name = "Windows Server 2003";
                    info.ok = info.SP >= 2;
                }
                break;
            case 6: name = "Windows Vista/7"; info.ok = true; break;
            case 7: name = "Windows 7"; info.ok = true; break;
            default: break;
        }
    }
    if (info.SP > 0) name += " SP" + std::to_string(info.SP);
    return name;
}

}  // namespace

std::int16_t ServicePackFromCsd(std::string_view csd) {
    // The field is read whole: past the text come NUL characters, which are neither spaces
    // nor digits. The first 12 characters ("Service Pack") are dropped without comparing them.
    constexpr std::size_t kPrefixLength = 12;
    if (csd.size() > kCsdFieldLength) csd = csd.substr(0, kCsdFieldLength);
    if (csd.size() <= kPrefixLength) return 0;
    std::size_t i = kPrefixLength;
    while (i < csd.size() && csd[i] == ' ') ++i;
    if (i == csd.size()) return 0;
    const char c = csd[i];
    return (c >= '0' && c <= '9') ? static_cast<std::int16_t>(c - '0') : 0;
}

OsInfo MakeOsInfo(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                  std::uint32_t build, std::string_view csd) {
    OsInfo info;
    info.SP = ServicePackFromCsd(csd);
    info.Platform = Low16(platformId);
    info.Major = Low16(major);
    info.Minor = Low16(minor);
    info.Build = Low16(build);
    info.description = GetOsDescription(info);
    return info;
}
