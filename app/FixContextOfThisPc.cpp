#include "app/FixContextOfThisPc.h"

#include "platform/Folders.h"
#include "platform/OsVersion.h"
#include "platform/ProcessBitness.h"

FixContext FixContextOfThisPc() {
    const platform::OsVersionRecord reported = platform::ReadOsVersionRecord();
    const platform::RealWindowsVersion real = platform::ReadRealWindowsVersion();
    FixContext context;
    context.release = real.major != 0 ? WindowsRelease{reported.platformId, real.major, real.minor}
                                      : WindowsRelease{reported.platformId, reported.major, reported.minor};
    context.wow64 = platform::RunsUnderWow64();
    context.systemFolder = platform::SystemFolder();
    return context;
}
