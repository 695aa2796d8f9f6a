#include "OsCheck.h"
#include "OsFinding.h"
#include "modOS.h"
#include "platform/OsVersion.h"

OsInfo GetOsInfo() {
    const platform::OsVersionRecord record = platform::ReadOsVersionRecord();
    return MakeOsInfo(record.platformId, record.major, record.minor, record.build, record.csd);
}

OsCheck CheckOperatingSystem() {
    const platform::OsVersionRecord record = platform::ReadOsVersionRecord();
    OsCheck check;
    check.info =
        MakeOsInfo(record.platformId, record.major, record.minor, record.build, record.csd);
    check.finding = MakeOsFinding(record.platformId, record.major, record.minor, record.build,
                                  record.csd, check.info, platform::ReadRealWindowsVersion());
    return check;
}
