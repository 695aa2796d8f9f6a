#pragma once
// What the customer can do about a failed row: one short instruction, chosen by the row, by the
// kind of shortfall its check found and, where it matters, by the Windows release. All of them
// are in one table in Remedies.cpp. Portable.
#include <string>

#include "app/CheckRun.h"
#include "checks/Finding.h"

// The release as Windows reports it to this program (Windows 8 and later say 6.2).
struct WindowsRelease {
    unsigned platform = 0;  // 2 for the NT family
    unsigned major = 0;
    unsigned minor = 0;
};

// The instruction for a row whose check failed with `kind`; empty for a row that passed. Where the
// finding names the issuer of a certificate that was turned down, the instruction names it too.
std::string Remedy(Row row, const Finding& finding, const WindowsRelease& release);
