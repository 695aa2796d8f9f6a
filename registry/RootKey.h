#pragma once
// The handle of the root key that a RegistryRoot names (Windows only).
#include <cstdint>

#include "RegistryRoot.h"
#include "platform/RegistryKey.h"

namespace registry {

inline HKEY RootKey(RegistryRoot root) {
    return platform::RegistryRootKey(static_cast<std::int32_t>(root));
}

}  // namespace registry
