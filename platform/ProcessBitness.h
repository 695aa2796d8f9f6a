#pragma once
// Whether this process is a 32-bit one running on 64-bit Windows, and the environment it was
// given.
#include <string>

namespace platform {

// True for a 32-bit process under WOW64 (IsWow64Process, looked up: Windows 2000 and XP before
// SP2 lack it, and run no such process). False for a 64-bit process and on 32-bit Windows.
bool RunsUnderWow64();

// The value of environment variable `name`; empty when it is not set or cannot be read.
std::string EnvironmentValue(const char* name);

}  // namespace platform
