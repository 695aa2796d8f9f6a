#include "WatchedProgram.h"

#include "platform/Win32.h"
#include <psapi.h>

#include "support/Process.h"
#include "support/WindowCapture.h"

namespace bench {

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

WatchedProgram::WatchedProgram(const std::string& exeName) {
    const std::string commandLine = "\"" + testsupport::ProgramFolder() + exeName + "\"";
    startedAt_ = Clock::now();
    process_ = testsupport::Start(commandLine);
    processId_ = GetProcessId(process_.get());
}

WatchedProgram::~WatchedProgram() {
    if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 5000);
    }
}

HWND WatchedProgram::ShownWindow(const std::string& title) const {
    return testsupport::FindShownWindow(processId_, title);
}

std::size_t WatchedProgram::PeakWorkingSet() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

void WatchedProgram::Close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

}  // namespace bench
