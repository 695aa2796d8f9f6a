#include "InstallerFinding.h"

#include "InstallerVersion.h"

Finding JudgeInstallerLibrary(std::string_view installerLocation,
                              const InstallerLibraryLooks& looks) {
    if (installerLocation.empty()) return {false, std::string(kNoInstallerLocation)};
    const std::string library = InstallerLibraryPath(installerLocation);
    std::string line = library + ": ";
    switch (looks.whatIsAt(library)) {
        case LibraryFile::Missing: return {false, OnOneLine(line.append(kNoSuchFile))};
        case LibraryFile::NotOrdinary: return {false, OnOneLine(line.append(kNotAnOrdinaryFile))};
        case LibraryFile::Ordinary: break;
    }
    const std::string version = looks.fileVersion(library);
    if (version.empty()) return {false, OnOneLine(line.append(kNoFileVersion))};
    const bool passed = IsInstallerOK(version);
    line.append(kFileVersionLabel).append(version);
    if (!passed) line.append(kVersionTooOld);
    return {passed, OnOneLine(std::move(line))};
}
