#include "ProcessBitness.h"

#include "SystemLibrary.h"

namespace platform {

bool RunsUnderWow64() {
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    static const auto isWow64 = OptionalFunction<IsWow64ProcessFunction>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::string EnvironmentValue(const char* name) {
    // Asked once with the longest a value can be (32767 characters and the NUL): no second call
    // that a changed value could outrun.
    constexpr DWORD kCapacity = 32768;
    std::string value(kCapacity, '\0');
    const DWORD length = GetEnvironmentVariableA(name, value.data(), kCapacity);
    value.resize(length < kCapacity ? length : 0);
    return value;
}

}  // namespace platform
