// Runs the file half of the installer check on the location given as its one argument, in a
// process of its own, and prints, one a line: the verdict of InstallerLibraryPasses ("pass" or
// "fail"), the FileVersion it read, and the finding's verdict and line.
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
    const Finding finding = InstallerLibraryFinding(location);
    std::printf("%s\n%s\n%s\n%s\n", passes ? "pass" : "fail", info.FileVersion.c_str(),
                finding.passed ? "pass" : "fail", finding.detail.c_str());
    return 0;
}
