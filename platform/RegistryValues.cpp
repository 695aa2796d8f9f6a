#include "RegistryValues.h"

#include <algorithm>
#include <vector>

#include "RegistryKey.h"

namespace platform {

namespace {

// The value's data when it has the type `accepts` allows; nothing otherwise.
template <typename Accepts>
std::optional<std::vector<std::uint8_t>> ReadValue(HKEY root, const std::string& path,
                                                   const std::string& name, REGSAM access,
                                                   Accepts accepts) {
    ScopedRegistryKey key;
    if (OpenRegistryKey(root, path, KEY_QUERY_VALUE | access, key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    const LONG info = QueryRegistryValueInfo(key.get(), name, type, size);
    if ((info != ERROR_SUCCESS && info != ERROR_MORE_DATA) || !accepts(type, size)) return std::nullopt;
    std::vector<std::uint8_t> data(size);
    // A value that grew meanwhile answers ERROR_MORE_DATA: nothing, rather than a part.
    if (size > 0 && QueryRegistryValueData(key.get(), name, data) != ERROR_SUCCESS) return std::nullopt;
    return data;
}

}  // namespace

bool RegistryKeyExists(HKEY root, const std::string& path, REGSAM access) {
    ScopedRegistryKey key;
    return OpenRegistryKey(root, path, KEY_QUERY_VALUE | access, key) == ERROR_SUCCESS;
}

std::optional<std::uint32_t> ReadRegistryDword(HKEY root, const std::string& path,
                                               const std::string& name, REGSAM access) {
    const auto data = ReadValue(root, path, name, access, [](DWORD type, DWORD size) {
        return type == REG_DWORD && size == sizeof(std::uint32_t);
    });
    if (!data || data->size() != sizeof(std::uint32_t)) return std::nullopt;
    const auto& b = *data;
    return static_cast<std::uint32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

std::optional<std::string> ReadRegistryText(HKEY root, const std::string& path,
                                            const std::string& name, REGSAM access) {
    const auto data = ReadValue(root, path, name, access, [](DWORD type, DWORD) {
        return type == REG_SZ || type == REG_EXPAND_SZ;
    });
    if (!data) return std::nullopt;
    return std::string(data->begin(), std::find(data->begin(), data->end(), std::uint8_t{0}));
}

}  // namespace platform
