#pragma once
// What Windows and the .NET setup record about .NET Framework 3.5, and whether .NET 3.5 programs
// use Windows' TLS versions, as words for the end of the .NET line. Information only: the row's
// verdict stays the folder. Portable: the registry's values come in as read.
#include <cstdint>
#include <optional>
#include <string>

// The values under NDP\v3.5, each nothing when missing or of another type.
struct DotNetSetupRecord {
    std::optional<std::uint32_t> install;      // Install, 1 when installed
    std::optional<std::uint32_t> servicePack;  // SP
    std::optional<std::string> version;        // Version, as read
};

// "; the registry records .NET Framework 3.5[ SP n][, version X]" when Install is 1, SP named
// only above 0 and the version only when one is recorded (on one line, at most 64 characters);
// otherwise "; the registry has no record of .NET Framework 3.5". No record: the key is missing.
std::string DotNetRecordWords(const std::optional<DotNetSetupRecord>& record);

// Whether SystemDefaultTlsVersions is 1 in each registry view; a view this PC does not have (the
// 64-bit one on 32-bit Windows) is nothing.
struct TlsDefaultViews {
    bool view32 = false;
    std::optional<bool> view64;
};

// "; .NET 3.5 programs use Windows' TLS versions (SystemDefaultTlsVersions)" when set in every
// view there is, "; .NET 3.5 programs offer only SSL 3.0 and TLS 1.0 unless they ask for more" when in none, and
// for one view of two which programs do which.
std::string DotNetTlsWords(const TlsDefaultViews& views);

// The longest version text put on the line, in characters.
inline constexpr std::size_t kLongestDotNetVersion = 64;
