#include "CheckerWindow.h"

#include <stdexcept>
#include <thread>

#include "support/Process.h"
#include "support/WindowCapture.h"

namespace ui {

namespace {
constexpr char kTitle[] = "Quorvin Tessary Card System";
constexpr int kCloseId = 103;  // the Close button's control identifier

}  // namespace

const char* MarkName(Mark mark) {
    switch (mark) {
        case Mark::Blank: return "blank";
        case Mark::Question: return "question mark";
        case Mark::Tick: return "tick";
        case Mark::Cross: return "cross";
    }
    return "?";
}

Mark Classify(const testsupport::Picture& client, int left, int top, int width, int height) {
    int dark = 0, green = 0, red = 0;
    for (int y = top; y < top + height && y < client.height; ++y) {
        for (int x = left; x < left + width && x < client.width; ++x) {
            const auto p = client.At(x, y);
            if (p.r < 60 && p.g < 60 && p.b < 60) ++dark;
            if (p.g > p.r + 40 && p.g > p.b + 40) ++green;
            if (p.r > p.g + 60 && p.r > p.b + 60) ++red;
        }
    }
    if (green >= 10) return Mark::Tick;
    if (red >= 10) return Mark::Cross;
    if (dark >= 5) return Mark::Question;
    return Mark::Blank;
}

CheckerWindow::CheckerWindow(const std::string& wineVersion, const std::string& arguments) {
    if (!wineVersion.empty()) version_.emplace("QTSysCheck.exe", wineVersion);
    process_ = testsupport::Start("\"" + testsupport::ProgramFolder() + "QTSysCheck.exe\"" +
                                  (arguments.empty() ? "" : " " + arguments));
    const DWORD processId = GetProcessId(process_.get());
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < deadline) {
        if (const HWND found = testsupport::FindShownWindow(processId, kTitle)) {
            hwnd_ = found;
            shownAt_ = Clock::now();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    TerminateProcess(process_.get(), 1);
    throw std::runtime_error("the checker's window did not appear");
}

CheckerWindow::~CheckerWindow() {
    if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

std::array<Mark, kRows> CheckerWindow::Rows() const {
    const testsupport::Picture client = testsupport::CaptureClient(hwnd_);
    std::array<Mark, kRows> rows{};
    for (int i = 0; i < kRows; ++i)
        rows[static_cast<std::size_t>(i)] = Classify(client, kRowBoxLeft, kRowTops[static_cast<std::size_t>(i)], 17, 17);
    return rows;
}

bool CheckerWindow::CloseEnabled() const { return IsWindowEnabled(Control(kCloseId)) != FALSE; }

bool CheckerWindow::WaitForExit(std::chrono::milliseconds limit) const {
    return WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::string SaveScreenshot(HWND window, const std::string& name) {
    const std::string folder = testsupport::ProgramFolder() + "..\\screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + name + ".png";
    testsupport::WritePng(path, testsupport::CaptureWindow(window));
    return path;
}

}  // namespace ui
