#include "modOS.h"
#include "platform/OsVersion.h"

OsInfo GetOsInfo() {
    const platform::OsVersionRecord record = platform::ReadOsVersionRecord();
    return MakeOsInfo(record.platformId, record.major, record.minor, record.build, record.csd);
}
