// Windows XP has no GetTickCount64, yet the static threading runtime that GCC's C++ library
// brings along imports it, and a program importing a function that kernel32 lacks does not
// start at all. Defining the import slot here makes the linker bind that import to this
// replacement instead of to kernel32, so the checker still starts on XP.
#include <atomic>
#include <cstdint>

#include "platform/Win32.h"

namespace {

// The 32-bit millisecond count wraps every 49.7 days; its wraps are counted in the high half.
ULONGLONG WINAPI TickCount64() {
    static std::atomic<std::uint64_t> state{0};  // wraps << 32 | last 32-bit count seen
    std::uint64_t seen = state.load();
    for (;;) {
        const DWORD now = GetTickCount();
        std::uint64_t wraps = seen >> 32;
        if (now < static_cast<DWORD>(seen)) ++wraps;
        const std::uint64_t next = (wraps << 32) | now;
        if (state.compare_exchange_weak(seen, next)) return next;
    }
}

}  // namespace

#if defined(_M_IX86) || defined(__i386__)
extern "C" ULONGLONG(WINAPI* const qt_imp_GetTickCount64)() __asm__("__imp__GetTickCount64@0");
extern "C" ULONGLONG(WINAPI* const qt_imp_GetTickCount64)() = &TickCount64;
#else
extern "C" ULONGLONG(WINAPI* const qt_imp_GetTickCount64)() __asm__("__imp_GetTickCount64");
extern "C" ULONGLONG(WINAPI* const qt_imp_GetTickCount64)() = &TickCount64;
#endif
