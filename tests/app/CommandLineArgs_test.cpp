// The process's arguments as Windows splits them, seen by a probe program started with them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "support/Process.h"

namespace {

struct ProbeOutput {
    std::vector<std::string> arguments;
    std::string decision;  // "window" or "report FILE"
};

// Starts the probe with `arguments` (written as they go on the command line, quotes and all).
ProbeOutput RunProbe(const std::string& arguments) {
    std::string commandLine = "\"" + testsupport::ProgramFolder() + "args_probe.exe\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    const testsupport::Output out = testsupport::RunAndCapture(commandLine);
    EXPECT_EQ(out.exitCode, 0u);

    std::istringstream lines(out.text);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        all.push_back(line);
    }
    ProbeOutput result;
    if (all.empty()) return result;
    const std::size_t count = std::stoul(all.front());
    if (all.size() != count + 2) {
        ADD_FAILURE() << "unexpected probe output:\n" << out.text;
        return result;
    }
    for (std::size_t i = 1; i <= count; ++i) {
        const std::string& line = all[i];
        EXPECT_TRUE(line.size() >= 2 && line.front() == '[' && line.back() == ']') << line;
        result.arguments.push_back(line.substr(1, line.size() - 2));
    }
    result.decision = all.back();
    return result;
}

TEST(CommandLineArgumentsTest, HasNoneWhenOnlyTheProgramIsNamed) {
    const ProbeOutput out = RunProbe("");
    EXPECT_TRUE(out.arguments.empty());
    EXPECT_EQ(out.decision, "window");
}

TEST(CommandLineArgumentsTest, SplitsTheWindowsWay) {
    const ProbeOutput out =
        RunProbe(R"(plain "two words" "" "say \"hi\"" C:\dir\ "C:\Program Files\\" a"b c"d)");
    const std::vector<std::string> expected{
        "plain", "two words", "", "say \"hi\"", "C:\\dir\\", "C:\\Program Files\\", "ab cd"};
    EXPECT_EQ(out.arguments, expected);
    EXPECT_EQ(out.decision, "window");
}

TEST(CommandLineArgumentsTest, ReportSwitchWithAQuotedFileAsksForAReport) {
    const ProbeOutput out = RunProbe(R"(/REPORT "C:\My Reports\run 1.json")");
    EXPECT_EQ(out.arguments, (std::vector<std::string>{"/REPORT", "C:\\My Reports\\run 1.json"}));
    EXPECT_EQ(out.decision, "report C:\\My Reports\\run 1.json");

    EXPECT_EQ(RunProbe(R"(-report "")").decision, "report ");
    EXPECT_EQ(RunProbe(R"(-report a.txt b.txt)").decision, "window");
    EXPECT_EQ(RunProbe(R"("/report a.txt")").decision, "window");
}

TEST(CommandLineArgumentsTest, GivesNonAsciiArgumentsInUtf8) {
    // The probe is started through the "A" call: the argument travels in the system code page.
    char ansi[8] = {};
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, L"\u00E9", 1, ansi, sizeof ansi - 1, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) GTEST_SKIP() << "the system code page has no e-acute";
    const ProbeOutput out = RunProbe("\"caf" + std::string(ansi, static_cast<std::size_t>(n)) + " au lait\"");
    EXPECT_EQ(out.arguments, (std::vector<std::string>{"caf\xC3\xA9 au lait"}));
}

}  // namespace
