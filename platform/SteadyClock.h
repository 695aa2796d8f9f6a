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

// Windows' 32-bit millisecond count `count`, read after `seen` (the wraps counted so far << 32 |
// the last count seen), as a count that does not wrap: a count lower than the last one has
// wrapped once more. A wrap missed altogether (no reading for 49.7 days) is lost, which a
// time limit of seconds never notices.
constexpr std::uint64_t ExtendedTickCount(std::uint64_t seen, std::uint32_t count) {
    const std::uint64_t wraps = (seen >> 32) + (count < static_cast<std::uint32_t>(seen) ? 1 : 0);
    return wraps << 32 | count;
}

#if defined(_WIN32)

// Milliseconds since Windows started, never set back. GetTickCount, since Windows XP has no
// GetTickCount64, extended over its wraps by a state shared by every thread. (The performance
// counter would need 64-bit divisions, which bring 2 KB of the compiler's library into a 32-bit
// program, for a precision no limit here needs.)
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
            const std::uint64_t next = ExtendedTickCount(seen, GetTickCount());
            if (state.compare_exchange_weak(seen, next))
                return time_point(duration(static_cast<rep>(next)));
        }
    }
};

#else

using SteadyClock = std::chrono::steady_clock;

#endif

}  // namespace platform
