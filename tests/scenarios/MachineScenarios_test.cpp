// The real QTSysCheck.exe on one customer machine after another, each made from the tests' Wine
// prefix, and its finished window read from outside: every row's tick or cross, the operating
// system's text, Close usable. A PNG of each finished window is kept under screenshots/.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>

#include "CheckerWindow.h"
#include "CustomerMachine.h"
#include "RemoteToolTips.h"
#include "tests/checks/Environment.h"
#include "support/WindowCapture.h"

namespace {

using namespace std::chrono_literals;
using scenario::DotNet;
using scenario::Installer;
using scenario::Network;
using scenario::Release;
using scenario::ReaderTools;
using ui::CheckerWindow;
using ui::Mark;

constexpr int kOsLabelId = 114;
constexpr int kCloseId = 103;
constexpr int kSmartCardBoxId = 105;
constexpr Mark T = Mark::Tick;
constexpr Mark X = Mark::Cross;

struct Scenario {
    const char* name;
    scenario::Machine machine;
    const char* osText;
    // Top to bottom: application page, web service, OS, Windows Installer, .NET 3.5, MSHTML
    // interop, smart-card reader tools.
    std::array<Mark, ui::kRows> rows;
};

// Names the scenario in GoogleTest's messages.
void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

// Every requirement met, on the release given.
constexpr scenario::Machine Complete(Release release) {
    return {release, Network::Working, Installer::Version3_1, DotNet::Installed, true,
            ReaderTools::Gemplus};
}

const Scenario kScenarios[] = {
    {"WindowsXpSp3EveryRequirementMet", Complete(Release::WindowsXpSp3), "Windows XP SP3",
     {T, T, T, T, T, T, T}},
    {"WindowsXpSp1", Complete(Release::WindowsXpSp1), "Windows XP SP1", {T, T, X, T, T, T, T}},
    {"WindowsServer2003Sp2", Complete(Release::Server2003Sp2), "Windows Server 2003 SP2",
     {T, T, T, T, T, T, T}},
    {"Windows2000", Complete(Release::Windows2000), "Windows 2000 SP4", {T, T, X, T, T, T, T}},
    {"Windows98", Complete(Release::Windows98), "Windows 98", {T, T, X, T, T, T, T}},
    {"Windows7", Complete(Release::Windows7), "Windows Vista/7 SP1", {T, T, T, T, T, T, T}},
    // Windows 8 and later report 6.2 to a program that does not declare them supported.
    {"Windows10", Complete(Release::Windows10), "Windows Vista/7", {T, T, T, T, T, T, T}},
    {"NoNetwork",
     {Release::WindowsXpSp3, Network::Refused, Installer::Version3_1, DotNet::Installed, true,
      ReaderTools::Gemplus},
     "Windows XP SP3",
     {X, X, T, T, T, T, T}},
    {"OldWindowsInstaller",
     {Release::WindowsXpSp3, Network::Working, Installer::Version3_0, DotNet::Installed, true,
      ReaderTools::Gemplus},
     "Windows XP SP3",
     {T, T, T, X, T, T, T}},
    {"NoDotNet35",
     {Release::WindowsXpSp3, Network::Working, Installer::Version3_1, DotNet::Missing, true,
      ReaderTools::Gemplus},
     "Windows XP SP3",
     {T, T, T, T, X, T, T}},
    {"FileInPlaceOfDotNet35",
     {Release::WindowsXpSp3, Network::Working, Installer::Version3_1, DotNet::FileInItsPlace, true,
      ReaderTools::Gemplus},
     "Windows XP SP3",
     {T, T, T, T, X, T, T}},
    {"OnlyGemAltoReaderTools",
     {Release::WindowsXpSp3, Network::Working, Installer::Version3_1, DotNet::Installed, true,
      ReaderTools::GemAltoOnly},
     "Windows XP SP3",
     {T, T, T, T, T, T, T}},
    // The makers' packages for 64-bit Windows install into the 64-bit Program Files folder.
    {"ReaderToolsOnlyIn64BitProgramFiles",
     {Release::Windows7, Network::Working, Installer::Version3_1, DotNet::Installed, true,
      ReaderTools::GemplusIn64BitFolderOnly},
     "Windows Vista/7 SP1",
     {T, T, T, T, T, T, T}},
    {"ReaderToolsOnlyIn32BitProgramFiles",
     {Release::Windows7, Network::Working, Installer::Version3_1, DotNet::Installed, true,
      ReaderTools::GemplusIn32BitFolderOnly},
     "Windows Vista/7 SP1",
     {T, T, T, T, T, T, T}},
    {"NothingMet",
     {Release::Windows2000, Network::Refused, Installer::Version3_0, DotNet::Missing, false,
      ReaderTools::None},
     "Windows 2000 SP4",
     {X, X, X, X, X, X, X}},
};

double Seconds(CheckerWindow::Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// When Close became usable; nothing when it did not within `limit`.
std::optional<CheckerWindow::Clock::time_point> WaitForClose(const CheckerWindow& window,
                                                             std::chrono::seconds limit) {
    const auto deadline = window.shownAt() + limit;
    while (CheckerWindow::Clock::now() < deadline) {
        if (window.CloseEnabled()) return CheckerWindow::Clock::now();
        if (window.WaitForExit(50ms)) return std::nullopt;  // ended by itself: no finished window
    }
    return std::nullopt;
}

// The rows once drawn: Wine hands a window's pixels to the screen a moment after the program has
// painted them, so the last row may still read as before when Close turns usable.
std::array<Mark, ui::kRows> DrawnRows(const CheckerWindow& window) {
    const auto deadline = CheckerWindow::Clock::now() + 2s;
    for (;;) {
        const auto rows = window.Rows();
        const bool undecided = std::any_of(rows.begin(), rows.end(), [](Mark m) {
            return m == Mark::Question || m == Mark::Blank;
        });
        if (!undecided || CheckerWindow::Clock::now() >= deadline) return rows;
        std::this_thread::sleep_for(50ms);
    }
}

std::string RowsText(const std::array<Mark, ui::kRows>& rows) {
    std::string text;
    for (const Mark mark : rows) text += std::string(text.empty() ? "" : ", ") + ui::MarkName(mark);
    return text;
}

class CustomerMachineScenario : public ::testing::TestWithParam<Scenario> {
protected:
    // One set of HTTPS servers for the suite. (The servers one program starts share a ports
    // file, so a set started just after another can be ended by the other's exit. They end by
    // themselves after five minutes; the suite takes about two.)
    static void SetUpTestSuite() { servers_ = std::make_unique<nettest::TlsServers>(); }
    static void TearDownTestSuite() { servers_.reset(); }
    static const nettest::TlsServers& Servers() { return *servers_; }

private:
    static std::unique_ptr<nettest::TlsServers> servers_;
};
std::unique_ptr<nettest::TlsServers> CustomerMachineScenario::servers_;

TEST_P(CustomerMachineScenario, FinishedWindowShowsEachRequirementAsTheMachineHasIt) {
    const Scenario& s = GetParam();
    scenario::CustomerMachine machine(s.machine, Servers());
    CheckerWindow window(machine.WineVersion());
    machine.CheckerStarted();

    // Every check ends promptly here: pages are served at once, and a refused connection fails
    // at once; two minutes would mean a fetch waited for its time-out.
    const auto closeEnabled = WaitForClose(window, 120s);
    const auto rows = DrawnRows(window);
    const std::string shot = ui::SaveScreenshot(window.hwnd(), std::string("scenario-") + s.name);
    std::printf("screenshot: %s\n", shot.c_str());
    ASSERT_TRUE(closeEnabled) << "Close was not enabled within two minutes";
    const double runSeconds = Seconds(*closeEnabled - window.shownAt());
    std::printf("%s: Close usable %.1f s after the window appeared\n", s.name, runSeconds);
    EXPECT_GE(runSeconds, 6.8) << "the run has seven one-second pauses";
    EXPECT_LT(runSeconds, 30.0);

    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_STREQ(ui::MarkName(rows[i]), ui::MarkName(s.rows[i]))
            << "row " << i << "; the rows read: " << RowsText(rows);
    EXPECT_EQ(testsupport::WindowText(window.Control(kOsLabelId)), s.osText);

    // Tools in one Program Files folder of 64-bit Windows: the row's line names where they were found.
    const bool only64 = s.machine.readerTools == ReaderTools::GemplusIn64BitFolderOnly;
    if (only64 || s.machine.readerTools == ReaderTools::GemplusIn32BitFolderOnly) {
        constexpr bool test64 = sizeof(void*) == 8;
        const char* const variable = only64 ? (test64 ? "ProgramFiles" : "ProgramW6432")
                                            : (test64 ? "ProgramFiles(x86)" : "ProgramFiles");
        const HWND tooltip = ui::FindToolTip(window.hwnd());
        ASSERT_NE(tooltip, nullptr);
        const std::string line = ui::ReadToolText(tooltip, window.process(), window.hwnd(), kSmartCardBoxId);
        EXPECT_NE(line.find(checktest::Environment(variable) + "\\Gemplus\\ReaderTools: folder present"),
                  std::string::npos) << line;
    }

    if (const scenario::VendorEndpoints* endpoints = machine.Endpoints()) {
        EXPECT_TRUE(endpoints->SawAppPageRequest()) << endpoints->Requests();
        EXPECT_TRUE(endpoints->SawServiceTunnel()) << endpoints->Requests();
    }

    // Close ends the program.
    SendMessageA(window.Control(kCloseId), BM_CLICK, 0, 0);
    ASSERT_TRUE(window.WaitForExit(5s)) << "still running after Close";
    DWORD code = 1;
    GetExitCodeProcess(window.process(), &code);
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Machines, CustomerMachineScenario, ::testing::ValuesIn(kScenarios),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
