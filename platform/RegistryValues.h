#pragma once
// Single values read from a key of HKEY_LOCAL_MACHINE or another root, in a chosen registry view.
// `access` is added to KEY_QUERY_VALUE: 0 for the process's own view, or KEY_WOW64_64KEY /
// KEY_WOW64_32KEY, which only a process under WOW64 or a 64-bit one may pass (Windows 2000 refuses
// them). A missing key or value, or one of another type, is nothing: not found is no failure.
#include <cstdint>
#include <optional>
#include <string>

#include "Win32.h"

namespace platform {

// True when the key can be opened for reading.
bool RegistryKeyExists(HKEY root, const std::string& path, REGSAM access);

// A REG_DWORD value of exactly four bytes.
std::optional<std::uint32_t> ReadRegistryDword(HKEY root, const std::string& path,
                                               const std::string& name, REGSAM access);

// A REG_SZ or REG_EXPAND_SZ value (unexpanded), up to its first NUL; the size is asked first, so a
// value stored without its NUL is read whole and no further.
std::optional<std::string> ReadRegistryText(HKEY root, const std::string& path,
                                            const std::string& name, REGSAM access);

}  // namespace platform
