#pragma once
// What the registry holds about .NET Framework 3.5, read in the views this PC has: the setup's
// record in the 64-bit view on 64-bit Windows, the TLS setting in each view (the 32-bit view
// governs 32-bit .NET programs, the 64-bit view 64-bit ones).
#include <optional>

#include "ClientTls.h"
#include "DotNetRecord.h"
#include "ProgramFilesLocations.h"

// Nothing when the NDP\v3.5 key is missing.
std::optional<DotNetSetupRecord> ReadDotNetSetupRecord(WindowsBitness bitness);

TlsDefaultViews ReadTlsDefaultViews(WindowsBitness bitness);

// The TLS versions the client offers on this PC, read as it reads them: in the view it runs in.
OfferedSet ClientOfferedSetOfThisPc();
