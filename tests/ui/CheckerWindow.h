#pragma once
// The checker's window seen from outside: started in the test's Wine prefix as a chosen Windows
// release, found by its title, and read through Win32 calls as any other program could.
#include <array>
#include <chrono>
#include <optional>
#include <string>

#include "support/Png.h"
#include "support/WineVersion.h"
#include "platform/ScopedHandle.h"

namespace ui {

enum class Mark { Blank, Question, Tick, Cross };
const char* MarkName(Mark mark);

// The seven row boxes, top to bottom, as the person reads them.
inline constexpr int kRows = 7;
inline constexpr std::array<int, kRows> kRowTops{64, 80, 96, 112, 128, 144, 160};
inline constexpr int kRowBoxLeft = 56;

// What a picture of a row box shows: the question mark is thin black lines, the tick green, the
// cross red.
Mark Classify(const testsupport::Picture& client, int left, int top, int width, int height);

class CheckerWindow {
public:
    using Clock = std::chrono::steady_clock;

    // Starts QTSysCheck.exe beside the test program, with `arguments` after its name, and Wine
    // reporting `wineVersion`; an empty one sets none, and Wine then reports the release the
    // prefix's registry names.
    explicit CheckerWindow(const std::string& wineVersion, const std::string& arguments = {});
    ~CheckerWindow();

    HWND hwnd() const { return hwnd_; }
    HANDLE process() const { return process_.get(); }
    Clock::time_point shownAt() const { return shownAt_; }
    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    std::array<Mark, kRows> Rows() const;
    bool CloseEnabled() const;
    bool WaitForExit(std::chrono::milliseconds limit) const;

private:
    std::optional<testsupport::ScopedWineVersion> version_;
    platform::ScopedKernelHandle process_;
    HWND hwnd_ = nullptr;
    Clock::time_point shownAt_;
};

// Saves the whole window, frame included, as a PNG under the build tree; returns its path.
std::string SaveScreenshot(HWND window, const std::string& name);

}  // namespace ui
