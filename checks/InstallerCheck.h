#pragma once
// The file half of the Windows Installer check; the location comes from the registry.
#include <string>

// Passes when an ordinary file (not a folder, not hidden, not a system file) lies at
// `installerLocation` + "\msi.dll" and its FileVersion is Windows Installer 3.1 or later.
bool InstallerLibraryPasses(const std::string& installerLocation);
