// Runs the file half of the installer check on the location given as its one argument, in a
// process of its own, and prints the verdict ("pass" or "fail") and the FileVersion it read.
#include <cstdio>

#include "checks/InstallerCheck.h"
#include "checks/InstallerVersion.h"
#include "checks/ReadVersionInfo.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string location = argv[1];
    const bool passes = InstallerLibraryPasses(location);
    VersionInfo info;
    ReadVersionInfo(InstallerLibraryPath(location), info);
    std::printf("%s\n%s\n", passes ? "pass" : "fail", info.FileVersion.c_str());
    return 0;
}
