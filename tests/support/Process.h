#pragma once
// Starting other Windows programs from a test.
#include <string>

#include "platform/ScopedHandle.h"

namespace testsupport {

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

struct Output {
    unsigned long exitCode = 0;
    std::string text;  // what the program wrote to its standard output
};

// Runs a console program to its end and collects its standard output.
Output RunAndCapture(const std::string& commandLine, unsigned long timeoutMs = 60000);

// Starts a program and returns its process handle; it is ended with the handle's owner only if
// the test ends it. `commandLine` names the program first.
platform::ScopedKernelHandle Start(const std::string& commandLine);

}  // namespace testsupport
