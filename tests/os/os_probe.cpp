// Prints what GetOsInfo makes of the Windows release that this process is shown, one field a
// line, then what the OS check made of it: its description and verdict (each must be
// GetOsInfo's) and its line.
#include <cstdio>

#include "os/OsCheck.h"
#include "os/modOS.h"

int main() {
    const OsInfo info = GetOsInfo();
    std::printf("%d\n%d\n%d\n%d\n%d\n%s\n%d\n", info.Platform, info.Major, info.Minor, info.Build,
                info.SP, info.description.c_str(), info.ok ? 1 : 0);
    const OsCheck check = CheckOperatingSystem();
    std::printf("%s\n%d\n%d\n%s\n", check.info.description.c_str(), check.info.ok ? 1 : 0,
                check.finding.passed ? 1 : 0, check.finding.detail.c_str());
    return 0;
}
