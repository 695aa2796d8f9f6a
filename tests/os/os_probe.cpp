// Prints what GetOsInfo makes of the Windows release that this process is shown, one field a line.
#include <cstdio>

#include "os/modOS.h"

int main() {
    const OsInfo info = GetOsInfo();
    std::printf("%d\n%d\n%d\n%d\n%d\n%s\n%d\n", info.Platform, info.Major, info.Minor, info.Build,
                info.SP, info.description.c_str(), info.ok ? 1 : 0);
    return 0;
}
