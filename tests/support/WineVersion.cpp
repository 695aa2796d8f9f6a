#include "WineVersion.h"

#include <stdexcept>

#include "platform/RegistryKey.h"

namespace testsupport {

ScopedWineVersion::ScopedWineVersion(std::string exeName, const std::string& version)
    : keyPath_("Software\\Wine\\AppDefaults\\" + exeName) {
    platform::ScopedRegistryKey key;
    if (platform::CreateRegistryKey(HKEY_CURRENT_USER, keyPath_, KEY_SET_VALUE, key) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + keyPath_);
    if (RegSetValueExA(key.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>(version.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set the Wine version");
}

void DeleteKeyIfEmpty(HKEY root, const std::string& path) {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return;
    DWORD subkeys = 0, values = 0;
    const LONG rc = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                     &values, nullptr, nullptr, nullptr, nullptr);
    key.reset();
    if (rc == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyA(root, path.c_str());
}

ScopedWineVersion::~ScopedWineVersion() {
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(HKEY_CURRENT_USER, keyPath_, KEY_SET_VALUE, key) == ERROR_SUCCESS)
        RegDeleteValueA(key.get(), "Version");
    key.reset();
    DeleteKeyIfEmpty(HKEY_CURRENT_USER, keyPath_);
}

}  // namespace testsupport
