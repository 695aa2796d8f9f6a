// The flag that keeps a start of a fix from being re-entered: down again however the start ends.
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/window/RaisedFlag.h"

namespace {

TEST(RaisedFlag, UpWhileTheScopeRunsAndAsBeforeHoweverItIsLeft) {
    const struct {
        const char* how;
        bool before;
        bool throws;
    } cases[] = {
        {"returned", false, false},
        {"an exception escaped", false, true},
        {"inside another raise, returned", true, false},
        {"inside another raise, an exception escaped", true, true},
    };
    for (const auto& c : cases) {
        bool flag = c.before;
        bool seen = false;
        try {
            const RaisedFlag raised(flag);
            seen = flag;
            if (c.throws) throw std::runtime_error("the start failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(seen) << c.how;
        EXPECT_EQ(flag, c.before) << c.how;
    }
}

}  // namespace
