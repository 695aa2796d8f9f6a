#pragma once
// The few threading pieces the program's blocking work needs: a lock, a wake-up with a deadline
// and a thread left to end on its own.
//
// On Windows they are Windows' own. The shipped program is linked with GCC's C++ runtime for
// Windows threads, which saves the 33 KB POSIX-threads library but has no std::thread, std::mutex
// or std::condition_variable (SteadyClock.h says why its clock is not used either). The native
// build, which runs the portable tests, gets the same interface from the standard library.
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>  // std::lock_guard: a template, nothing of the runtime's

#include "SteadyClock.h"

#if defined(_WIN32)
#include <process.h>

#include <memory>
#include <new>

#include "platform/Win32.h"
#else
#include <condition_variable>
#include <thread>
#endif

namespace platform {

class Mutex;

// Holds a Mutex for its scope; a Wakeup lets go of it while it waits. Not std::unique_lock,
// whose checks throw std::system_error, 6 KB of the C++ library in the program.
template <typename Lockable>
class BasicLock {
public:
    explicit BasicLock(Lockable& mutex) : mutex_(mutex) { mutex_.lock(); }
    ~BasicLock() {
        if (held_) mutex_.unlock();
    }
    BasicLock(const BasicLock&) = delete;
    BasicLock& operator=(const BasicLock&) = delete;

    void Unlock() {
        mutex_.unlock();
        held_ = false;
    }
    void Relock() {
        mutex_.lock();
        held_ = true;
    }

private:
    Lockable& mutex_;
    bool held_ = true;
};
using Lock = BasicLock<Mutex>;

#if defined(_WIN32)

// A lock for Lock and std::lock_guard. Not recursive.
class Mutex {
public:
    Mutex() {
        // Unlike InitializeCriticalSection, reports the lack of memory on Windows XP rather than
        // raising a structured exception.
        if (!InitializeCriticalSectionAndSpinCount(&section_, 0)) throw std::bad_alloc();
    }
    ~Mutex() { DeleteCriticalSection(&section_); }
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock() { EnterCriticalSection(&section_); }
    void unlock() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

// Wakes one thread that waits, or the next one to wait: a Set that nobody waits for is kept
// until somebody does (an auto-reset event). Waiters test their own condition again when woken,
// so a Set left over from earlier costs only a look.
class Wakeup {
public:
    Wakeup() : event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {
        if (!event_) throw std::bad_alloc();
    }
    ~Wakeup() { CloseHandle(event_); }
    Wakeup(const Wakeup&) = delete;
    Wakeup& operator=(const Wakeup&) = delete;

    void Set() { SetEvent(event_); }

    // Lets go of `lock` while it waits and takes it again before it returns. False when
    // `deadline` has passed; true may also mean a wait cut short, which the caller's own test of
    // its condition absorbs.
    bool WaitUntil(Lock& lock, SteadyClock::time_point deadline) {
        const std::int64_t left = (deadline - SteadyClock::now()).count();
        // INFINITE is one more than the longest finite wait.
        const DWORD limit = left <= 0 ? 0 : left >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(left);
        lock.Unlock();
        const DWORD waited = WaitForSingleObject(event_, limit);
        lock.Relock();
        // A wait can end up to a clock tick before its time: only the clock says it is over.
        return waited == WAIT_OBJECT_0 || SteadyClock::now() < deadline;
    }
    void Wait(Lock& lock) {
        lock.Unlock();
        WaitForSingleObject(event_, INFINITE);
        lock.Relock();
    }

private:
    HANDLE event_;
};

#else

class Mutex {
public:
    void lock() { mutex_.lock(); }
    void unlock() { mutex_.unlock(); }

private:
    std::mutex mutex_;
};

// The same auto-reset event, from a flag of its own: Set needs no lock of the caller's.
class Wakeup {
public:
    void Set() {
        {
            std::lock_guard guard(mutex_);
            set_ = true;
        }
        changed_.notify_one();
    }
    bool WaitUntil(Lock& lock, SteadyClock::time_point deadline) {
        lock.Unlock();
        bool woken = false;
        {
            std::unique_lock own(mutex_);
            woken = changed_.wait_until(own, deadline, [this] { return set_; });
            set_ = false;
        }
        lock.Relock();
        return woken;
    }
    void Wait(Lock& lock) {
        lock.Unlock();
        {
            std::unique_lock own(mutex_);
            changed_.wait(own, [this] { return set_; });
            set_ = false;
        }
        lock.Relock();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
};

#endif

// Runs `work` on a new thread that nobody joins: it ends on its own, and what it uses it must
// own. An exception out of `work` ends only the work. False when no thread could be started.
inline bool StartDetachedThread(std::function<void()> work) noexcept {
#if defined(_WIN32)
    struct Thread {
        static unsigned __stdcall Run(void* started) {
            const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(started));
            try {
                (*owned)();
            } catch (...) {
            }
            return 0;
        }
    };
    std::function<void()>* handedOver = nullptr;
    try {
        handedOver = new std::function<void()>(std::move(work));
    } catch (...) {
        return false;
    }
    // _beginthreadex, not CreateThread: the work calls the C runtime, which then sets up its
    // own per-thread data for it.
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, &Thread::Run, handedOver, 0, nullptr);
    if (!thread) {
        delete handedOver;
        return false;
    }
    CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
#else
    try {
        std::thread([work = std::move(work)] {
            try {
                work();
            } catch (...) {
            }
        }).detach();
        return true;
    } catch (...) {
        return false;
    }
#endif
}

}  // namespace platform
