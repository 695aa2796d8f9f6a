// Waits for a window to finish its work, saves a PNG of it and optionally closes it.
// Usage: window_snapshot TITLE OUT.png [--wait-enabled CONTROL_ID] [--timeout SECONDS] [--close]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/WindowCapture.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_snapshot TITLE OUT.png [--wait-enabled ID] [--timeout S] [--close]\n");
        return 2;
    }
    const std::string title = argv[1], out = argv[2];
    int waitId = 0, timeoutSeconds = 60;
    bool close = false;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--wait-enabled" && i + 1 < argc) waitId = std::atoi(argv[++i]);
        else if (arg == "--timeout" && i + 1 < argc) timeoutSeconds = std::atoi(argv[++i]);
        else if (arg == "--close") close = true;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    HWND window = nullptr;
    while (Clock::now() < deadline) {
        window = FindWindowA(nullptr, title.c_str());
        if (window && (!waitId || IsWindowEnabled(GetDlgItem(window, waitId)))) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!window) {
        std::fprintf(stderr, "no window titled \"%s\"\n", title.c_str());
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the last row paint
    if (!testsupport::WritePng(out, testsupport::CaptureWindow(window))) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    if (close) PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}
