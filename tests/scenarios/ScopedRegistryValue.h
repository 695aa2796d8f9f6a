#pragma once
// One registry value as a scenario wants it, for as long as the object lives: set to the given
// data, or absent. Whatever was there before, or its absence, comes back afterwards; a key that
// had to be created for the value, and any created above it, go again when nothing else was put
// in them. `view` (0, KEY_WOW64_32KEY or KEY_WOW64_64KEY) chooses the registry view.
#include <optional>
#include <string>
#include <vector>

#include "platform/Win32.h"

namespace scenario {

struct RegistryData {
    DWORD type;
    std::vector<BYTE> bytes;
};

// REG_SZ data, with its terminating NUL.
RegistryData TextData(const std::string& text);
RegistryData DwordData(DWORD value);

class ScopedRegistryValue {
public:
    // Throws when the value cannot be set (or removed) as asked.
    ScopedRegistryValue(HKEY root, std::string keyPath, std::string name,
                        std::optional<RegistryData> value, REGSAM view = 0);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

private:
    HKEY root_;
    std::string keyPath_;
    std::string name_;
    REGSAM view_;
    std::optional<RegistryData> saved_;
    std::vector<std::string> createdKeys_;  // the deepest first
};

}  // namespace scenario
