#pragma once
// The file half of the Windows Installer check; the location comes from the registry.
#include <string>

#include "Finding.h"

// Passes when an ordinary file (not a folder, not hidden, not a system file) lies at
// InstallerLibraryPath(installerLocation) and its FileVersion is Windows Installer 3.1 or later.
// An empty location fails without looking. The line names the library and its FileVersion, or
// what was there instead.
Finding InstallerLibraryFinding(const std::string& installerLocation);

// The verdict of InstallerLibraryFinding.
bool InstallerLibraryPasses(const std::string& installerLocation);
