#pragma once
// The folders Windows names in the environment, to hold the folder services' answers against.
#include <string>

#include "platform/Win32.h"

namespace checktest {

// The value of an environment variable of this process; empty when it is not set.
inline std::string Environment(const std::string& name) {
    constexpr DWORD kLongest = 32767;  // an environment value's limit, in characters
    std::string value(kLongest + 1, '\0');
    const DWORD n = GetEnvironmentVariableA(name.c_str(), value.data(), kLongest + 1);
    value.resize(n <= kLongest ? n : 0);
    return value;
}

}  // namespace checktest
