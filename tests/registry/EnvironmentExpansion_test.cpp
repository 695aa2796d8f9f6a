// The two-step expansion against a scripted platform call.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "registry/EnvironmentExpansion.h"

namespace {

using registry::ExpandEnvironmentReferences;

// Answers like the platform would for `expanded`, except where a step is told to fail or to
// report another size; records the sizes it was given.
struct ScriptedExpand {
    std::string expanded;
    std::uint32_t firstAnswer;   // the size step one reports
    std::uint32_t secondAnswer;  // what step two returns
    std::vector<std::uint32_t> sizesSeen;

    std::uint32_t operator()(const char*, char* buffer, std::uint32_t size) {
        sizesSeen.push_back(size);
        if (buffer == nullptr) return firstAnswer;
        const std::size_t copied = std::min<std::size_t>(expanded.size() + 1, size);
        std::memcpy(buffer, expanded.c_str(), copied);
        return secondAnswer;
    }
};

std::string Expand(ScriptedExpand& script, const std::string& source) {
    return ExpandEnvironmentReferences(source, std::ref(script));
}

TEST(EnvironmentExpansion, AsksTheSizeThenExpandsIntoThatSize) {
    ScriptedExpand script{"C:\\windows\\x", 13, 13, {}};
    EXPECT_EQ(Expand(script, "%SystemRoot%\\x"), "C:\\windows\\x");
    EXPECT_EQ(script.sizesSeen, (std::vector<std::uint32_t>{0, 13}));
}

TEST(EnvironmentExpansion, ASizeAboveTheTextIsCutAtItsNul) {
    ScriptedExpand script{"abc", 6, 6, {}};
    EXPECT_EQ(Expand(script, "%v%"), "abc");
}

TEST(EnvironmentExpansion, FailureLeavesTheTextUnchanged) {
    ScriptedExpand failsFirst{"ignored", 0, 8, {}};
    EXPECT_EQ(Expand(failsFirst, "%a%b"), "%a%b");
    EXPECT_EQ(failsFirst.sizesSeen.size(), 1u);
    ScriptedExpand failsSecond{"ignored", 8, 0, {}};
    EXPECT_EQ(Expand(failsSecond, "%a%b"), "%a%b");
    ScriptedExpand grewBetween{"longer than asked", 5, 18, {}};
    EXPECT_EQ(Expand(grewBetween, "%a%b"), "%a%b");
}

TEST(EnvironmentExpansion, EmptyExpansionIsEmpty) {
    ScriptedExpand script{"", 1, 1, {}};
    EXPECT_EQ(Expand(script, "%EMPTY%"), "");
}

}  // namespace
