#pragma once
// The clock every time limit of the program is measured with. On Windows it is Windows' tick
// count: the C++ runtime the shipped program is linked with (for Windows threads, see
// Threads.h) gives std::chrono::steady_clock the wall clock, so a limit would stretch or end at
// once when the user sets the PC's time, which one of the checker's own fixes asks for.
// Elsewhere it is std::chrono::steady_clock.
#include <atomic>
#include <chrono>
#include <cstdint>

#if defined(_WIN32)
#include "platform/Win32.h"
#endif

namespace platform {

#if defined(_WIN32)

// Milliseconds since Windows started, never set back. GetTickCount, since Windows XP has no
// GetTickCount64; its 32-bit count wraps every 49.7 days, and the wraps seen are counted in the
// high half of a shared state. (The performance counter would need 64-bit divisions, which
// bring 2 KB of the compiler's library into a 32-bit program, for a precision no limit here
// needs.)
struct SteadyClock {
    using rep = std::int64_t;
    using period = std::milli;
    using duration = std::chrono::duration<rep, period>;
    using time_point = std::chrono::time_point<SteadyClock>;
    static constexpr bool is_steady = true;

    static time_point now() noexcept {
        static std::atomic<std::uint64_t> state{0};  // wraps << 32 | the last 32-bit count seen
        std::uint64_t seen = state.load();
        for (;;) {
            const DWORD count = GetTickCount();
            std::uint64_t wraps = seen >> 32;
            if (count < static_cast<DWORD>(seen)) ++wraps;
            const std::uint64_t next = (wraps << 32) | count;
            if (state.compare_exchange_weak(seen, next))
                return time_point(duration(static_cast<rep>(next)));
        }
    }
};

#else

using SteadyClock = std::chrono::steady_clock;

#endif

}  // namespace platform
