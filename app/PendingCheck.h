#pragma once
// A check whose slow part (an Internet fetch can take a minute) runs on a thread of its own while
// the program goes on: the window paces its rows meanwhile, and the report without a window makes
// its other checks. Its finding is taken when it is needed.
#include <functional>
#include <memory>

#include "checks/Finding.h"
#include "platform/ScopedHandle.h"

class PendingCheck {
public:
    // Starts `check` at once. `cancel` makes it return promptly; it is called from another thread.
    PendingCheck(std::function<Finding()> check, std::function<void()> cancel);
    // A check still going is cancelled, and its thread waited for.
    ~PendingCheck();
    PendingCheck(const PendingCheck&) = delete;
    PendingCheck& operator=(const PendingCheck&) = delete;

    // The finding, once the check has ended.
    Finding Wait();
    // The same, keeping `window` painted and answering meanwhile. A request to close the window
    // cancels the check, whose finding then says it could not look.
    Finding WaitKeepingWindowAlive(HWND window);

private:
    struct Work {
        std::function<Finding()> check;
        std::function<void()> cancel;
        Finding finding;
    };
    static unsigned __stdcall Run(void* work);

    std::unique_ptr<Work> work_;  // the thread's until it ends
    platform::ScopedKernelHandle thread_;
};
