#include "OsVersion.h"

#include "SystemLibrary.h"
#include "Win32.h"

namespace platform {

OsVersionRecord ReadOsVersionRecord() {
    OSVERSIONINFOA raw{};
    raw.dwOSVersionInfoSize = sizeof raw;  // 148
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    // The result is not consulted: on failure the zeroed record stands.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    GetVersionExA(&raw);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    OsVersionRecord record;
    record.major = raw.dwMajorVersion;
    record.minor = raw.dwMinorVersion;
    record.build = raw.dwBuildNumber;
    record.platformId = raw.dwPlatformId;
    record.csd.assign(raw.szCSDVersion, sizeof raw.szCSDVersion);
    return record;
}

RealWindowsVersion ReadRealWindowsVersion() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto getVersion = OptionalFunction<RtlGetVersionFunction>("ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!getVersion || getVersion(&info) != 0) return {};  // 0 is STATUS_SUCCESS
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

}  // namespace platform
