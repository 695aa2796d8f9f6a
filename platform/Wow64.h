#pragma once
// Whether this is a 32-bit process on 64-bit Windows, whose system folder is redirected.

namespace platform {

// IsWow64Process, looked up where Windows has it (XP SP2 on): false where it is missing, as
// there is no 64-bit Windows without it.
bool IsWow64Process();

}  // namespace platform
