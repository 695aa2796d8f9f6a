#include "CheckRun.h"

#include <utility>

CheckRun::CheckRun(RunHost& host, std::array<CheckStep, kRowCount> steps)
    : host_(host), steps_(std::move(steps)) {}

void CheckRun::OnActivate() {
    // Guarded by bStarted rather than bChecksDone alone: activations arrive during the run's
    // own message passes, and must not start a second, nested run.
    if (bStarted) return;
    bStarted = true;
    if (!host_.PassMessages()) return;  // paint the newly shown window first
    if (RunChecks()) bChecksDone = true;
}

void CheckRun::OnCheckAgain() {
    // bChecksDone stays false while the new run goes on, so F5 during it starts nothing.
    if (!bChecksDone) return;
    bChecksDone = false;
    host_.ClearResults();
    if (!host_.PassMessages()) return;  // the question marks are painted before the first pause
    if (RunChecks()) bChecksDone = true;
}

Finding GuardedFinding(const CheckFunction& check) noexcept {
    try {
        try {
            return check();
        } catch (const platform::MissingSystemFunction& missing) {
            return CouldNotCheck(missing.what());
        } catch (...) {
            return CouldNotCheck(kCheckStoppedUnexpectedly);
        }
    } catch (...) {
        return Finding{};  // no memory even for the line
    }
}

bool CheckRun::RunChecks() {
    host_.SetBusyPointer(true);
    for (const CheckStep& step : steps_) {
        // A check with a slow part sets it going as its pause starts.
        CheckFunction finish = step.check;
        Finding started{true, {}};
        if (step.start) started = GuardedFinding([&step, &finish] {
            finish = step.start();
            return Finding{true, {}};
        });
        host_.Pause(kPauseMs);
        // A check that fails unexpectedly is a failed requirement, not the end of the run.
        if (!started.passed)
            host_.ShowResult(step.row, started);
        else if (finish)
            host_.ShowResult(step.row, GuardedFinding(finish));
        if (!host_.PassMessages()) return false;
    }
    host_.SetBusyPointer(false);
    host_.EnableClose();
    return true;
}
