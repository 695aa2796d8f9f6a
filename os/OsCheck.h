#pragma once
// The OS check on this machine (Windows only): the identification and its finding, both made
// from one reading of the version record.
#include "OsInfo.h"
#include "checks/Finding.h"

struct OsCheck {
    OsInfo info;      // as GetOsInfo gives it
    Finding finding;  // passes exactly when info.ok
};

OsCheck CheckOperatingSystem();
