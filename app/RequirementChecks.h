#pragma once
// The checks that need no window, each giving its finding. The window runs the same ones,
// keeping itself painted during the Internet fetches; the report without a window runs them
// straight.
#include <array>

#include "app/CheckRun.h"
#include "app/Remedies.h"

// Windows Installer: where the registry says it lies, and the version of msi.dll there.
Finding InstallerRequirement();

// The Windows release as this program is told it, for the instructions that depend on it.
WindowsRelease ReportedRelease();

// All seven, in window order, each made on the calling thread.
std::array<CheckStep, kRowCount> ChecksWithoutWindow();
