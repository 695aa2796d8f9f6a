#include "PendingCheck.h"

#include <process.h>

#include <utility>

#include "app/CheckRun.h"
#include "app/window/KeepAlive.h"

PendingCheck::PendingCheck(std::function<Finding()> check, std::function<void()> cancel)
    : work_(new Work{std::move(check), std::move(cancel), CouldNotCheck("no thread could be started for the check")}) {
    // _beginthreadex, not CreateThread: the check calls the C runtime, which then sets up its own
    // per-thread data for it.
    thread_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &PendingCheck::Run, work_.get(), 0, nullptr)));
}

PendingCheck::~PendingCheck() {
    if (!thread_) return;
    if (WaitForSingleObject(thread_.get(), 0) == WAIT_TIMEOUT) work_->cancel();
    WaitForSingleObject(thread_.get(), INFINITE);
}

unsigned __stdcall PendingCheck::Run(void* parameter) {
    auto& work = *static_cast<Work*>(parameter);
    work.finding = GuardedFinding(work.check);
    return 0;
}

Finding PendingCheck::Wait() {
    if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
    return work_->finding;
}

Finding PendingCheck::WaitKeepingWindowAlive(HWND window) {
    if (thread_) ::WaitKeepingWindowAlive(window, thread_.get(), work_->cancel);
    return work_->finding;
}
