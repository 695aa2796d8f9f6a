#pragma once
// The run without a window, for IT departments checking many PCs: the seven checks in order,
// without the pauses, their report written to a file.
#include <string>

enum SilentExit : int {
    kAllPassed = 0,
    kSomeFailed = 1,
    kReportNotWritten = 2,
};

// Runs the checks and writes the report to `utf8Path` (JSON when it ends in ".json", plain text
// otherwise), whole or not at all. Returns the program's exit code.
int RunSilentReport(const std::string& utf8Path);
