// Which command lines ask for a report without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

std::optional<std::string> Requested(std::vector<std::string> arguments) {
    return ReportFileRequested(arguments);
}

TEST(ReportFileRequestedTest, TakesTheFileAfterEitherSwitchInAnyCase) {
    for (const char* reportSwitch : {"/report", "-report", "/REPORT", "-Report", "/rEpOrT"}) {
        EXPECT_EQ(Requested({reportSwitch, "out.txt"}), "out.txt") << reportSwitch;
    }
}

TEST(ReportFileRequestedTest, TakesAnyFileTextAsItIs) {
    EXPECT_EQ(Requested({"/report", "C:\\My Reports\\run 1.json"}), "C:\\My Reports\\run 1.json");
    EXPECT_EQ(Requested({"/report", "/report"}), "/report");
    EXPECT_EQ(Requested({"-report", "caf\xC3\xA9.txt"}), "caf\xC3\xA9.txt");
    // An empty name is still a request: writing it fails and the run says so.
    EXPECT_EQ(Requested({"/report", ""}), "");
}

TEST(ReportFileRequestedTest, OpensTheWindowForAnyOtherCommandLine) {
    const std::vector<std::vector<std::string>> others{
        {},
        {"/report"},
        {"out.txt"},
        {"/report", "a.txt", "b.txt"},
        {"out.txt", "/report"},
        {"/report:out.txt"},
        {"/report:out.txt", "x"},
        {"--report", "out.txt"},
        {"report", "out.txt"},
        {"/reports", "out.txt"},
        {"/repor", "out.txt"},
        {" /report", "out.txt"},
        {"/report ", "out.txt"},
        {"", "out.txt"},
        {"/?", "out.txt"},
        // Only ASCII letters fold: a look-alike with a non-ASCII byte is no switch.
        {"/r\xC3\xA9port", "out.txt"},
    };
    for (const std::vector<std::string>& arguments : others) {
        EXPECT_EQ(Requested(arguments), std::nullopt)
            << testing::PrintToString(arguments);
        EXPECT_FALSE(HelpRequested(arguments)) << testing::PrintToString(arguments);
    }
}

TEST(HelpRequestedTest, TakesEachHelpSwitchAloneInAnyCase) {
    for (const char* help : {"/?", "-?", "/help", "-h", "/HELP", "-H", "/Help"}) {
        EXPECT_TRUE(HelpRequested(std::vector<std::string>{help})) << help;
        EXPECT_FALSE(HelpRequested(std::vector<std::string>{help, "x"})) << help;
    }
    for (const char* other : {"/h", "-help", "--help", "?", "/?x", "/ ?"})
        EXPECT_FALSE(HelpRequested(std::vector<std::string>{other})) << other;
}

}  // namespace
