// When each row is shown once an Internet check's fetch goes on beside its pause: the run on a
// fake clock, with checks whose slow part takes a set time.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "app/CheckRun.h"

namespace {

// A window whose pauses and message passes take no time of their own: only the fake clock moves.
class ClockedHost : public RunHost {
public:
    long long now = 0;
    std::map<Row, long long> shownAt;
    std::map<Row, std::string> lines;
    bool closed = false;

    void Pause(unsigned ms) override { now += ms; }
    bool PassMessages() override { return !closed; }
    void SetBusyPointer(bool) override {}
    void EnableClose() override { closeEnabledAt = now; }
    void ShowResult(Row row, const Finding& finding) override {
        shownAt[row] = now;
        lines[row] = finding.detail;
    }
    void ClearResults() override {}
    std::optional<long long> closeEnabledAt;
};

// An Internet check whose fetch takes `ms` from when it is started; closing the window during
// the fetch cancels it at once.
CheckStep Fetching(ClockedHost& host, Row row, long long ms, std::optional<long long> closeAt = {}) {
    return {row, nullptr, [&host, ms, closeAt]() -> std::function<Finding()> {
                const long long startedAt = host.now;
                return [&host, startedAt, ms, closeAt] {
                    if (closeAt && *closeAt < startedAt + ms) {
                        host.now = std::max(host.now, *closeAt);
                        host.closed = true;
                        return CouldNotCheck("cancelled");
                    }
                    host.now = std::max(host.now, startedAt + ms);  // waits for what is left
                    return Finding{true, "fetched after " + std::to_string(ms) + " ms"};
                };
            }};
}

std::array<CheckStep, kRowCount> Steps(ClockedHost& host, long long appMs, long long dataMs,
                                     std::optional<long long> closeAt = {}) {
    std::array<CheckStep, kRowCount> steps{
        Fetching(host, Row::InternetApp, appMs, closeAt), Fetching(host, Row::InternetData, dataMs, closeAt)};
    for (int i = 2; i < kRowCount; ++i)
        steps[static_cast<std::size_t>(i)] = {static_cast<Row>(i), [] { return Finding{true, "local"}; }, nullptr};
    return steps;
}

TEST(CheckRunTiming, AFetchGoesOnDuringItsPauseAndItsRowComesWhenBothAreOver) {
    const struct {
        long long appMs, dataMs;
        long long appShown, dataShown, closeEnabled;
    } cases[] = {
        {0, 0, 1000, 2000, 7000},           // fetches as fast as can be: the pauses alone
        {400, 900, 1000, 2000, 7000},       // faster than their pauses: hidden inside them
        {2500, 400, 2500, 3500, 8500},      // a slow first fetch delays everything after it
        {400, 60000, 1000, 61000, 66000},   // a secure service that never answers
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.appMs) + " and " + std::to_string(c.dataMs) + " ms");
        ClockedHost host;
        CheckRun run(host, Steps(host, c.appMs, c.dataMs));
        run.OnActivate();
        EXPECT_EQ(host.shownAt[Row::InternetApp], c.appShown);
        EXPECT_EQ(host.shownAt[Row::InternetData], c.dataShown);
        EXPECT_EQ(host.shownAt[Row::Os], c.dataShown + 1000) << "a second after the row before";
        EXPECT_EQ(host.closeEnabledAt, c.closeEnabled);
        EXPECT_TRUE(run.ChecksDone());
    }
}

TEST(CheckRunTiming, ClosingTheWindowDuringAFetchCancelsItAndRunsNoFurtherCheck) {
    ClockedHost host;
    CheckRun run(host, Steps(host, 30000, 400, 5000));
    run.OnActivate();
    EXPECT_EQ(host.shownAt[Row::InternetApp], 5000) << "cancelled when the window closed";
    EXPECT_EQ(host.lines[Row::InternetApp], std::string(kCouldNotCheck) + "cancelled");
    EXPECT_EQ(host.shownAt.count(Row::InternetData), 0u);
    EXPECT_FALSE(host.closeEnabledAt);
    EXPECT_FALSE(run.ChecksDone());
}

TEST(CheckRunTiming, AFetchThatCannotStartIsARowThatCouldNotLook) {
    ClockedHost host;
    auto steps = Steps(host, 0, 0);
    steps[1].start = []() -> std::function<Finding()> { throw platform::MissingSystemFunction("wininet.dll has no HttpSendRequestA"); };
    CheckRun run(host, steps);
    run.OnActivate();
    EXPECT_EQ(host.lines[Row::InternetData], std::string(kCouldNotCheck) + "wininet.dll has no HttpSendRequestA");
    EXPECT_EQ(host.shownAt[Row::InternetData], 2000);
    EXPECT_TRUE(run.ChecksDone());
}

}  // namespace
