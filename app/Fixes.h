#pragma once
// The action a failed row's link takes on this PC: the program with its full path and arguments,
// or the page, chosen by the instruction's entry in the table (Remedies.cpp) and by this PC's
// real Windows release. Portable: the PC's facts come in as a FixContext.
#include <string>

#include "app/Remedies.h"
#include "platform/FixAction.h"

struct FixContext {
    WindowsRelease release;     // the release the PC really runs
    bool wow64 = false;         // a 32-bit process on 64-bit Windows: System32 is redirected
    std::string systemFolder;   // system code page, no trailing backslash
};

// What `fix` opens on the PC `context` describes. A program whose folder is not known gives no
// action: never a bare program name, which Windows would look for in the program's own folder.
platform::FixAction ActionFor(Fix fix, const FixContext& context);

// The action for a row and its finding: none for a row that passed.
platform::FixAction FixFor(Row row, const Finding& finding, const FixContext& context);

// The words for a start of `action` that failed with Windows error `error`:
// "Could not open Windows Features: this Windows has no such program".
std::string FixFailureText(const platform::FixAction& action, unsigned long error);
