// The real QTSysCheck.exe at the display scale Wine is set to (wine-dpi-run.sh sets QTSYSCHECK_TEST_DPI): each
// image drawn at its size for the scale, no label's text cut, and a screenshot for the README. And
// the window moved to a monitor of another scale (WM_DPICHANGED), laid out anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <optional>
#include <thread>
#include <vector>

#include "CheckerWindow.h"
#include "app/window/DialogFont.h"
#include "app/window/Layout.h"
#include "app/window/WindowColours.h"
#include "platform/ScopedHandle.h"
#include "support/Process.h"
#include "support/RemoteMemory.h"
#include "support/WindowCapture.h"

#include <tlhelp32.h>

namespace {

using namespace std::chrono_literals;
using ui::CheckerWindow;

// The 96-DPI drawings; those for 120, 144 and 192 DPI follow ten apart.
constexpr int kTick = 102, kCross = 103, kQuestion = 101, kLogo = 104;
constexpr int kLogoBox = layout::Picture1;
constexpr std::array<int, ui::kRows> kRowBoxes{layout::picInternetApp, layout::picInternetData,
                                               layout::picOs,          layout::picInstaller,
                                               layout::picDotNet,      layout::picMsHTMLDLL,
                                               layout::picSmartCard};

// Where an image's marks lie: the smallest rectangle holding every pixel that is not white.
struct Extent {
    int left = 0, top = 0, width = 0, height = 0;
};

bool Marked(int r, int g, int b) { return r + g + b < 3 * 255 - 30; }

std::optional<Extent> MarksIn(const testsupport::Picture& picture, const RECT& area) {
    int left = area.right, top = area.bottom, right = area.left - 1, bottom = area.top - 1;
    for (int y = area.top; y < area.bottom && y < picture.height; ++y)
        for (int x = area.left; x < area.right && x < picture.width; ++x) {
            const auto p = picture.At(x, y);
            if (!Marked(p.r, p.g, p.b)) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < left) return std::nullopt;
    return Extent{left - area.left, top - area.top, right - left + 1, bottom - top + 1};
}

// One of the program's drawings (4-, 8- or 24-bit bitmaps), read from its resources.
testsupport::Picture Drawing(int id) {
    const std::string exe = testsupport::ProgramFolder() + "QTSysCheck.exe";
    platform::ScopedModule module(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const HRSRC found = module ? FindResourceA(module.get(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)) : nullptr;
    if (!found) throw std::runtime_error("no bitmap " + std::to_string(id));
    const auto* dib = static_cast<const unsigned char*>(LockResource(LoadResource(module.get(), found)));
    BITMAPINFOHEADER header{};
    std::memcpy(&header, dib, sizeof header);
    const unsigned char* palette = dib + header.biSize;
    const int bitCount = header.biBitCount;
    const int colours = bitCount > 8 ? 0 : header.biClrUsed ? static_cast<int>(header.biClrUsed) : 1 << bitCount;
    const unsigned char* bits = palette + 4 * colours;
    testsupport::Picture picture{header.biWidth, std::abs(header.biHeight), {}};
    const int stride = (picture.width * bitCount + 31) / 32 * 4;
    for (int y = 0; y < picture.height; ++y) {
        const unsigned char* row = bits + static_cast<std::size_t>(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            // At 4 bits the first of two pixels is the byte's high half.
            const int index = bitCount == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F : bitCount == 8 ? row[x] : -1;
            const unsigned char* bgr = index >= 0 ? palette + 4 * index : row + 3 * x;
            picture.rgb.insert(picture.rgb.end(), {bgr[2], bgr[1], bgr[0]});
        }
    }
    return picture;
}

int Scaled(int pixels96, int dpi) { return (pixels96 * dpi + 48) / 96; }

bool IsLabel(HWND control) {
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) != SS_OWNERDRAW;
}

// A picture box less the part on its right that a label beside it covers (the OS row's box
// reaches a pixel into its caption), in the parent's client coordinates.
RECT UncoveredPart(HWND box) {
    RECT area = testsupport::ChildRect(box);
    for (HWND sibling = GetWindow(GetParent(box), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        const RECT label = testsupport::ChildRect(sibling);
        RECT overlap{};
        if (IsLabel(sibling) && IsWindowVisible(sibling) && IntersectRect(&overlap, &area, &label) &&
            label.left > area.left)
            area.right = label.left;
    }
    return area;
}

// The box shows the drawing made for `dpi` (the 96-DPI one's id plus ten a step), drawn as it is
// from the box's top-left corner; and that drawing's size is the 96-DPI one's scaled, within a
// pixel.
void ExpectScaledImage(const testsupport::Picture& client, HWND box, int drawing96, int dpi) {
    SCOPED_TRACE("box " + std::to_string(GetDlgCtrlID(box)) + ", drawing " + std::to_string(drawing96));
    const int step = dpi == 96 ? 0 : dpi == 120 ? 1 : dpi == 144 ? 2 : 3;
    const testsupport::Picture at96 = Drawing(drawing96), drawn = Drawing(drawing96 + 10 * step);
    EXPECT_NEAR(drawn.width, Scaled(at96.width, dpi), 1);
    EXPECT_NEAR(drawn.height, Scaled(at96.height, dpi), 1);

    const RECT area = UncoveredPart(box);
    const std::optional<Extent> shown = MarksIn(client, area);
    const std::optional<Extent> expected = MarksIn(drawn, RECT{0, 0, area.right - area.left, area.bottom - area.top});
    ASSERT_TRUE(shown && expected);
    EXPECT_EQ(shown->left, expected->left);
    EXPECT_EQ(shown->top, expected->top);
    EXPECT_EQ(shown->width, expected->width);
    EXPECT_EQ(shown->height, expected->height);
}

// The font the window gives every control, made anew for the scale the window is at. (Another
// process's font handle cannot be read here, and Wine answers WM_GETFONT from outside with none.)
platform::ScopedGdiObject ControlFont(int dpi) { return CreateDialogFont(dpi); }

// How much room `text` takes in the controls' font, wrapped at words to `width` as a label wraps
// it; and where its letters lie in that room (below the font's internal leading).
struct TextRoom {
    int width, height, leading;
};

TextRoom Needed(int dpi, const std::string& text, int width) {
    const platform::ScopedGdiObject font = ControlFont(dpi);
    platform::ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    const HGDIOBJ previous = SelectObject(dc.get(), font.get());
    RECT r{0, 0, width, 0};
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    SelectObject(dc.get(), previous);
    return {r.right, r.bottom, metrics.tmInternalLeading};
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// Every label's text fits its box in the controls' font: no wider, no more lines than it holds.
void ExpectEveryLabelWhole(HWND window, int dpi) {
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    int labels = 0;
    for (const HWND child : children) {
        const std::string text = testsupport::WindowText(child);
        if (!IsLabel(child) || text.empty()) continue;
        ++labels;
        SCOPED_TRACE(text);
        RECT client{};
        GetClientRect(child, &client);
        const TextRoom needed = Needed(dpi, text, client.right);
        EXPECT_LE(needed.width, client.right);
        EXPECT_LE(needed.height, client.bottom) << "a line is cut off at the bottom";
        // Nor does a control above it cover its letters (a neighbour's box may reach into its own).
        const RECT box = testsupport::ChildRect(child);
        const RECT textArea{box.left, box.top + needed.leading, box.left + needed.width, box.top + needed.height};
        for (HWND above = GetWindow(child, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
            const RECT r = testsupport::ChildRect(above);
            RECT overlap{};
            if (IsWindowVisible(above) && IntersectRect(&overlap, &textArea, &r))
                ADD_FAILURE() << "control " << GetDlgCtrlID(above) << " covers the text";
        }
        if (GetDlgCtrlID(child) == layout::lblOS) {
            // The longest name the release table can give, with a service pack.
            const TextRoom longest = Needed(dpi, "Windows Server 2003 SP9", client.right);
            EXPECT_LE(longest.width, client.right);
            EXPECT_LE(longest.height, client.bottom);
        }
    }
    EXPECT_EQ(labels, 9);
}

// The client area is the design's height, at least its width, and holds every shown control
// whole: after the run the links to the fixes widen it.
void ExpectNothingClipped(HWND window, int dpi) {
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_GE(client.right, layout::TwipsToPixels(layout::kClientWidth, dpi));
    EXPECT_EQ(client.bottom, layout::TwipsToPixels(layout::kClientHeight, dpi));
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    int links = 0;
    for (const HWND child : children) {
        if (!IsWindowVisible(child)) continue;
        const RECT r = testsupport::ChildRect(child);
        EXPECT_LE(r.right, client.right) << "control " << GetDlgCtrlID(child);
        EXPECT_LE(r.bottom, client.bottom) << "control " << GetDlgCtrlID(child);
        if (GetDlgCtrlID(child) >= 200) {
            ++links;
            wchar_t text[256] = {};
            GetWindowTextW(child, text, 256);
            std::wstring words = text;
            for (const wchar_t* tag : {L"<a>", L"</a>"})
                for (std::size_t at; (at = words.find(tag)) != std::wstring::npos;) words.erase(at, std::wcslen(tag));
            SIZE needed{};
            const platform::ScopedGdiObject font = CreateDialogFont(dpi);
            platform::ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
            const HGDIOBJ previous = SelectObject(dc.get(), font.get());
            GetTextExtentPoint32W(dc.get(), words.c_str(), static_cast<int>(words.size()), &needed);
            SelectObject(dc.get(), previous);
            EXPECT_GE(r.right - r.left, needed.cx) << "link " << GetDlgCtrlID(child) << " is cut";
        }
    }
    if (IsWindowEnabled(GetDlgItem(window, layout::cmdClose))) {
        EXPECT_GE(links, 1) << "the copy link at least";
    }
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

bool WaitForClose(const CheckerWindow& window, std::chrono::seconds limit) {
    const auto deadline = CheckerWindow::Clock::now() + limit;
    while (!window.CloseEnabled()) {
        if (CheckerWindow::Clock::now() > deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    std::this_thread::sleep_for(300ms);  // the last row reaches the screen
    return true;
}

class ScaleAware : public ::testing::Test {
protected:
    // Read the window as it is on the screen, not scaled back to 96 DPI for this program.
    void SetUp() override {
        using SetProcessDpiAwareFn = BOOL(WINAPI*)();
        const auto aware = reinterpret_cast<SetProcessDpiAwareFn>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware")));
        ASSERT_TRUE(aware && aware());
    }
};

using CheckerAtScale = ScaleAware;

TEST_F(CheckerAtScale, ImagesAreDrawnForTheScaleAndNoTextIsCut) {
    const char* wanted = std::getenv("QTSYSCHECK_TEST_DPI");
    ASSERT_NE(wanted, nullptr) << "run through wine-dpi-run.sh";
    const int dpi = ScreenDpi();
    ASSERT_EQ(dpi, std::atoi(wanted)) << "Wine did not take the scale";

    CheckerWindow window("winxp");
    std::this_thread::sleep_for(300ms);
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, layout::TwipsToPixels(layout::kClientWidth, dpi));
    EXPECT_EQ(client.bottom, layout::TwipsToPixels(layout::kClientHeight, dpi));
    RECT frame{};
    GetWindowRect(window.hwnd(), &frame);
    if (dpi <= 144) {  // a 1366 x 768 laptop screen at 150 %, less its taskbar
        EXPECT_LE(frame.right - frame.left, 1366);
        EXPECT_LE(frame.bottom - frame.top, 768 - 60);
    }

    // Before the first check: the question marks and the logo.
    const testsupport::Picture start = testsupport::CaptureClient(window.hwnd());
    ASSERT_EQ(testsupport::WindowText(window.Control(layout::picInternetApp)), "Not checked yet");
    ExpectScaledImage(start, window.Control(kLogoBox), kLogo, dpi);
    for (const int box : kRowBoxes) ExpectScaledImage(start, window.Control(box), kQuestion, dpi);

    ASSERT_TRUE(WaitForClose(window, 120s));
    ExpectNothingClipped(window.hwnd(), dpi);
    GetWindowRect(window.hwnd(), &frame);
    EXPECT_LE(frame.right - frame.left, 1366) << "with the links to the fixes, on a 1366 x 768 laptop";
    const testsupport::Picture done = testsupport::CaptureClient(window.hwnd());
    for (const int box : kRowBoxes) {
        const bool passed = testsupport::WindowText(window.Control(box)) == "Passed";
        ExpectScaledImage(done, window.Control(box), passed ? kTick : kCross, dpi);
    }
    std::printf("screenshot: %s\n",
                ui::SaveScreenshot(window.hwnd(), "scale-" + std::to_string(dpi * 100 / 96)).c_str());
    ExpectEveryLabelWhole(window.hwnd(), dpi);
}

// The colour the most pixels of `area` have: a label's background.
Colour Commonest(const testsupport::Picture& picture, const RECT& area) {
    std::vector<std::pair<Colour, int>> counts;
    for (int y = area.top; y < area.bottom && y < picture.height; ++y)
        for (int x = area.left; x < area.right && x < picture.width; ++x) {
            const auto p = picture.At(x, y);
            const Colour c = p.r | (p.g << 8) | (p.b << 16);
            auto it = std::find_if(counts.begin(), counts.end(), [c](const auto& e) { return e.first == c; });
            if (it == counts.end()) counts.emplace_back(c, 1); else ++it->second;
        }
    if (counts.empty()) return kWhite;
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

// Every label's letters stand out from what lies behind them by at least 4.5:1: the strongest
// contrast of any pixel of its text with the label's background (a label that shows no letters has
// none). Returns the window's background, taken where no control lies.
Colour ExpectEveryCaptionReadable(HWND window, const testsupport::Picture& shown, int dpi) {
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    int labels = 0;
    for (const HWND child : children) {
        const std::string text = testsupport::WindowText(child);
        if (!IsLabel(child) || !IsWindowVisible(child) || text.empty()) continue;
        ++labels;
        SCOPED_TRACE(text);
        const RECT box = testsupport::ChildRect(child);
        const TextRoom needed = Needed(dpi, text, box.right - box.left);
        const RECT letters{box.left, box.top, box.left + needed.width, box.top + needed.height};
        const Colour background = Commonest(shown, letters);
        double strongest = 1;
        for (int y = letters.top; y < letters.bottom; ++y)
            for (int x = letters.left; x < letters.right; ++x) {
                const auto p = shown.At(x, y);
                strongest = std::max(strongest, ContrastRatio(p.r | (p.g << 8) | (p.b << 16), background));
            }
        EXPECT_GE(strongest, kReadableContrast);
    }
    EXPECT_EQ(labels, 9);
    return Commonest(shown, RECT{0, shown.height - 4, 40, shown.height});
}

// wine-dpi-run.sh with QT_TEST_SCHEME=high-contrast-black gives the prefix copy Windows' High
// Contrast Black colours: white text on black windows and buttons.
using CheckerInHighContrastScheme = ScaleAware;

TEST_F(CheckerInHighContrastScheme, EveryCaptionReadsWithAndWithoutTheHighContrastFlag) {
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), kBlack) << "run through wine-dpi-run.sh with the scheme set";
    ASSERT_EQ(GetSysColor(COLOR_WINDOWTEXT), kWhite);
    const int dpi = ScreenDpi();
    // Wine always reports high contrast off; the checker takes the flag from the environment too.
    for (const char* flag : {"0", "1"}) {
        SCOPED_TRACE(std::string("high contrast ") + flag);
        SetEnvironmentVariableA("QTSYSCHECK_HIGH_CONTRAST", flag);
        CheckerWindow window("winxp");
        ASSERT_TRUE(WaitForClose(window, 120s));
        const testsupport::Picture shown = testsupport::CaptureClient(window.hwnd());
        const bool on = flag[0] == '1';
        EXPECT_EQ(ExpectEveryCaptionReadable(window.hwnd(), shown, dpi), on ? kBlack : kWhite);
        // The marks stay what they are on the dark window.
        for (std::size_t i = 0; i < kRowBoxes.size(); ++i) {
            const RECT r = testsupport::ChildRect(window.Control(kRowBoxes[i]));
            const ui::Mark mark = ui::Classify(shown, r.left, r.top, r.right - r.left, r.bottom - r.top);
            const bool passed = testsupport::WindowText(window.Control(kRowBoxes[i])) == "Passed";
            EXPECT_EQ(mark, passed ? ui::Mark::Tick : ui::Mark::Cross) << "row " << i;
        }
        if (on && dpi == 96)
            std::printf("screenshot: %s\n", ui::SaveScreenshot(window.hwnd(), "high-contrast").c_str());
    }
    SetEnvironmentVariableA("QTSYSCHECK_HIGH_CONTRAST", nullptr);
}

// Every shown link to a fix lies on `background`, and its words stand out from it by at least
// 4.5:1 (the strongest contrast of any of its pixels, as for the captions); where `words` is
// given, they are in that colour (the pixel of the strongest contrast is).
void ExpectEveryLinkReadable(const CheckerWindow& window, const testsupport::Picture& shown, Colour background,
                             std::optional<Colour> words = std::nullopt) {
    constexpr int kFirstLink = 200, kLastLink = 208;  // the rows' links, "Copy the report", "Check again"
    int links = 0;
    for (int id = kFirstLink; id <= kLastLink; ++id) {
        const HWND link = window.Control(id);
        if (!link || !IsWindowVisible(link)) continue;
        ++links;
        SCOPED_TRACE("link " + std::to_string(id));
        const RECT area = testsupport::ChildRect(link);
        EXPECT_EQ(Commonest(shown, area), background);
        double strongest = 1;
        Colour strongestColour = background;
        for (int y = area.top; y < area.bottom && y < shown.height; ++y)
            for (int x = area.left; x < area.right && x < shown.width; ++x) {
                const auto p = shown.At(x, y);
                const Colour c = p.r | (p.g << 8) | (p.b << 16);
                if (ContrastRatio(c, background) > strongest) {
                    strongest = ContrastRatio(c, background);
                    strongestColour = c;
                }
            }
        EXPECT_GE(strongest, kReadableContrast);
        if (words) {
            EXPECT_EQ(strongestColour, *words) << "not the colour the scheme gives links";
        }
    }
    EXPECT_GE(links, 3) << "the Internet rows' links and \"Copy the report\" at least";
}

// The address of the C runtime's function `name` in `process`: where its msvcrt.dll lies there,
// plus the function's place in this process's.
void* RemoteRuntimeFunction(HANDLE process, const char* name) {
    const HMODULE local = GetModuleHandleA("msvcrt.dll");
    const auto function = reinterpret_cast<const char*>(reinterpret_cast<void*>(GetProcAddress(local, name)));
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetProcessId(process));
    if (!local || !function || taken == INVALID_HANDLE_VALUE) return nullptr;
    const platform::ScopedKernelHandle snapshot(taken);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot.get(), &module); more; more = Module32Next(snapshot.get(), &module))
        if (lstrcmpiA(module.szModule, "msvcrt.dll") == 0)
            return module.modBaseAddr + (function - reinterpret_cast<const char*>(local));
    return nullptr;
}

// Turns the checker's high-contrast flag on with its window open, as the person turning high
// contrast on in Windows does: its environment's QTSYSCHECK_HIGH_CONTRAST becomes "1" (set by the
// C runtime's _putenv, run on a thread of the checker's, as a debugger would: Wine always reports
// high contrast off), and the window is told what Windows tells every window then.
void TurnHighContrastOn(const CheckerWindow& window) {
    static constexpr char kAssignment[] = "QTSYSCHECK_HIGH_CONTRAST=1";
    testsupport::RemoteBlock block(window.process(), sizeof kAssignment);
    block.Write(0, kAssignment, sizeof kAssignment);
    void* putenv = RemoteRuntimeFunction(window.process(), "_putenv");
    ASSERT_NE(putenv, nullptr);
    platform::ScopedKernelHandle thread(CreateRemoteThread(window.process(), nullptr, 0,
                                                           reinterpret_cast<LPTHREAD_START_ROUTINE>(putenv),
                                                           block.at(0), 0, nullptr));
    ASSERT_TRUE(thread);
    ASSERT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window.hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    SendMessageTimeoutA(window.hwnd(), WM_SYSCOLORCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
}

TEST_F(CheckerInHighContrastScheme, EachLinkReadsBeforeAndAfterHighContrastIsTurnedOnWithTheWindowOpen) {
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), kBlack) << "run through wine-dpi-run.sh with the scheme set";
    SetEnvironmentVariableA("QTSYSCHECK_HIGH_CONTRAST", "0");
    CheckerWindow window("winxp");
    SetEnvironmentVariableA("QTSYSCHECK_HIGH_CONTRAST", nullptr);
    ASSERT_TRUE(WaitForClose(window, 120s));
    {
        SCOPED_TRACE("the designed white window");
        // In the window's own link colour, not one the SysLink took from the scheme.
        ExpectEveryLinkReadable(window, testsupport::CaptureClient(window.hwnd()), kWhite, kLinkBlue);
    }
    TurnHighContrastOn(window);
    std::this_thread::sleep_for(500ms);
    SCOPED_TRACE("high contrast turned on with the window open");
    const testsupport::Picture shown = testsupport::CaptureClient(window.hwnd());
    EXPECT_EQ(Commonest(shown, RECT{0, shown.height - 4, 40, shown.height}), kBlack) << "the window kept its white";
    // The scheme's own colour for links (its hot-tracking colour, yellow in High Contrast Black).
    ExpectEveryLinkReadable(window, shown, kBlack, GetSysColor(COLOR_HOTLIGHT));
}

using CheckerMoved = ScaleAware;

// Sends WM_DPICHANGED as Windows does when the window is dragged to a monitor of `dpi`, with the
// suggested rectangle in the checker's own memory.
void MoveToMonitorOfScale(const CheckerWindow& window, int dpi, POINT at) {
    const RECT suggested{at.x, at.y, at.x + 100, at.y + 100};  // only the position is taken
    testsupport::RemoteBlock block(window.process(), sizeof suggested);
    block.Write(0, &suggested, sizeof suggested);
    SendMessageA(window.hwnd(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(block.at(0)));
}

void ExpectLaidOutAt(const CheckerWindow& window, int dpi) {
    SCOPED_TRACE("laid out at " + std::to_string(dpi) + " DPI");
    ExpectNothingClipped(window.hwnd(), dpi);
    for (const layout::Control& c : layout::kControls) {
        if (c.kind != layout::Kind::Picture) continue;  // labels may be widened to fit their text
        const RECT r = testsupport::ChildRect(window.Control(c.id));
        EXPECT_EQ(r.left, layout::TwipsToPixels(c.left, dpi)) << c.id;
        EXPECT_EQ(r.top, layout::TwipsToPixels(c.top, dpi)) << c.id;
        EXPECT_EQ(r.right - r.left, layout::TwipsToPixels(c.width, dpi)) << c.id;
    }
    std::this_thread::sleep_for(300ms);
    const testsupport::Picture shown = testsupport::CaptureClient(window.hwnd());
    ExpectScaledImage(shown, window.Control(kLogoBox), kLogo, dpi);
    ExpectEveryLabelWhole(window.hwnd(), dpi);
}

TEST_F(CheckerMoved, ToAMonitorOfAnotherScaleTheWindowIsLaidOutAnewAndBack) {
    const int dpi = ScreenDpi();
    CheckerWindow window("winxp");
    ASSERT_TRUE(WaitForClose(window, 120s));

    MoveToMonitorOfScale(window, dpi * 3 / 2, POINT{40, 30});
    RECT frame{};
    GetWindowRect(window.hwnd(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    ExpectLaidOutAt(window, dpi * 3 / 2);
    EXPECT_TRUE(window.CloseEnabled());

    MoveToMonitorOfScale(window, dpi, POINT{10, 10});
    ExpectLaidOutAt(window, dpi);
}

}  // namespace
