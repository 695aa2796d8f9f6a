#pragma once
// The checks that need no window, each giving its finding. The window runs the same ones,
// keeping itself painted during the Internet fetches; the report without a window runs them
// straight, its two fetches at once.
#include <array>
#include <memory>

#include "app/CheckRun.h"
#include "app/PendingCheck.h"

// Windows Installer: where the registry says it lies, and the version of msi.dll there.
Finding InstallerRequirement();

// The two Internet checks, each set going at once on a thread of its own with its own time limit.
std::unique_ptr<PendingCheck> StartAppUrlCheck();
std::unique_ptr<PendingCheck> StartDataUrlCheck();
// What the smart-card service sees, asked on a thread of its own: over Remote Desktop each of its
// calls is a round trip to the connecting PC. Its finding is CardReadersFinding's, for
// SmartCardToolsFinding to add; it comes within SmartCardQuery::kLimit.
std::unique_ptr<PendingCheck> StartCardReadersCheck();

// All seven, in window order: the Internet rows take the findings of `app` and `data`, which must
// outlive the run; the others are made on the calling thread.
std::array<CheckStep, kRowCount> ChecksWithoutWindow(PendingCheck& app, PendingCheck& data);
