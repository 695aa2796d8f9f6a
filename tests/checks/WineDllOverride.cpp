#include "WineDllOverride.h"

#include <stdexcept>

#include "platform/RegistryKey.h"
#include "support/WineVersion.h"

namespace checktest {

ScopedWineDllOverride::ScopedWineDllOverride(const std::string& exeName,
                                             const std::string& library, const std::string& order)
    : appKey_("Software\\Wine\\AppDefaults\\" + exeName) {
    const std::string keyPath = appKey_ + "\\DllOverrides";
    platform::ScopedRegistryKey key;
    if (platform::CreateRegistryKey(HKEY_CURRENT_USER, keyPath, KEY_SET_VALUE, key) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + keyPath);
    if (RegSetValueExA(key.get(), library.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(order.c_str()),
                       static_cast<DWORD>(order.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set the override of " + library);
}

ScopedWineDllOverride::~ScopedWineDllOverride() {
    RegDeleteKeyA(HKEY_CURRENT_USER, (appKey_ + "\\DllOverrides").c_str());
    testsupport::DeleteKeyIfEmpty(HKEY_CURRENT_USER, appKey_);
}

}  // namespace checktest
