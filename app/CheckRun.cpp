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

bool CheckRun::RunChecks() {
    host_.SetBusyPointer(true);
    for (const CheckStep& step : steps_) {
        host_.Pause(kPauseMs);
        if (step.check) {
            // A check that fails unexpectedly is a failed requirement, not the end of the run.
            Finding finding;
            try {
                finding = step.check();
            } catch (...) {
                finding = CouldNotCheck(kCheckStoppedUnexpectedly);
            }
            host_.ShowResult(step.row, finding);
        }
        if (!host_.PassMessages()) return false;
    }
    host_.SetBusyPointer(false);
    host_.EnableClose();
    return true;
}
