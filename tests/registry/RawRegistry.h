#pragma once
// Direct registry access for the tests, apart from the object under test: raw values in and out,
// and whole trees removed.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "registry/cRegistry.h"

namespace regtest {

struct RawValue {
    DWORD type = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const RawValue&) const = default;
};

std::vector<std::uint8_t> Bytes(const std::string& text);  // the characters, no NUL added
std::vector<std::uint8_t> Dword(std::int32_t n);           // machine byte order

// Creates the key as needed; throws when the platform refuses.
void WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const std::vector<std::uint8_t>& data);
std::optional<RawValue> ReadRaw(HKEY root, const std::string& path, const std::string& name);
bool RawKeyExists(HKEY root, const std::string& path);
// Gives the key a DACL that refuses KEY_QUERY_VALUE to everyone and allows all else.
void DenyQueryAccess(HKEY root, const std::string& path);
// Creates `child` through its parent's handle, so that its full path may be long.
void CreateRawSubkey(HKEY root, const std::string& parent, const std::string& child);
// Removes the key with everything below it; a missing key is fine.
void DeleteTree(HKEY root, const std::string& path);

// The five settings of a registry object, to compare before and after a call.
struct Settings {
    RegistryRoot classKey;
    std::string sectionKey;
    std::string valueKey;
    RegistryValueType valueType;
    RegistryValue fallback;
    bool operator==(const Settings&) const = default;
};
Settings SettingsOf(const cRegistry& reg);

}  // namespace regtest
