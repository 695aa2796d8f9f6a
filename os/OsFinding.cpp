#include "OsFinding.h"

#include <algorithm>
#include <string>

#include "modOS.h"

namespace {

// The text part of the service-pack field: up to its first NUL, within the field's length.
std::string_view CsdText(std::string_view csd) {
    csd = csd.substr(0, std::min(csd.size(), kCsdFieldLength));
    return csd.substr(0, std::min(csd.size(), csd.find('\0')));
}

bool IsZeroRecord(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                  std::uint32_t build, std::string_view csd) {
    return platformId == 0 && major == 0 && minor == 0 && build == 0 && CsdText(csd).empty();
}

// The description without a release name is empty, or just the service-pack suffix (" SP1").
std::string ReleaseName(const OsInfo& info) {
    if (info.description.empty() || info.description.front() == ' ') {
        return std::string(kUnknownRelease) + info.description;
    }
    return info.description;
}

}  // namespace

Finding MakeOsFinding(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                      std::uint32_t build, std::string_view csd, const OsInfo& info,
                      const platform::RealWindowsVersion& real) {
    if (IsZeroRecord(platformId, major, minor, build, csd)) {
        return CouldNotCheck(kNoVersionRecord);
    }
    // On platform 1 the high half of the build value repeats the version.
    const std::uint32_t shownBuild = platformId == 1 ? (build & 0xFFFFu) : build;
    std::string line = ReleaseName(info);
    if (!info.ok) line += kNotSupported;
    line += ": platform " + std::to_string(platformId) + ", version " + std::to_string(major) + "." +
            std::to_string(minor) + ", build " + std::to_string(shownBuild) + ", ";
    const std::string_view text = CsdText(csd);
    if (text.empty()) {
        line += kNoServicePack;
    } else {
        line += '"';
        line += OnOneLine(text);
        line += '"';
    }
    if (real.major != 0 && (real.major != major || real.minor != minor || real.build != build)) {
        line += " (Windows reports this for compatibility; the PC runs Windows " + std::to_string(real.major) +
                "." + std::to_string(real.minor) + " build " + std::to_string(real.build) + ")";
    }
    // Windows XP and Server 2003 pass from Service Pack 2 on.
    const bool servicePackTooOld = !info.ok && platformId == 2 && major == 5 && (minor == 1 || minor == 2);
    return {info.ok, std::move(line), servicePackTooOld ? FindingKind::ServicePackTooOld : FindingKind::Unclassified};
}
