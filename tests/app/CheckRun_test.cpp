// The run's order, pacing and end state, with a scripted window in place of the real one.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/CheckRun.h"

namespace {

// Records everything the run does to its window as one line per call.
class ScriptedHost : public RunHost {
public:
    std::vector<std::string> calls;
    int closeAtPass = -1;                        // the pass (0 = before the run) at which the user closes
    std::function<void()> duringPass;            // what else arrives during a pass
    int passes = 0;

    void Pause(unsigned ms) override { calls.push_back("pause " + std::to_string(ms)); }
    bool PassMessages() override {
        calls.push_back("pass");
        const int pass = passes++;
        if (duringPass) duringPass();
        return pass != closeAtPass;
    }
    void SetBusyPointer(bool busy) override { calls.push_back(busy ? "busy" : "default pointer"); }
    void EnableClose() override { calls.push_back("enable close"); }
    void ClearResults() override { calls.push_back("clear"); }
    std::vector<std::string> details;
    void ShowResult(Row row, const Finding& finding) override {
        calls.push_back("row " + std::to_string(static_cast<int>(row)) + (finding.passed ? " tick" : " cross"));
        details.push_back(finding.detail);
    }
};

// Every row with a check that finds `passed`, its line naming the row.
std::array<CheckStep, kRowCount> AllRows(bool passed) {
    std::array<CheckStep, kRowCount> steps;
    for (int i = 0; i < kRowCount; ++i) {
        const Row row = static_cast<Row>(i);
        steps[static_cast<std::size_t>(i)] = {row, [i, passed] { return Finding{passed, "found " + std::to_string(i)}; }};
    }
    return steps;
}

std::vector<std::string> ExpectedFullRun(const char* mark) {
    std::vector<std::string> calls{"pass", "busy"};
    for (int i = 0; i < kRowCount; ++i) {
        calls.push_back("pause 1000");
        calls.push_back("row " + std::to_string(i) + mark);
        calls.push_back("pass");
    }
    calls.push_back("default pointer");
    calls.push_back("enable close");
    return calls;
}

TEST(CheckRun, FirstActivationRunsEveryRowInOrderPausingBeforeEachAndPassingAfterEach) {
    ScriptedHost host;
    CheckRun run(host, AllRows(true));
    run.OnActivate();
    EXPECT_EQ(host.calls, ExpectedFullRun(" tick"));
    EXPECT_TRUE(run.ChecksDone());
}

TEST(CheckRun, EveryRequirementUnmetStillEnablesClose) {
    ScriptedHost host;
    CheckRun run(host, AllRows(false));
    run.OnActivate();
    EXPECT_EQ(host.calls, ExpectedFullRun(" cross"));
}

TEST(CheckRun, LaterActivationsStartNothing) {
    ScriptedHost host;
    CheckRun run(host, AllRows(true));
    run.OnActivate();
    const std::size_t afterRun = host.calls.size();
    run.OnActivate();
    run.OnActivate();
    EXPECT_EQ(host.calls.size(), afterRun);
}

TEST(CheckRun, AnActivationDuringAMessagePassDoesNotStartANestedRun) {
    ScriptedHost host;
    CheckRun run(host, AllRows(true));
    host.duringPass = [&run] { run.OnActivate(); };
    run.OnActivate();
    EXPECT_EQ(host.calls, ExpectedFullRun(" tick"));
    EXPECT_TRUE(run.ChecksDone());
}

TEST(CheckRun, ACheckThatThrowsShowsTheCrossAndTheRunGoesOn) {
    ScriptedHost host;
    auto steps = AllRows(true);
    steps[3].check = []() -> Finding { throw std::runtime_error("unexpected"); };
    steps[5].check = []() -> Finding { throw 42; };
    CheckRun run(host, steps);
    run.OnActivate();
    std::vector<std::string> expected = ExpectedFullRun(" tick");
    expected[2 + 3 * 3 + 1] = "row 3 cross";
    expected[2 + 5 * 3 + 1] = "row 5 cross";
    EXPECT_EQ(host.calls, expected);
    // The row says it could not look, rather than giving a reason that was never found.
    const std::string couldNot = std::string(kCouldNotCheck) + std::string(kCheckStoppedUnexpectedly);
    EXPECT_EQ(host.details[3], couldNot);
    EXPECT_EQ(host.details[5], couldNot);
    EXPECT_EQ(host.details[4], "found 4");
    EXPECT_TRUE(run.ChecksDone());
}

TEST(CheckRun, ARowWithoutACheckKeepsItsPauseAndShowsNothing) {
    ScriptedHost host;
    auto steps = AllRows(true);
    steps[0].check = nullptr;
    CheckRun run(host, steps);
    run.OnActivate();
    std::vector<std::string> expected = ExpectedFullRun(" tick");
    expected.erase(expected.begin() + 3);  // "row 0 tick"
    EXPECT_EQ(host.calls, expected);
}

TEST(CheckRun, ClosingTheWindowDuringThePassAfterACheckSkipsTheRemainingChecks) {
    ScriptedHost host;
    host.closeAtPass = 2;  // after the second check
    CheckRun run(host, AllRows(true));
    run.OnActivate();
    const std::vector<std::string> expected{"pass", "busy", "pause 1000", "row 0 tick", "pass",
                                            "pause 1000", "row 1 tick", "pass"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_FALSE(run.ChecksDone());
}

TEST(CheckRun, ClosingTheWindowBeforeTheRunStartsRunsNoCheck) {
    ScriptedHost host;
    host.closeAtPass = 0;
    CheckRun run(host, AllRows(true));
    run.OnActivate();
    EXPECT_EQ(host.calls, std::vector<std::string>{"pass"});
    run.OnActivate();
    EXPECT_EQ(host.calls.size(), 1u);
}

TEST(CheckRun, CheckingAgainClearsTheRowsAndRunsOnlyOnceTheRunHasEnded) {
    ScriptedHost host;
    CheckRun run(host, AllRows(true));
    run.OnCheckAgain();  // before the first run: nothing
    EXPECT_TRUE(host.calls.empty());
    run.OnActivate();
    host.calls.clear();
    host.duringPass = [&run] { run.OnCheckAgain(); };  // F5 pressed again during the new run
    run.OnCheckAgain();
    std::vector<std::string> expected = ExpectedFullRun(" tick");
    expected.insert(expected.begin(), "clear");
    EXPECT_EQ(host.calls, expected);
    EXPECT_TRUE(run.ChecksDone());
}

}  // namespace
