#include "InstallerCheck.h"

#include "InstallerVersion.h"
#include "ReadVersionInfo.h"
#include "platform/FileSearch.h"

bool InstallerLibraryPasses(const std::string& installerLocation) {
    const std::string library = InstallerLibraryPath(installerLocation);
    if (!platform::NormalFileExists(library)) return false;
    VersionInfo info;
    ReadVersionInfo(library, info);  // an incomplete read leaves FileVersion empty: a fail
    return IsInstallerOK(info.FileVersion);
}
