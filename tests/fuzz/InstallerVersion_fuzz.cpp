// IsInstallerOK on any version text: never throws, reads only parts 0 and 1, and part 0
// alone decides unless it reads as 3.
#include <string>

#include "FuzzSupport.h"
#include "checks/InstallerVersion.h"
#include "checks/LeadingNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string version(fuzz::AsText(data, size));
    const bool ok = IsInstallerOK(version);

    const std::string_view part0 = std::string_view(version).substr(0, version.find('.'));
    fuzz::Require(!ok || LeadingNumber(part0) >= 3, "a pass needs part 0 of at least 3");

    if (version.find('.') != std::string::npos)
        fuzz::Require(IsInstallerOK(version + ".0") == ok, "parts after part 1 are never read");

    // Prefixing "N." makes N part 0 and the old part 0 part 1.
    fuzz::Require(IsInstallerOK("4." + version), "part 0 of 4 passes whatever follows");
    fuzz::Require(!IsInstallerOK("2." + version), "part 0 of 2 fails whatever follows");
    fuzz::Require(IsInstallerOK("3." + version) == (LeadingNumber(part0) >= 1),
                  "after part 0 of 3, part 1 decides");
    fuzz::Require(IsInstallerOK(" \t" + version) == ok, "blanks are skipped");
    return 0;
}
