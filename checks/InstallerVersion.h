#pragma once
// Whether an installer library's file version is Windows Installer 3.1 or later.
#include <string>
#include <string_view>

// The installer library in the folder the registry names, joined with one separator: a location
// ending in '\' or '/' (Windows writes it with the backslash) gets "msi.dll", any other, the
// empty one too, "\msi.dll".
std::string InstallerLibraryPath(std::string_view installerLocation);

// `Version` split at every "."; the leading number of part 0 must be at least 3, and when it is
// below 4 that of part 1 at least 1. Later parts are never read. A text without a part 0 (the
// empty text) or without the part 1 it needs fails.
bool IsInstallerOK(const std::string& Version);
