#pragma once
// The registry through advapi32's single-byte ("A") functions: an owning key handle and one
// thin call per operation. Texts pass in the system code page unchanged. Every function that
// returns LONG gives the platform's result, ERROR_SUCCESS (0) meaning success; outputs are
// left untouched on failure, except buffers handed to the platform to fill.
#include <cstdint>
#include <string>
#include <vector>

#include "ScopedHandle.h"

namespace platform {

struct RegistryKeyTraits {
    using handle_type = HKEY;
    static handle_type invalid() { return nullptr; }
    static void close(handle_type h) { RegCloseKey(h); }
};
using ScopedRegistryKey = ScopedHandle<RegistryKeyTraits>;

// The handle of a root key held as a signed 32-bit number, sign-extended to the handle's width
// exactly as <windows.h> defines HKEY_LOCAL_MACHINE and the other predefined keys.
HKEY RegistryRootKey(std::int32_t root);

LONG OpenRegistryKey(HKEY root, const std::string& path, REGSAM access, ScopedRegistryKey& key);
// Opens the key, or creates it and any missing keys above it: non-volatile, no class name,
// zeroed security attributes.
LONG CreateRegistryKey(HKEY root, const std::string& path, REGSAM access, ScopedRegistryKey& key);
LONG DeleteRegistryKey(HKEY root, const std::string& path);
LONG DeleteRegistryValue(HKEY key, const std::string& name);

// A value's type and stored size in bytes, asked with a 4-byte scratch buffer and size 0:
// ERROR_MORE_DATA (234) for a value with data, 0 for one without.
LONG QueryRegistryValueInfo(HKEY key, const std::string& name, DWORD& type, DWORD& size);
// Reads a value's data into `data` at its current size; on success `data` is cut to the size
// the platform reports.
LONG QueryRegistryValueData(HKEY key, const std::string& name, std::vector<std::uint8_t>& data);
LONG SetRegistryValue(HKEY key, const std::string& name, DWORD type,
                      const std::vector<std::uint8_t>& data);

// The length of the key's longest value name, in characters, without its NUL.
LONG QueryLongestValueNameLength(HKEY key, DWORD& length);
// The name of the value at `index`; `capacity` counts the terminating NUL.
LONG EnumRegistryValueName(HKEY key, DWORD index, DWORD capacity, std::string& name);
// The name of the subkey at `index`, written into `buffer` at its current size; the platform
// ends a name shorter than the buffer with a NUL.
LONG EnumRegistrySubkeyName(HKEY key, DWORD index, std::string& buffer);

}  // namespace platform
