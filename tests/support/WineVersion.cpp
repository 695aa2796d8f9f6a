#include "WineVersion.h"

#include <stdexcept>

#include "platform/Win32.h"

namespace testsupport {

ScopedWineVersion::ScopedWineVersion(std::string exeName, const std::string& version)
    : keyPath_("Software\\Wine\\AppDefaults\\" + exeName) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + keyPath_);
    const LONG rc = RegSetValueExA(key, "Version", 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(version.c_str()),
                                   static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot set the Wine version");
}

ScopedWineVersion::~ScopedWineVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, keyPath_.c_str()); }

}  // namespace testsupport
