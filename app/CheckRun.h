#pragma once
// The one run of the seven requirement checks: its order, its pacing and what the window shows
// before, during and after it. Portable: the window is reached only through RunHost.
#include <array>
#include <functional>

#include "checks/Finding.h"
#include "platform/MissingSystemFunction.h"

enum class Row { InternetApp, InternetData, Os, Installer, DotNet, MsHtml, SmartCard };
inline constexpr int kRowCount = 7;

// What the run needs of its window.
class RunHost {
public:
    virtual ~RunHost() = default;
    virtual void Pause(unsigned milliseconds) = 0;  // handles no messages meanwhile
    virtual bool PassMessages() = 0;                // false once the window has been closed
    virtual void SetBusyPointer(bool busy) = 0;
    virtual void EnableClose() = 0;
    virtual void ShowResult(Row row, const Finding& finding) = 0;
    // Every row back to its question mark and Close disabled, as before the first run.
    virtual void ClearResults() = 0;
};

// What gives a check's finding.
using CheckFunction = std::function<Finding()>;

// One row of the run: the check's finding is shown on `row`. An empty check is one that is not
// built yet: its row keeps its question mark, but its pause stays in the pacing.
//
// A check with a slow part (an Internet fetch) has `start` instead: it sets that part going when
// the row's pause starts and gives back what takes the finding when the pause has ended, waiting
// for the slow part only as long as it still takes. The row is shown when both are over.
struct CheckStep {
    Row row;
    CheckFunction check;
    std::function<CheckFunction()> start = nullptr;
};

// The line of a check that ended in an exception instead of a finding.
inline constexpr std::string_view kCheckStoppedUnexpectedly = "the check stopped on an unexpected error";

// The finding of `check`, or, when it throws, a "Could not check: " one: naming the missing part
// of Windows when that was it, else kCheckStoppedUnexpectedly. A failed check never ends the run.
Finding GuardedFinding(const CheckFunction& check) noexcept;

class CheckRun {
public:
    static constexpr unsigned kPauseMs = 1000;

    CheckRun(RunHost& host, std::array<CheckStep, kRowCount> steps);

    // The window's activation. The first one runs the checks; later ones start nothing, also
    // those delivered while the run itself is passing messages.
    void OnActivate();

    // F5: once a run has ended, the checks run again from their question marks, paced as the
    // first time. Does nothing before the first run or while one is going on.
    void OnCheckAgain();

    bool ChecksDone() const { return bChecksDone; }

private:
    // False when the window was closed during the run: the remaining checks are skipped.
    bool RunChecks();

    RunHost& host_;
    std::array<CheckStep, kRowCount> steps_;
    bool bStarted = false;
    bool bChecksDone = false;
};
