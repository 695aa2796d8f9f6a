// Listing the names of a key's values and subkeys.
#include "cRegistry.h"

#include <limits>
#include <stdexcept>

#include "RootKey.h"
#include "platform/RegistryKey.h"

namespace {

// The longest subkey name the platform allows, and its NUL.
constexpr DWORD kSubkeyNameCapacity = 255 + 1;

void CountOneMore(std::int32_t& count) {
    if (count == std::numeric_limits<std::int32_t>::max()) throw std::overflow_error("Overflow");
    ++count;
}

}  // namespace

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) {
    iKeyCount = 0;
    sKeyNames.clear();
    platform::ScopedRegistryKey key;
    if (platform::OpenRegistryKey(registry::RootKey(classKey_), sectionKey_, KEY_QUERY_VALUE,
                                  key) != ERROR_SUCCESS)
        return true;
    DWORD longest = 0;
    if (platform::QueryLongestValueNameLength(key.get(), longest) != ERROR_SUCCESS) return true;

    for (DWORD index = 0;; ++index) {
        std::string name;
        if (platform::EnumRegistryValueName(key.get(), index, longest + 1, name) != ERROR_SUCCESS)
            break;
        CountOneMore(iKeyCount);
        sKeyNames.push_back(std::move(name));
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount) {
    platform::ScopedRegistryKey key;
    try {
        iSectCount = 0;
        sSect.clear();
        LONG result = platform::OpenRegistryKey(registry::RootKey(classKey_), sectionKey_,
                                                KEY_ENUMERATE_SUB_KEYS, key);
        for (DWORD index = 0; result == ERROR_SUCCESS; ++index) {
            std::string buffer(kSubkeyNameCapacity, '\0');
            result = platform::EnumRegistrySubkeyName(key.get(), index, buffer);
            if (result == ERROR_SUCCESS) {
                CountOneMore(iSectCount);
                sSect.push_back(buffer.substr(0, buffer.find('\0')));
            }
        }
        return true;
    } catch (const std::exception& trapped) {
        key.reset();
        throw registry::ProgramError(registry::kSectionEnumerationFailed, trapped.what());
    }
}
