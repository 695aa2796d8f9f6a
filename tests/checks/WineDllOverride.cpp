#include "WineDllOverride.h"

#include <stdexcept>

#include "platform/ScopedHandle.h"

namespace checktest {

namespace {

struct RegKeyTraits {
    using handle_type = HKEY;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { RegCloseKey(h); }
};
using ScopedRegKey = platform::ScopedHandle<RegKeyTraits>;

}  // namespace

ScopedWineDllOverride::ScopedWineDllOverride(const std::string& exeName,
                                             const std::string& library, const std::string& order)
    : appKey_("Software\\Wine\\AppDefaults\\" + exeName) {
    const std::string keyPath = appKey_ + "\\DllOverrides";
    ScopedRegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.receive(), nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + keyPath);
    if (RegSetValueExA(key.get(), library.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(order.c_str()),
                       static_cast<DWORD>(order.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set the override of " + library);
}

ScopedWineDllOverride::~ScopedWineDllOverride() {
    RegDeleteKeyA(HKEY_CURRENT_USER, (appKey_ + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, appKey_.c_str());
}

}  // namespace checktest
