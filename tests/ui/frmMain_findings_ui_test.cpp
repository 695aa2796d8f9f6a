// What the running checker tells beyond its ticks and crosses, read from a second program: each
// row's line in its tooltip, each picture box's name for screen readers, and the report Ctrl+C
// puts on the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CheckerWindow.h"
#include "RemoteToolTips.h"
#include "platform/ScopedHandle.h"
#include "support/Process.h"
#include "support/TextLines.h"
#include "support/WindowCapture.h"

#include <tlhelp32.h>

namespace {

using namespace std::chrono_literals;
using ui::CheckerWindow;
using ui::Mark;

constexpr int kOsLabelId = 114;

// Each row top to bottom: its picture box, its caption's identifier and text.
struct RowControls {
    int box;
    int caption;
    const char* captionText;
};
constexpr std::array<RowControls, ui::kRows> kRows{{
    {106, 116, "Internet Access (Application)"},
    {104, 113, "Internet Access (Secure Web Service)"},
    {108, 118, "Operating System"},
    {102, 112, "Windows Installer 3.1"},
    {107, 117, "Dot Net Framework V3.5"},
    {100, 111, "MS Interop Assembly"},
    {105, 115, "Smart Card Driver"},
}};
constexpr std::size_t kDotNetRow = 4;

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = CheckerWindow::Clock::now() + limit;
    while (CheckerWindow::Clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Presses Ctrl+C as the person at the keyboard would, into the window that has the focus.
void PressCtrlC(HWND window) {
    SetForegroundWindow(window);
    std::this_thread::sleep_for(200ms);
    INPUT keys[4]{};
    const WORD sequence[4][2] = {{VK_CONTROL, 0}, {'C', 0}, {'C', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    SendInput(4, keys, sizeof(INPUT));
}

// The clipboard's Unicode text as UTF-8; empty when it holds none.
std::string ClipboardText() {
    if (!OpenClipboard(nullptr)) return {};
    std::string text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
            if (n > 1) {
                text.resize(static_cast<std::size_t>(n));
                WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), n, nullptr, nullptr);
                text.resize(static_cast<std::size_t>(n - 1));
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

// The report's line for a row; empty when no line starts with the caption.
std::string ReportLine(const std::vector<std::string>& lines, const std::string& caption) {
    for (const std::string& line : lines)
        if (StartsWith(line, caption + ": ")) return line;
    return {};
}

TEST(RowFindingsFromOutside, BeforeAnyCheckEveryRowSaysNotCheckedYet) {
    CheckerWindow window("winxp");
    const auto read = [&window] {
        return std::chrono::duration<double>(CheckerWindow::Clock::now() - window.shownAt()).count();
    };
    // Row i is checked no sooner than i + 1 seconds after the window appeared; look only at the
    // rows that cannot have been reached yet, however slow this machine is today. (Names are read
    // without a message; the tooltip answers only between the run's one-second pauses.)
    int looked = 0;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const std::string name = testsupport::WindowText(window.Control(kRows[i].box));
        if (static_cast<double>(i + 1) <= read() + 0.2) continue;
        ++looked;
        EXPECT_EQ(name, "Not checked yet") << kRows[i].captionText;
    }
    EXPECT_GE(looked, 3) << "the names were read " << read() << " s after the window appeared";

    // The tooltips are made as the first pause starts, once the window has painted.
    HWND tooltip = nullptr;
    WaitUntil([&] { return (tooltip = ui::FindToolTip(window.hwnd())) != nullptr; }, 3s);
    ASSERT_NE(tooltip, nullptr) << "the window has no tooltip control";
    const RowControls& last = kRows.back();
    EXPECT_EQ(ui::ReadToolText(tooltip, window.process(), window.hwnd(), last.box), "Not checked yet");
    EXPECT_EQ(ui::ReadToolText(tooltip, window.process(), window.hwnd(), last.caption), "Not checked yet");
    EXPECT_LT(read(), 6.8) << "the last row may have been checked meanwhile";
}

// The file of the module `dll` (lower-case) in process `id`, lower-cased; empty if not loaded.
std::string LoadedModulePath(DWORD id, const std::string& dll) {
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, id);
    if (taken == INVALID_HANDLE_VALUE) return {};
    const platform::ScopedKernelHandle snapshot(taken);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot.get(), &module); more; more = Module32Next(snapshot.get(), &module)) {
        std::string name = module.szModule, path = module.szExePath;
        for (std::string* text : {&name, &path})
            for (char& c : *text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name == dll) return path;
    }
    return {};
}

// comctl32 is loaded on first use, by name so that the manifest's side-by-side version 6 is
// taken (the tooltips and the themed button need it), not the system folder's version 5.
TEST(RowFindingsFromOutside, CommonControlsAreTheManifestsVersion6) {
    CheckerWindow window("winxp");
    const std::string path = LoadedModulePath(GetProcessId(window.process()), "comctl32.dll");
    ASSERT_FALSE(path.empty()) << "the window is up, yet comctl32.dll is not loaded";
    EXPECT_NE(path.find("\\winsxs\\"), std::string::npos) << path;
    EXPECT_NE(path.find("common-controls_6595b64144ccf1df_6."), std::string::npos) << path;
}

class FinishedRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitUntil([this] { return window_.CloseEnabled(); }, 60s)) << "the run never ended";
        std::this_thread::sleep_for(300ms);  // the last row's pixels reach the screen
    }
    CheckerWindow window_{"winxp"};
};

TEST_F(FinishedRun, EachRowsNameTooltipAndPictureAgree) {
    const HWND tooltip = ui::FindToolTip(window_.hwnd());
    ASSERT_NE(tooltip, nullptr);
    const std::vector<ui::RemoteTool> tools = ui::ReadTools(tooltip, window_.process());
    const auto marks = window_.Rows();
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        const RowControls& row = kRows[i];
        SCOPED_TRACE(row.captionText);
        const std::string name = testsupport::WindowText(window_.Control(row.box));
        EXPECT_EQ(name, marks[i] == Mark::Tick ? "Passed" : "Failed") << ui::MarkName(marks[i]);
        const std::string line = ui::ToolText(tools, row.box);
        EXPECT_FALSE(line.empty());
        EXPECT_NE(line, "Not checked yet");
        EXPECT_EQ(ui::ToolText(tools, row.caption), line) << "box and caption tell the same";
    }
    // The tools cover the controls they stand for, so the mouse finds them.
    for (const ui::RemoteTool& tool : tools) {
        const RECT r = testsupport::ChildRect(window_.Control(static_cast<int>(tool.id)));
        EXPECT_EQ(tool.rect.left, r.left) << tool.id;
        EXPECT_EQ(tool.rect.top, r.top) << tool.id;
        EXPECT_EQ(tool.rect.right, r.right) << tool.id;
        EXPECT_EQ(tool.rect.bottom, r.bottom) << tool.id;
    }

    // What each line says it looked at.
    EXPECT_NE(ui::ToolText(tools, kRows[0].box).find("http://www.quorvin.example/install/TessaryApp/publish.htm"),
              std::string::npos);
    EXPECT_NE(ui::ToolText(tools, kRows[1].box).find("https://services.quorvin.example/tessarycard.webservice/recordset.asmx"),
              std::string::npos);
    EXPECT_NE(ui::ToolText(tools, kRows[2].box).find("Windows XP SP3"), std::string::npos);
    EXPECT_EQ(ui::ToolText(tools, kOsLabelId), ui::ToolText(tools, kRows[2].box));
    EXPECT_NE(ui::ToolText(tools, kRows[3].box).find("msi.dll"), std::string::npos);
    EXPECT_TRUE(StartsWith(ui::ToolText(tools, kRows[4].box), WindowsFolder() + "\\Microsoft.NET\\Framework\\v3.5"));
    EXPECT_TRUE(StartsWith(ui::ToolText(tools, kRows[5].box), WindowsFolder() + "\\assembly\\GAC\\Microsoft.Mshtml"));
    const std::string readerTools = ui::ToolText(tools, kRows[6].box);
    EXPECT_NE(readerTools.find("\\Gemplus\\ReaderTools"), std::string::npos) << readerTools;
    EXPECT_NE(readerTools.find("\\GemAlto\\ReaderTools"), std::string::npos) << readerTools;
    // And what the smart-card service said: Wine's own knows no reader.
    EXPECT_NE(readerTools.find("; could not ask the smart-card service: error 0x80100001"), std::string::npos)
        << readerTools;
}

TEST_F(FinishedRun, RestingTheMouseOnARowShowsItsLine) {
    const HWND tooltip = ui::FindToolTip(window_.hwnd());
    ASSERT_NE(tooltip, nullptr);
    const std::string expected = ui::ToolText(ui::ReadTools(tooltip, window_.process()), kRows[kDotNetRow].caption);

    RECT caption{};
    GetWindowRect(window_.Control(kRows[kDotNetRow].caption), &caption);
    // Arrive from outside the row, as a hand does, and rest there. A move the window manager
    // merges away gives no tooltip: try a few times.
    bool shown = false;
    for (int attempt = 0; attempt < 4 && !shown; ++attempt) {
        SetCursorPos(caption.left + 20, caption.top - 40);
        std::this_thread::sleep_for(300ms);
        SetCursorPos(caption.left + 20 + attempt, (caption.top + caption.bottom) / 2);
        std::this_thread::sleep_for(100ms);
        SetCursorPos(caption.left + 22 + attempt, (caption.top + caption.bottom) / 2);
        shown = WaitUntil([tooltip] { return IsWindowVisible(tooltip) != FALSE; }, 3s);
    }
    ASSERT_TRUE(shown) << "no tooltip appeared";
    std::this_thread::sleep_for(300ms);  // painted
    const std::optional<ui::RemoteTool> shownTool = ui::CurrentTool(tooltip, window_.process());
    ASSERT_TRUE(shownTool) << "the tooltip shows no tool";
    EXPECT_EQ(shownTool->id, static_cast<UINT_PTR>(kRows[kDotNetRow].caption));
    EXPECT_EQ(shownTool->text, expected);

    RECT area{}, tip{};
    GetWindowRect(window_.hwnd(), &area);
    GetWindowRect(tooltip, &tip);
    UnionRect(&area, &area, &tip);
    const std::string folder = testsupport::ProgramFolder() + "..\\screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "tooltip.png";
    testsupport::WritePng(path, testsupport::CaptureScreenArea(area));
    std::printf("screenshot: %s\n", path.c_str());
    SetCursorPos(0, 0);
}

TEST_F(FinishedRun, CtrlCCopiesTheReportInWindowOrder) {
    EmptyTheClipboard();
    PressCtrlC(window_.hwnd());
    ASSERT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }, 5s)) << "nothing was copied";
    const std::vector<std::string> lines = testsupport::Lines(ClipboardText());
    ASSERT_GE(lines.size(), 2u + kRows.size());
    EXPECT_EQ(lines[0], "Quorvin Tessary Card System");
    // The date and time: "YYYY-MM-DD HH:MM:SS" somewhere in the lines before the rows.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char year[8];
    std::snprintf(year, sizeof year, "%04u-", now.wYear);
    EXPECT_TRUE(StartsWith(lines[1], year)) << lines[1];

    const HWND tooltip = ui::FindToolTip(window_.hwnd());
    const std::vector<ui::RemoteTool> tools = ui::ReadTools(tooltip, window_.process());
    std::size_t previousAt = 0;
    for (const RowControls& row : kRows) {
        SCOPED_TRACE(row.captionText);
        const std::string line = ReportLine(lines, row.captionText);
        ASSERT_FALSE(line.empty());
        const std::string result = testsupport::WindowText(window_.Control(row.box));
        EXPECT_TRUE(StartsWith(line, std::string(row.captionText) + ": " + result)) << line;
        // The tooltip holds what was found and, for a failed row, what to do; the report both.
        const std::string tip = ui::ToolText(tools, row.box);
        const std::size_t toDo = tip.find("\r\n\r\nWhat to do: ");
        EXPECT_NE(line.find(tip.substr(0, toDo)), std::string::npos) << "what was found";
        std::size_t at = 0;
        while (at < lines.size() && lines[at] != line) ++at;
        EXPECT_GT(at, previousAt) << "rows in window order";
        previousAt = at;
        if (result == "Failed") {
            ASSERT_NE(toDo, std::string::npos) << tip;
            ASSERT_LT(at + 1, lines.size());
            EXPECT_EQ(lines[at + 1], "    " + tip.substr(toDo + 4));
        } else {
            EXPECT_EQ(toDo, std::string::npos) << tip;
        }
    }
}

TEST(RowFindingsFromOutside, CtrlCDuringTheRunCopiesWhatIsKnownSoFar) {
    CheckerWindow window("winxp");
    const HWND firstBox = window.Control(kRows[0].box);
    ASSERT_TRUE(WaitUntil([firstBox] { return testsupport::WindowText(firstBox) != "Not checked yet"; }, 30s));
    EmptyTheClipboard();
    PressCtrlC(window.hwnd());
    ASSERT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }, 5s)) << "nothing was copied";
    const std::vector<std::string> lines = testsupport::Lines(ClipboardText());
    const std::string first = ReportLine(lines, kRows[0].captionText);
    EXPECT_TRUE(StartsWith(first, std::string(kRows[0].captionText) + ": Failed")) << first;
    // The last row comes five seconds later at the earliest.
    EXPECT_EQ(ReportLine(lines, kRows[6].captionText), std::string(kRows[6].captionText) + ": Not checked yet");
}

}  // namespace

// The links to the fixes, read and used from outside as a person would.
namespace links {

constexpr int kFirstRowLink = 200, kCopyLink = 207, kCheckAgainLink = 208, kClose = 103;

// A link's words as a person reads them: UTF-8, without the "<a>" markup.
std::string Words(HWND link) {
    wchar_t wide[512] = {};
    GetWindowTextW(link, wide, 512);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::string words;
    for (const char* c = utf8; *c;) {
        if (std::strncmp(c, "<a>", 3) == 0) c += 3;
        else if (std::strncmp(c, "</a>", 4) == 0) c += 4;
        else words += *c++;
    }
    return words;
}

HWND Focused(const CheckerWindow& window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window.hwnd(), nullptr), &info);
    return info.hwndFocus;
}

void Press(WORD key) {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = key;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    std::this_thread::sleep_for(150ms);
}

// A click `across` of the way into the control (where its link's words are).
void Click(HWND control, double across = 0.1) {
    SetForegroundWindow(GetParent(control));  // a click into a window behind others may only raise it
    std::this_thread::sleep_for(200ms);
    RECT r{};
    GetWindowRect(control, &r);
    SetCursorPos(r.left + static_cast<int>((r.right - r.left) * across), (r.top + r.bottom) / 2);
    std::this_thread::sleep_for(100ms);
    INPUT mouse[2]{};
    mouse[0].type = mouse[1].type = INPUT_MOUSE;
    mouse[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    mouse[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, mouse, sizeof(INPUT));
}

// Clicks until `done` says the click arrived (a click into a window that is only just coming to
// the front can be taken for its activation alone).
bool ClickUntil(HWND control, double across, const std::function<bool()>& done,
                std::chrono::milliseconds wait = 5s) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        Click(control, across);
        if (WaitUntil(done, wait)) return true;
    }
    return false;
}

// A shown top-level window of another process than the checker's whose title holds `words`.
struct OtherWindow {
    DWORD notProcess;
    const char* words;
    HWND found;
};
BOOL CALLBACK MatchOther(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<OtherWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == search->notProcess || !IsWindowVisible(hwnd)) return TRUE;
    if (testsupport::WindowText(hwnd).find(search->words) == std::string::npos) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// Closes every shown window of another program whose title holds `words`, as its close box does,
// then ends every process that runs `program`: Wine's control.exe stays behind the window it
// opened, and a Wine process left running would hold the test runner's output open.
void EndEveryOther(DWORD notProcess, const char* words, const char* program) {
    for (int round = 0; round < 50; ++round) {
        OtherWindow search{notProcess, words, nullptr};
        EnumWindows(&MatchOther, reinterpret_cast<LPARAM>(&search));
        if (!search.found) break;
        PostMessageA(search.found, WM_CLOSE, 0, 0);
        WaitUntil([&search] { return !IsWindow(search.found); }, 2s);
    }
    // Until none has been seen for two seconds: one may start another as it goes.
    const auto deadline = CheckerWindow::Clock::now() + 15s;
    for (int quiet = 0; quiet < 20 && CheckerWindow::Clock::now() < deadline; ++quiet) {
        platform::ScopedKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = snapshot ? Process32First(snapshot.get(), &entry) : FALSE; more;
             more = Process32Next(snapshot.get(), &entry)) {
            if (lstrcmpiA(entry.szExeFile, program) != 0) continue;
            quiet = 0;
            platform::ScopedKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
            if (process && TerminateProcess(process.get(), 0)) WaitForSingleObject(process.get(), 5000);
        }
        std::this_thread::sleep_for(100ms);
    }
}

}  // namespace links

// The links appear only once a run has ended, so they are made then: the first paint does not
// wait for controls it never shows.
TEST(RowFindingsFromOutside, TheLinksAreMadeWhenTheRunEnds) {
    CheckerWindow window("winxp");
    ASSERT_FALSE(window.CloseEnabled()) << "the run ended before it could be looked at";
    for (int id = links::kFirstRowLink; id <= links::kCheckAgainLink; ++id)
        EXPECT_EQ(window.Control(id), nullptr) << "link " << id << " exists during the run";
    ASSERT_TRUE(WaitUntil([&window] { return window.CloseEnabled(); }, 60s)) << "the run never ended";
    // Close is enabled as the run's end is shown; the links are made in the same step.
    WaitUntil([&window] { return window.Control(links::kCheckAgainLink) != nullptr; }, 5s);
    for (int id = links::kFirstRowLink; id <= links::kCheckAgainLink; ++id)
        EXPECT_NE(window.Control(id), nullptr) << "link " << id << " is missing after the run";
}

TEST_F(FinishedRun, EachFailedRowsLinkReadsAsTheReportsFixAndNoneTakesTheFocus) {
    const HWND focus = links::Focused(window_);
    for (int id = links::kFirstRowLink; id <= links::kCheckAgainLink; ++id)
        EXPECT_NE(focus, window_.Control(id)) << "link " << id << " took the focus";
    EXPECT_FALSE(IsWindowVisible(window_.Control(links::kCheckAgainLink))) << "no fix opened yet";

    // The visible "Copy the report" does what Ctrl+C does.
    EmptyTheClipboard();
    ASSERT_TRUE(IsWindowVisible(window_.Control(links::kCopyLink)));
    ASSERT_TRUE(links::ClickUntil(window_.Control(links::kCopyLink), 0.1, [] { return !ClipboardText().empty(); }))
        << "nothing was copied";
    EXPECT_EQ(links::Words(window_.Control(links::kCopyLink)), "Copy the report (copied)");
    const std::vector<std::string> lines = testsupport::Lines(ClipboardText());
    int shown = 0;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        SCOPED_TRACE(kRows[i].captionText);
        const HWND link = window_.Control(links::kFirstRowLink + static_cast<int>(i));
        std::size_t at = 0;
        while (at < lines.size() && !StartsWith(lines[at], std::string(kRows[i].captionText) + ": ")) ++at;
        ASSERT_LT(at, lines.size());
        std::string fix;
        for (std::size_t next = at + 1; next < lines.size() && StartsWith(lines[next], "    "); ++next)
            if (StartsWith(lines[next], "    Fix: ")) fix = lines[next].substr(9);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(IsWindowVisible(link) != FALSE, !fix.empty()) << fix;
        if (fix.empty()) continue;
        ++shown;
        const std::string words = links::Words(link);
        EXPECT_TRUE(StartsWith(fix, words)) << words << " / " << fix;
        // On the row's own line.
        EXPECT_EQ(testsupport::ChildRect(link).top, testsupport::ChildRect(window_.Control(kRows[i].caption)).top);
    }
    EXPECT_GE(shown, 2) << "the Internet rows at least fail here";
    EXPECT_EQ(links::Words(window_.Control(links::kFirstRowLink)), "Open Internet Options\xE2\x80\xA6");
}

TEST_F(FinishedRun, TabReachesTheLinksInRowOrderThenCloseAndEnterUsesThem) {
    std::vector<int> expected;
    for (int i = 0; i < ui::kRows; ++i)
        if (IsWindowVisible(window_.Control(links::kFirstRowLink + i))) expected.push_back(links::kFirstRowLink + i);
    expected.push_back(links::kClose);
    expected.push_back(links::kCopyLink);
    SetForegroundWindow(window_.hwnd());
    std::this_thread::sleep_for(200ms);
    // From wherever the focus is, Tab goes round: find the first link, then read the order.
    for (int i = 0; i < 12 && GetDlgCtrlID(links::Focused(window_)) != expected.front(); ++i) links::Press(VK_TAB);
    std::vector<int> order;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        order.push_back(GetDlgCtrlID(links::Focused(window_)));
        if (i + 1 < expected.size()) links::Press(VK_TAB);
    }
    EXPECT_EQ(order, expected);

    // Enter on "Copy the report" copies it.
    EmptyTheClipboard();
    ASSERT_EQ(GetDlgCtrlID(links::Focused(window_)), links::kCopyLink);
    links::Press(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }, 5s)) << "Enter on the link copied nothing";
    EXPECT_TRUE(window_.CloseEnabled()) << "Enter did not close or restart anything";
}

// The longest line of `link`'s pixels in the designed blue of links (0 102 204): its underline.
int LongestLinkBlueLine(const CheckerWindow& window, HWND link) {
    RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    std::this_thread::sleep_for(300ms);
    const testsupport::Picture shown = testsupport::CaptureClient(window.hwnd());
    const RECT area = testsupport::ChildRect(link);
    int longest = 0;
    for (int y = std::max(0L, area.top); y < area.bottom && y < shown.height; ++y) {
        int line = 0;
        for (int x = std::max(0L, area.left); x < area.right && x < shown.width; ++x) {
            const auto p = shown.At(x, y);
            line = p.r == 0 && p.g == 102 && p.b == 204 ? line + 1 : 0;
            longest = std::max(longest, line);
        }
    }
    return longest;
}

TEST_F(FinishedRun, ALinkIsPaintedFromTheMarkupItWasGivenWhateverTheControlAnswersForItsText) {
    const HWND link = window_.Control(links::kCopyLink);
    ASSERT_TRUE(IsWindowVisible(link));
    const RECT area = testsupport::ChildRect(link);
    const int half = (area.right - area.left) / 2;
    EXPECT_GE(LongestLinkBlueLine(window_, link), half) << "\"Copy the report\" is not underlined in blue";
    // Wine's SysLink answers WM_GETTEXT with the "<a>" tags; Windows does not promise to. Here the
    // control is given, and so answers with, the words alone.
    ASSERT_TRUE(SendMessageW(link, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Copy the report")));
    ASSERT_EQ(links::Words(link), "Copy the report");
    EXPECT_GE(LongestLinkBlueLine(window_, link), half) << "painted from the control's text, not the program's markup";
}

TEST_F(FinishedRun, ClickingOpenInternetOptionsStartsItAndTheWindowSaysHowToCheckAgain) {
    const HWND link = window_.Control(links::kFirstRowLink);
    ASSERT_EQ(links::Words(link), "Open Internet Options\xE2\x80\xA6");
    links::OtherWindow search{GetProcessId(window_.process()), "Internet", nullptr};
    ASSERT_TRUE(links::ClickUntil(link, 0.1, [&search] {
        EnumWindows(&links::MatchOther, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, 20s)) << "Internet Options did not open; the row says: "
              << ui::ToolText(ui::ReadTools(ui::FindToolTip(window_.hwnd()), window_.process()), kRows[0].box);
    EXPECT_TRUE(WaitUntil([this] { return IsWindowVisible(window_.Control(links::kCheckAgainLink)) != FALSE; }, 5s));
    EXPECT_EQ(links::Words(window_.Control(links::kCheckAgainLink)), "Fixed? Check again (F5)");
    // A click taken late may have opened it twice.
    links::EndEveryOther(GetProcessId(window_.process()), "Internet", "control.exe");
    const HWND options = search.found;
    EXPECT_TRUE(WaitUntil([options] { return !IsWindow(options); }, 5s)) << "Internet Options stays over the checker";
    std::this_thread::sleep_for(300ms);

    // "Check again" runs the checks anew: the rows go back to their question marks.
    // "Fixed? " is no link: click half-way in.
    EXPECT_TRUE(links::ClickUntil(window_.Control(links::kCheckAgainLink), 0.5,
                                  [this] { return !window_.CloseEnabled(); }));
    // Close is disabled a moment before the links are hidden; this process may look in between.
    EXPECT_TRUE(WaitUntil([link] { return IsWindowVisible(link) == FALSE; }, 2s))
        << "the links wait for the new run's end";
    // A click Wine delivered late may have started another since.
    links::EndEveryOther(GetProcessId(window_.process()), "Internet", "control.exe");
}

namespace {

// Every fix's start takes four seconds, the checker dispatching its messages meanwhile as the shell
// can (QTSYSCHECK_SLOW_START); set before the checker starts, which inherits it.
struct SlowStartsSet {
    SlowStartsSet() { SetEnvironmentVariableA("QTSYSCHECK_SLOW_START", "4000"); }
    ~SlowStartsSet() { SetEnvironmentVariableA("QTSYSCHECK_SLOW_START", nullptr); }
    SlowStartsSet(const SlowStartsSet&) = delete;
    SlowStartsSet& operator=(const SlowStartsSet&) = delete;
};

class SlowStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WaitUntil([this] { return window_.CloseEnabled(); }, 60s)) << "the run never ended";
        std::this_thread::sleep_for(300ms);
    }
    void TearDown() override { links::EndEveryOther(GetProcessId(window_.process()), "Internet", "control.exe"); }

    // Internet Options, opened by the checker, is shown.
    bool OptionsShown() const {
        links::OtherWindow search{GetProcessId(window_.process()), "Internet", nullptr};
        EnumWindows(&links::MatchOther, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }

    SlowStartsSet slow_;
    CheckerWindow window_{"winxp"};
};

// A click on `link`'s words, `across` of the way in, as the link itself receives it: posted to it,
// so that it arrives through whatever loop dispatches the checker's messages (a click made with
// the mouse may be taken at the pointer's place of before, while the checker is in a start).
void PostClick(HWND link, double across) {
    RECT r{};
    GetClientRect(link, &r);
    const LPARAM at = MAKELPARAM(static_cast<int>(r.right * across), r.bottom / 2);
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(link, WM_LBUTTONUP, 0, at);
}

// The shown Internet Options windows of other processes than `checker`.
struct OptionsCount {
    DWORD checker;
    int found;
};

BOOL CALLBACK CountOptions(HWND hwnd, LPARAM data) {
    auto* count = reinterpret_cast<OptionsCount*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != count->checker && IsWindowVisible(hwnd) &&
        testsupport::WindowText(hwnd).find("Internet") != std::string::npos)
        ++count->found;
    return TRUE;
}

int OptionsWindows(DWORD checker) {
    OptionsCount count{checker, 0};
    EnumWindows(&CountOptions, reinterpret_cast<LPARAM>(&count));
    return count.found;
}

TEST_F(SlowStart, F5AndTheLinksDuringAStartDoNothingUntilItReturns) {
    const DWORD checker = GetProcessId(window_.process());
    const HWND options = window_.Control(links::kFirstRowLink);
    const HWND checkAgain = window_.Control(links::kCheckAgainLink);
    ASSERT_EQ(links::Words(options), "Open Internet Options\xE2\x80\xA6");
    // A first start, after which "Check again" is shown.
    ASSERT_TRUE(links::ClickUntil(options, 0.1, [this] { return OptionsShown(); }, 20s));
    ASSERT_TRUE(WaitUntil([checkAgain] { return IsWindowVisible(checkAgain) != FALSE; }, 5s));
    links::EndEveryOther(checker, "Internet", "control.exe");

    // A second one; while it goes on, F5, then a click on "Check again" and one on the link again.
    links::Click(options, 0.1);
    std::this_thread::sleep_for(800ms);
    ASSERT_EQ(OptionsWindows(checker), 0) << "the start was not slow";
    links::Press(VK_F5);
    PostClick(checkAgain, 0.6);  // "Fixed? " is no link
    PostClick(options, 0.1);
    std::this_thread::sleep_for(1s);
    ASSERT_EQ(OptionsWindows(checker), 0) << "the start ended before the test was done with it";
    EXPECT_TRUE(window_.CloseEnabled()) << "the checks ran again during the start";
    EXPECT_TRUE(IsWindowVisible(options)) << "the links went, as for a new run, during the start";

    ASSERT_TRUE(WaitUntil([this] { return OptionsShown(); }, 20s)) << "the start never returned";
    std::this_thread::sleep_for(6s);  // as long as a second start, made inside the first, would take
    EXPECT_TRUE(window_.CloseEnabled()) << "what was done during the start ran the checks after it";
    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_EQ(OptionsWindows(checker), 1) << "the click during the start started Internet Options again";
}

}  // namespace
