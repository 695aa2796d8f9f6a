// The real QTSysCheck.exe, started under Wine as a customer would start it, and checked from a
// second program: the window's layout, its start state, the run's order and pacing, and Close.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

#include "CheckerWindow.h"
#include "support/WindowCapture.h"

namespace {

using namespace std::chrono_literals;
using ui::CheckerWindow;
using ui::Mark;

struct ExpectedControl {
    int id;
    const char* windowClass;
    const char* text;  // null: a row's picture box, whose name tells its state
    RECT rect;  // pixels in the client area at 96 DPI
    bool visible;
};

// Every control as the window is laid out at 96 DPI (twips / 15).
const std::vector<ExpectedControl> kExpected{
    {100, "Static", nullptr, {56, 144, 73, 161}, true},          // picMsHTMLDLL
    {101, "Static", "", {8, 16, 49, 57}, true},             // Picture1, the logo
    {102, "Static", nullptr, {56, 112, 73, 129}, true},          // picInstaller
    {103, "Button", "Close", {160, 184, 241, 209}, true},   // cmdClose
    {104, "Static", nullptr, {56, 80, 73, 97}, true},            // picInternetData
    {105, "Static", nullptr, {56, 160, 73, 177}, true},          // picSmartCard
    {106, "Static", nullptr, {56, 64, 73, 81}, true},            // picInternetApp
    {107, "Static", nullptr, {56, 128, 73, 145}, true},          // picDotNet
    {108, "Static", nullptr, {56, 96, 81, 113}, true},           // picOs, wider
    {109, "Static", "", {328, 32, 353, 49}, false},         // picCross, hidden
    {110, "Static", "", {328, 8, 353, 25}, false},          // picTick, hidden
    {111, "Static", "MS Interop Assembly", {80, 144, 217, 161}, true},
    {112, "Static", "Windows Installer 3.1", {80, 112, 209, 129}, true},
    {113, "Static", "Internet Access (Secure Web Service)", {80, 80, 273, 97}, true},
    {114, "Static", "-", {176, 96, 345, 113}, true},         // lblOS
    {115, "Static", "Smart Card Driver", {80, 160, 177, 177}, true},
    {116, "Static", "Internet Access (Application)", {80, 64, 249, 81}, true},
    {117, "Static", "Dot Net Framework V3.5", {80, 128, 225, 145}, true},
    {118, "Static", "Operating System:", {80, 96, 177, 113}, true},
    {119, "Static",
     "We have checked your computer to determine whether it can run the Tessary Card software.",
     {80, 24, 337, 57}, true},
};

constexpr int kOsRow = 2;
constexpr int kOsLabelId = 114;

// Row changes and the end of the run, as seen by polling the window.
struct Timeline {
    std::array<std::optional<CheckerWindow::Clock::time_point>, ui::kRows> rowChanged;
    std::array<Mark, ui::kRows> finalRows{};
    std::optional<CheckerWindow::Clock::time_point> osTextChanged;
    std::optional<CheckerWindow::Clock::time_point> closeEnabled;
    std::string osText;
    int rowChangesSeen = 0;
};

// The row boxes top to bottom.
constexpr std::array<int, ui::kRows> kRowBoxIds{106, 104, 108, 102, 107, 100, 105};

Timeline Watch(const CheckerWindow& window, std::chrono::seconds limit) {
    Timeline t;
    std::array<Mark, ui::kRows> last;
    last.fill(Mark::Question);
    const HWND osLabel = window.Control(kOsLabelId);
    const auto deadline = CheckerWindow::Clock::now() + limit;
    bool closeSeen = false;
    while (CheckerWindow::Clock::now() < deadline) {
        // Pixels reach the screen a moment after painting: once Close is seen enabled, one more
        // look records the last row's change.
        if (closeSeen) std::this_thread::sleep_for(300ms);
        const auto now = CheckerWindow::Clock::now();
        // Close is looked at before the names: a row's name is set before Close is enabled, so
        // the last row is never seen after Close merely because the look fell between the two.
        const bool closeNow = !closeSeen && window.CloseEnabled();
        // When a row was decided is read from its box's name, which changes with the picture
        // and, unlike the screen's pixels, without delay.
        for (std::size_t i = 0; i < kRowBoxIds.size(); ++i)
            if (!t.rowChanged[i] && testsupport::WindowText(window.Control(kRowBoxIds[i])) != "Not checked yet")
                t.rowChanged[i] = now;
        const auto rows = window.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] != last[i]) {
                ++t.rowChangesSeen;
                last[i] = rows[i];
            }
        }
        const std::string osText = testsupport::WindowText(osLabel);
        if (osText != "-" && !t.osTextChanged) t.osTextChanged = now;
        t.osText = osText;
        if (closeSeen) break;
        if (closeNow) {
            t.closeEnabled = now;
            closeSeen = true;
            continue;
        }
        std::this_thread::sleep_for(25ms);
    }
    t.finalRows = window.Rows();
    return t;
}

double Seconds(CheckerWindow::Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Which rows this build's checks decide; the others keep their question mark.
const std::array<bool, ui::kRows> kLiveRows{true, true, true, true, true, true, true};

bool FolderThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Mark MarkFor(bool passed) { return passed ? Mark::Tick : Mark::Cross; }

// Whether the installer library the registry names is 3.1 or later, judged from its binary
// version numbers rather than its version text.
bool InstallerThere() {
    char location[MAX_PATH] = {};
    DWORD size = sizeof location;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer",
                     "InstallerLocation", RRF_RT_REG_SZ, nullptr, location, &size) != ERROR_SUCCESS)
        return false;
    const std::string library = std::string(location) + "\\msi.dll";
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(library.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoA(library.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) return false;
    const DWORD major = HIWORD(fixed->dwFileVersionMS), minor = LOWORD(fixed->dwFileVersionMS);
    return major >= 4 || (major == 3 && minor >= 1);
}

// What the folder and installer rows must show, judged here from the prefix itself.
std::array<std::optional<Mark>, ui::kRows> ExpectedFolderRows() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    char programFiles[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
    const std::string win = windows, pf = programFiles;
    std::array<std::optional<Mark>, ui::kRows> rows{};
    // The built-in hosts lie in the reserved .example domain and the prefix has no proxy: no
    // page can be fetched.
    rows[0] = Mark::Cross;
    rows[1] = Mark::Cross;
    rows[3] = MarkFor(InstallerThere());
    rows[4] = MarkFor(FolderThere(win + "\\Microsoft.NET\\Framework\\v3.5"));
    rows[5] = MarkFor(FolderThere(win + "\\assembly\\GAC\\Microsoft.Mshtml\\7.0.3300.0__b03f5f7f11d50a3a"));
    rows[6] = MarkFor(FolderThere(pf + "\\Gemplus\\ReaderTools") || FolderThere(pf + "\\GemAlto\\ReaderTools"));
    return rows;
}

TEST(CheckerWindowLayout, TitleClientAreaAndEveryControlAreAsDesigned) {
    CheckerWindow window("winxp");
    EXPECT_EQ(testsupport::WindowText(window.hwnd()), "Quorvin Tessary Card System");

    RECT client{};
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, 412);
    EXPECT_EQ(client.bottom, 225);

    const LONG style = GetWindowLongA(window.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the user must not resize the window";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    // The logo icon on the title bar: its light greys left of the title text. The frame is painted
    // at the run's first message pass, so look for a few seconds.
    int iconGrey = 0;
    for (int attempt = 0; attempt < 30 && iconGrey <= 5; ++attempt) {
        std::this_thread::sleep_for(100ms);
        const testsupport::Picture frame = testsupport::CaptureWindow(window.hwnd());
        POINT clientOrigin{0, 0};
        ClientToScreen(window.hwnd(), &clientOrigin);
        RECT outer{};
        GetWindowRect(window.hwnd(), &outer);
        iconGrey = 0;
        for (int y = 0; y < clientOrigin.y - outer.top; ++y)
            for (int x = 0; x < 24 && x < frame.width; ++x) {
                const auto p = frame.At(x, y);
                if (p.r > 170 && p.r < 250 && std::abs(p.r - p.b) < 25) ++iconGrey;
            }
    }
    EXPECT_GT(iconGrey, 5) << "the logo icon on the title bar";

    for (const ExpectedControl& e : kExpected) {
        SCOPED_TRACE("control " + std::to_string(e.id) + " \"" + (e.text ? e.text : "") + "\"");
        const HWND control = window.Control(e.id);
        ASSERT_NE(control, nullptr);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, e.windowClass);
        if (e.text) {
            EXPECT_EQ(testsupport::WindowText(control), e.text);
        }
        const RECT r = testsupport::ChildRect(control);
        EXPECT_EQ(r.left, e.rect.left);
        EXPECT_EQ(r.top, e.rect.top);
        EXPECT_EQ(r.right, e.rect.right);
        EXPECT_EQ(r.bottom, e.rect.bottom);
        EXPECT_EQ(IsWindowVisible(control) != FALSE, e.visible);
    }
}

TEST(CheckerWindowLayout, BackgroundIsWhiteAndTheLogoIsDrawn) {
    CheckerWindow window("winxp");
    std::this_thread::sleep_for(300ms);
    const testsupport::Picture client = testsupport::CaptureClient(window.hwnd());
    ASSERT_EQ(client.width, 412);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{2, 2}, {400, 200}, {300, 150}, {30, 180}}) {
        const auto p = client.At(x, y);
        EXPECT_EQ(p.r + p.g + p.b, 3 * 255) << "at " << x << "," << y;
    }
    int blue = 0;
    for (int y = 16; y < 57; ++y)
        for (int x = 8; x < 49; ++x) {
            const auto p = client.At(x, y);
            if (p.b > p.r + 40) ++blue;
        }
    EXPECT_GT(blue, 100) << "the logo's blue faces";
}

class CheckerRun : public ::testing::TestWithParam<std::tuple<const char*, const char*, Mark>> {};

TEST_P(CheckerRun, StartsWithQuestionMarksThenFillsTheRowsInOrderAboutASecondApart) {
    const auto& [wineVersion, osDescription, osMark] = GetParam();
    CheckerWindow window(wineVersion);

    // Start state: question marks, "-", Close disabled.
    std::this_thread::sleep_for(200ms);
    const auto start = window.Rows();
    for (int i = 0; i < ui::kRows; ++i)
        EXPECT_EQ(start[static_cast<std::size_t>(i)], Mark::Question) << "row " << i << " at start";
    EXPECT_EQ(testsupport::WindowText(window.Control(kOsLabelId)), "-");
    EXPECT_FALSE(window.CloseEnabled());

    const Timeline t = Watch(window, 120s);
    ASSERT_TRUE(t.closeEnabled) << "Close was never enabled";
    EXPECT_EQ(t.osText, osDescription);
    EXPECT_EQ(t.finalRows[kOsRow], osMark);
    const auto folderRows = ExpectedFolderRows();
    for (std::size_t i = 0; i < folderRows.size(); ++i)
        if (folderRows[i]) {
            EXPECT_STREQ(ui::MarkName(t.finalRows[i]), ui::MarkName(*folderRows[i])) << "row " << i;
        }

    // Rows turn in order, each once, at least a second after the one before.
    std::optional<CheckerWindow::Clock::time_point> previous;
    int previousRow = -1;
    int live = 0;
    for (int i = 0; i < ui::kRows; ++i) {
        const auto& changed = t.rowChanged[static_cast<std::size_t>(i)];
        if (!kLiveRows[static_cast<std::size_t>(i)]) {
            EXPECT_EQ(t.finalRows[static_cast<std::size_t>(i)], Mark::Question) << "row " << i;
            continue;
        }
        ++live;
        ASSERT_TRUE(changed) << "row " << i << " never changed";
        EXPECT_NE(t.finalRows[static_cast<std::size_t>(i)], Mark::Question);
        const double sinceShown = Seconds(*changed - window.shownAt());
        EXPECT_GE(sinceShown, 0.9 * (i + 1)) << "row " << i << " came before its pauses";
        if (previous) {
            EXPECT_GE(Seconds(*changed - *previous), 0.9 * (i - previousRow)) << "row " << i;
        }
        previous = changed;
        previousRow = i;
    }
    EXPECT_EQ(t.rowChangesSeen, live) << "a row changed more than once";
    ASSERT_TRUE(t.osTextChanged);
    EXPECT_LT(Seconds(*t.osTextChanged - *t.rowChanged[kOsRow]), 0.3);
    EXPECT_GT(Seconds(*t.rowChanged[kOsRow] - *t.osTextChanged), -0.3)
        << "the OS text and its picture change together";

    // Close comes after the last check's pause, and only then.
    ASSERT_TRUE(previous);
    EXPECT_GE(Seconds(*t.closeEnabled - *previous), 0.9 * (ui::kRows - 1 - previousRow));
    EXPECT_GE(Seconds(*t.closeEnabled - window.shownAt()), 6.8);
    EXPECT_LT(Seconds(*t.closeEnabled - window.shownAt()), 20.0);

    const std::string shot = ui::SaveScreenshot(window.hwnd(), std::string("finished-") + wineVersion);
    std::printf("screenshot: %s\n", shot.c_str());

    // A later activation starts nothing: rows and Close stay as they are.
    PostMessageA(window.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    std::this_thread::sleep_for(1500ms);
    EXPECT_EQ(window.Rows(), t.finalRows);
    EXPECT_TRUE(window.CloseEnabled());

    // Close ends the program.
    SendMessageA(window.Control(103), BM_CLICK, 0, 0);
    ASSERT_TRUE(window.WaitForExit(5s));
    DWORD code = 1;
    GetExitCodeProcess(window.process(), &code);
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Releases, CheckerRun,
                         ::testing::Values(std::make_tuple("winxp", "Windows XP SP3", Mark::Tick),
                                           std::make_tuple("win2k", "Windows 2000 SP4", Mark::Cross)),
                         [](const auto& p) { return std::string(std::get<0>(p.param)); });

TEST(CheckerClose, TheCloseBoxDuringTheRunEndsTheProgramPromptly) {
    CheckerWindow window("winxp");
    std::this_thread::sleep_for(1500ms);
    ASSERT_FALSE(window.CloseEnabled());
    const auto asked = CheckerWindow::Clock::now();
    PostMessageA(window.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(window.WaitForExit(5s)) << "still running after the close box";
    EXPECT_LT(Seconds(CheckerWindow::Clock::now() - asked), 3.0);
    DWORD code = 1;
    GetExitCodeProcess(window.process(), &code);
    EXPECT_EQ(code, 0u);
}

TEST(CheckerClose, ActivationsDuringTheRunDoNotStartASecondRun) {
    CheckerWindow window("winxp");
    const auto until = CheckerWindow::Clock::now() + 5s;
    while (CheckerWindow::Clock::now() < until) {
        PostMessageA(window.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
        std::this_thread::sleep_for(100ms);
    }
    const Timeline t = Watch(window, 60s);
    ASSERT_TRUE(t.closeEnabled);
    // One run takes seven seconds; a nested second run would double that.
    EXPECT_LT(Seconds(*t.closeEnabled - window.shownAt()), 11.0);
}

// F5 checks again once the run has ended: question marks, Close disabled, then the same run.
TEST(CheckerKeys, F5ChecksAgainOnlyOnceTheRunHasEndedAndPacesItAsTheFirst) {
    CheckerWindow window("winxp");
    std::this_thread::sleep_for(1500ms);
    PostMessageA(window.hwnd(), WM_KEYDOWN, VK_F5, 0);  // during the run: nothing
    const Timeline first = Watch(window, 60s);
    ASSERT_TRUE(first.closeEnabled);
    EXPECT_LT(Seconds(*first.closeEnabled - window.shownAt()), 11.0) << "F5 during the run started a run";

    const auto pressed = CheckerWindow::Clock::now();
    PostMessageA(window.hwnd(), WM_KEYDOWN, VK_F5, 0);
    while (window.CloseEnabled() && CheckerWindow::Clock::now() - pressed < 3s) std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(window.CloseEnabled());
    std::this_thread::sleep_for(300ms);  // the question marks reach the screen before the first check
    for (const int box : kRowBoxIds) EXPECT_EQ(testsupport::WindowText(window.Control(box)), "Not checked yet");
    for (const Mark mark : window.Rows()) EXPECT_EQ(mark, Mark::Question);
    EXPECT_EQ(testsupport::WindowText(window.Control(kOsLabelId)), "-");

    const Timeline again = Watch(window, 60s);
    ASSERT_TRUE(again.closeEnabled);
    EXPECT_EQ(again.finalRows, first.finalRows);
    EXPECT_EQ(again.osText, first.osText);
    EXPECT_GE(Seconds(*again.closeEnabled - pressed), 6.8);
    for (int i = 1; i < ui::kRows; ++i) {
        const auto& previous = again.rowChanged[static_cast<std::size_t>(i - 1)];
        const auto& changed = again.rowChanged[static_cast<std::size_t>(i)];
        ASSERT_TRUE(previous && changed) << "row " << i;
        EXPECT_GE(Seconds(*changed - *previous), 0.9) << "row " << i;
    }
}

// Esc closes: during the run as the close box does, after it as Close does.
TEST(CheckerKeys, EscClosesTheWindowDuringTheRunAndAfterIt) {
    for (const bool afterTheRun : {false, true}) {
        SCOPED_TRACE(afterTheRun ? "after the run" : "during the run");
        CheckerWindow window("winxp");
        if (afterTheRun) {
            ASSERT_TRUE(Watch(window, 60s).closeEnabled);
        } else {
            std::this_thread::sleep_for(1500ms);
        }
        const auto asked = CheckerWindow::Clock::now();
        PostMessageA(window.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(window.WaitForExit(5s)) << "still running after Esc";
        EXPECT_LT(Seconds(CheckerWindow::Clock::now() - asked), 3.0);
        DWORD code = 1;
        GetExitCodeProcess(window.process(), &code);
        EXPECT_EQ(code, 0u);
    }
}

}  // namespace
