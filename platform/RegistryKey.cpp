#include "RegistryKey.h"

#include <cstdint>

namespace platform {

HKEY RegistryRootKey(std::int32_t root) {
    // Through a signed integer of the handle's width: the sign extends as in <windows.h>.
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(root));
}

LONG OpenRegistryKey(HKEY root, const std::string& path, REGSAM access, ScopedRegistryKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(root, path.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key.reset(opened);
    return result;
}

LONG CreateRegistryKey(HKEY root, const std::string& path, REGSAM access, ScopedRegistryKey& key) {
    char noClass[] = "";
    SECURITY_ATTRIBUTES security{};  // length, descriptor and inherit flag all zero
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const LONG result = RegCreateKeyExA(root, path.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE,
                                        access, &security, &opened, &disposition);
    if (result == ERROR_SUCCESS) key.reset(opened);
    return result;
}

LONG DeleteRegistryKey(HKEY root, const std::string& path) {
    return RegDeleteKeyA(root, path.c_str());
}

LONG DeleteRegistryValue(HKEY key, const std::string& name) {
    return RegDeleteValueA(key, name.c_str());
}

LONG QueryRegistryValueInfo(HKEY key, const std::string& name, DWORD& type, DWORD& size) {
    BYTE scratch[4] = {};
    DWORD foundType = 0;
    DWORD foundSize = 0;
    const LONG result =
        RegQueryValueExA(key, name.c_str(), nullptr, &foundType, scratch, &foundSize);
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        type = foundType;
        size = foundSize;
    }
    return result;
}

LONG QueryRegistryValueData(HKEY key, const std::string& name, std::vector<std::uint8_t>& data) {
    DWORD size = static_cast<DWORD>(data.size());
    const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                         data.empty() ? nullptr : data.data(), &size);
    if (result == ERROR_SUCCESS && size < data.size()) data.resize(size);
    return result;
}

LONG SetRegistryValue(HKEY key, const std::string& name, DWORD type,
                      const std::vector<std::uint8_t>& data) {
    return RegSetValueExA(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                          static_cast<DWORD>(data.size()));
}

LONG QueryLongestValueNameLength(HKEY key, DWORD& length) {
    // No class name is asked for: a key with one would otherwise answer ERROR_MORE_DATA.
    DWORD longest = 0;
    const LONG result = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, &longest, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) length = longest;
    return result;
}

LONG EnumRegistryValueName(HKEY key, DWORD index, DWORD capacity, std::string& name) {
    std::string buffer(capacity, '\0');
    DWORD length = capacity;
    const LONG result =
        RegEnumValueA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name.assign(buffer, 0, length < capacity ? length : capacity);
    return result;
}

LONG EnumRegistrySubkeyName(HKEY key, DWORD index, std::string& buffer) {
    return RegEnumKeyA(key, index, buffer.data(), static_cast<DWORD>(buffer.size()));
}

}  // namespace platform
