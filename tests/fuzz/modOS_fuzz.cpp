// MakeOsInfo and ServicePackFromCsd on any version record. The input is the four platform
// values (4 bytes each, least significant first) followed by the service-pack field.
#include <array>
#include <string>

#include "FuzzSupport.h"
#include "modOS.h"

namespace {

constexpr std::size_t kRecordValues = 4;

// Every name a release can have; the description is one of them (or empty), then the suffix.
constexpr std::array<std::string_view, 10> kReleaseNames = {
    "Windows 95",      "Windows 98",          "Windows Me",      "Windows NT 3.51",
    "Windows NT 4",    "Windows 2000",        "Windows XP",      "Windows Server 2003",
    "Windows Vista/7", "Windows 7"};

std::uint32_t ReadValue(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

bool IsReleaseName(std::string_view name) {
    if (name.empty()) return true;
    for (const std::string_view known : kReleaseNames)
        if (name == known) return true;
    return false;
}

// The supported releases: XP and Server 2003 from service pack 2 on, NT 6.x and 7.x.
bool IsSupported(const OsInfo& info) {
    if (info.Platform != 2) return false;
    if (info.Major == 6 || info.Major == 7) return true;
    return info.Major == 5 && (info.Minor == 1 || info.Minor == 2) && info.SP >= 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kRecordValues * 4) return 0;
    std::array<std::uint32_t, kRecordValues> values{};
    for (std::size_t i = 0; i < kRecordValues; ++i) values[i] = ReadValue(data + 4 * i);
    const std::string csd(fuzz::AsText(data + 16, size - 16));

    const std::int16_t sp = ServicePackFromCsd(csd);
    fuzz::Require(sp >= 0 && sp <= 9, "the service pack is 0..9");
    if (csd.size() < kCsdFieldLength) {
        const std::string padded = csd + std::string(kCsdFieldLength - csd.size(), '\0');
        fuzz::Require(ServicePackFromCsd(padded) == sp, "a short field counts as NUL-padded");
    }
    if (csd.size() >= 12) {
        fuzz::Require(ServicePackFromCsd("Service Pack" + csd.substr(12)) == sp &&
                          ServicePackFromCsd("############" + csd.substr(12)) == sp,
                      "the first 12 characters are not compared");
    }

    const OsInfo info = MakeOsInfo(values[0], values[1], values[2], values[3], csd);
    fuzz::Require(info.SP == sp, "the record's service pack is the field's");
    fuzz::Require(info.ok == IsSupported(info), "ok exactly for the supported releases");

    const std::string suffix = sp > 0 ? " SP" + std::to_string(sp) : std::string();
    const std::string_view description = info.description;
    fuzz::Require(description.size() >= suffix.size() &&
                      description.substr(description.size() - suffix.size()) == suffix,
                  "the description ends with the service pack");
    fuzz::Require(IsReleaseName(description.substr(0, description.size() - suffix.size())),
                  "the description names a known release or none");
    return 0;
}
