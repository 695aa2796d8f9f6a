#pragma once
// What the customer can do about a failed row: one short instruction, chosen by the row, by the
// kind of shortfall its check found and, where it matters, by the Windows release, and with it
// the action the row's link takes. All of them are in one table in Remedies.cpp. Portable.
#include <string>

#include "app/CheckRun.h"
#include "checks/Finding.h"

// A Windows release. The one that chooses is the one the PC really runs: Windows 8 and later
// report 6.2 to this program, but have their own settings pages.
struct WindowsRelease {
    unsigned platform = 0;  // 2 for the NT family
    unsigned major = 0;
    unsigned minor = 0;
};

// What the link beside an instruction does. The program or page it becomes on a given PC is
// chosen in Fixes.cpp.
enum class Fix {
    None,
    CheckAgain,
    WindowsFeatures,
    DotNetDownload,
    InstallerDownload,
    InternetOptions,
    InternetOptionsAdvanced,
    DateAndTime,
    WindowsUpdate,
    InteropDownload,
    ReaderToolsDownload,
    DotNetTls,  // Microsoft's page on TLS for the .NET Framework
};

struct Instruction {
    std::string text;  // empty for a row that passed
    Fix fix = Fix::None;
};

// The instruction for a row whose check failed with `kind`, and its action, from the same entry.
Instruction InstructionFor(Row row, const Finding& finding, const WindowsRelease& release);

// The instruction alone. Where the finding names the issuer of a certificate that was turned
// down, the instruction names it too.
std::string Remedy(Row row, const Finding& finding, const WindowsRelease& release);
