#include "InstallerCheck.h"

#include "InstallerFinding.h"
#include "ReadVersionInfo.h"
#include "platform/FileSearch.h"
#include "platform/Folders.h"

namespace {

// The directory search decides; the attribute query only words a failure.
LibraryFile WhatIsAt(const std::string& library) {
    if (platform::NormalFileExists(library)) return LibraryFile::Ordinary;
    return platform::FileAttributes(library) ? LibraryFile::NotOrdinary : LibraryFile::Missing;
}

std::string FileVersionOf(const std::string& library) {
    VersionInfo info;
    ReadVersionInfo(library, info);  // an incomplete read leaves FileVersion empty: a fail
    return info.FileVersion;
}

}  // namespace

Finding InstallerLibraryFinding(const std::string& installerLocation) {
    return JudgeInstallerLibrary(installerLocation, {&WhatIsAt, &FileVersionOf});
}

bool InstallerLibraryPasses(const std::string& installerLocation) {
    return InstallerLibraryFinding(installerLocation).passed;
}
