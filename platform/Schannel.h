#pragma once
// Schannel, as the client TLS probe uses it: secur32.dll's function table (InitSecurityInterfaceA,
// Windows 2000 and later), loaded on first use by full path from the system folder. The table's
// functions (AcquireCredentialsHandleA, InitializeSecurityContextA, QueryContextAttributesA,
// DeleteSecurityContext, FreeCredentialsHandle, FreeContextBuffer) are reached through it.
#include "Win32.h"
#define SECURITY_WIN32
#include <security.h>
#include <schannel.h>

#include "SystemLibrary.h"

namespace platform {

SystemLibrary& SecurityLibrary();

// Throws MissingSystemFunction when secur32.dll, its InitSecurityInterfaceA or a function the probe
// needs in its table is missing.
const SecurityFunctionTableA& SecurityFunctions();

}  // namespace platform
