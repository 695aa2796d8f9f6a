#pragma once
// A program started from the benchmark and watched from outside, as a person would see it: its
// shown window, its memory, its end.
#include <chrono>
#include <cstddef>
#include <string>

#include "platform/ScopedHandle.h"

namespace bench {

using Clock = std::chrono::steady_clock;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to);

class WatchedProgram {
public:
    // Starts the program beside this one (by file name); startedAt() is taken just before the
    // process is created.
    explicit WatchedProgram(const std::string& exeName);
    // Ends the program if it is still running.
    ~WatchedProgram();
    WatchedProgram(const WatchedProgram&) = delete;
    WatchedProgram& operator=(const WatchedProgram&) = delete;

    Clock::time_point startedAt() const { return startedAt_; }

    // The program's visible top-level window with this title, or null if it has none yet.
    HWND ShownWindow(const std::string& title) const;
    // The most memory the process has had in its working set so far, in bytes; 0 if unknown.
    std::size_t PeakWorkingSet() const;
    // Asks the window to close and waits for the program to end; ends it if it does not.
    void Close(HWND window);

private:
    Clock::time_point startedAt_;
    platform::ScopedKernelHandle process_;
    unsigned long processId_ = 0;
};

}  // namespace bench
