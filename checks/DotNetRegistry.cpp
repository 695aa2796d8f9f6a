#include "DotNetRegistry.h"

#include "FolderLocations.h"
#include "platform/RegistryValues.h"

namespace {

constexpr char kSetupKey[] = "SOFTWARE\\Microsoft\\NET Framework Setup\\NDP\\v3.5";
constexpr char kRuntimeKey[] = "SOFTWARE\\Microsoft\\.NETFramework\\v2.0.50727";

// The access flag that reaches each view; 0 is the process's own. The flags are passed only
// where WOW64 is, since Windows 2000 refuses them.
std::optional<REGSAM> View64(WindowsBitness bitness) {
    switch (bitness) {
        case WindowsBitness::Windows32: return std::nullopt;
        case WindowsBitness::Program32OnWindows64: return KEY_WOW64_64KEY;
        case WindowsBitness::Program64: return 0;
    }
    return std::nullopt;
}

REGSAM View32(WindowsBitness bitness) {
    return bitness == WindowsBitness::Program64 ? KEY_WOW64_32KEY : 0;
}

bool TlsDefaultSet(REGSAM view) {
    return platform::ReadRegistryDword(HKEY_LOCAL_MACHINE, kRuntimeKey, "SystemDefaultTlsVersions", view) == 1u;
}

}  // namespace

std::optional<DotNetSetupRecord> ReadDotNetSetupRecord(WindowsBitness bitness) {
    const REGSAM view = View64(bitness).value_or(View32(bitness));
    if (!platform::RegistryKeyExists(HKEY_LOCAL_MACHINE, kSetupKey, view)) return std::nullopt;
    return DotNetSetupRecord{platform::ReadRegistryDword(HKEY_LOCAL_MACHINE, kSetupKey, "Install", view),
                             platform::ReadRegistryDword(HKEY_LOCAL_MACHINE, kSetupKey, "SP", view),
                             platform::ReadRegistryText(HKEY_LOCAL_MACHINE, kSetupKey, "Version", view)};
}

TlsDefaultViews ReadTlsDefaultViews(WindowsBitness bitness) {
    TlsDefaultViews views;
    views.view32 = TlsDefaultSet(View32(bitness));
    if (const std::optional<REGSAM> view64 = View64(bitness)) views.view64 = TlsDefaultSet(*view64);
    return views;
}

OfferedSet ClientOfferedSetOfThisPc() {
    const WindowsBitness bitness = ThisBitness();
    return ChooseOfferedSet(BuiltClient(), bitness != WindowsBitness::Windows32, ReadTlsDefaultViews(bitness));
}
