// The threading pieces under the relay, in whichever form this build has them (Windows' own in
// the Windows builds, the standard library's natively): a wake-up given before anyone waits is
// kept, a wait ends at its deadline and not a tick before, a thread's exception ends only its
// work, and the tick count runs on over its wrap, which no test machine waits 49.7 days for.
#include "platform/Threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace {

using namespace std::chrono_literals;
using platform::SteadyClock;

TEST(ExtendedTickCount, CountsEachWrapOnce) {
    constexpr std::uint64_t kWrap = std::uint64_t{1} << 32;
    const struct {
        std::uint64_t seen;
        std::uint32_t count;
        std::uint64_t expected;
    } cases[] = {
        {0, 0, 0},
        {0, 1000, 1000},
        {1000, 1000, 1000},                               // read twice in one tick
        {0xFFFFFF00u, 0xFFFFFFFFu, 0xFFFFFFFFu},
        {0xFFFFFF00u, 5, kWrap + 5},                      // the first wrap
        {kWrap + 5, 10, kWrap + 10},                      // after it, counted once only
        {3 * kWrap + 0xFFFFFFF0u, 2, 4 * kWrap + 2},      // the fourth
        {5 * kWrap + 7, 7, 5 * kWrap + 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ExtendedTickCount(c.seen, c.count), c.expected) << c.seen << " then " << c.count;
}

TEST(Wakeup, KeepsASetThatCameBeforeTheWait) {
    platform::Mutex mutex;
    platform::Wakeup wakeup;
    wakeup.Set();
    platform::Lock lock(mutex);
    const auto start = SteadyClock::now();
    EXPECT_TRUE(wakeup.WaitUntil(lock, start + 5s));
    EXPECT_LT(SteadyClock::now() - start, 2s);
    // Taken by that wait: the next one waits for its deadline.
    EXPECT_FALSE(wakeup.WaitUntil(lock, SteadyClock::now() + 50ms));
}

TEST(Wakeup, EndsAtItsDeadlineNotBefore) {
    platform::Mutex mutex;
    platform::Wakeup wakeup;
    platform::Lock lock(mutex);
    for (int i = 0; i < 5; ++i) {
        const auto deadline = SteadyClock::now() + 30ms;
        while (wakeup.WaitUntil(lock, deadline)) {
        }
        EXPECT_GE(SteadyClock::now(), deadline) << "wait " << i;
    }
}

TEST(StartDetachedThread, RunsTheWorkAndSurvivesItsException) {
    // Owned by the threads too: a detached thread may still be setting the wake-up as the test ends.
    struct Shared {
        platform::Mutex mutex;
        platform::Wakeup done;
        std::atomic<int> ran{0};
    };
    const auto shared = std::shared_ptr<Shared>(new Shared());
    ASSERT_TRUE(platform::StartDetachedThread([shared] {
        ++shared->ran;
        shared->done.Set();
        throw std::runtime_error("the work's own failure");
    }));
    ASSERT_TRUE(platform::StartDetachedThread([shared] {
        ++shared->ran;
        shared->done.Set();
    }));
    platform::Lock lock(shared->mutex);
    const auto deadline = SteadyClock::now() + 10s;
    while (shared->ran < 2 && shared->done.WaitUntil(lock, deadline)) {
    }
    EXPECT_EQ(shared->ran, 2);
}

}  // namespace
