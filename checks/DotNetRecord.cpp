#include "DotNetRecord.h"

#include "Finding.h"

std::string DotNetRecordWords(const std::optional<DotNetSetupRecord>& record) {
    if (!record || record->install != 1u) return "; the registry has no record of .NET Framework 3.5";
    std::string words = "; the registry records .NET Framework 3.5";
    if (record->servicePack.value_or(0) > 0) words += " SP" + std::to_string(*record->servicePack);
    if (record->version && !record->version->empty())
        words += ", version " + OnOneLine(std::string_view(*record->version).substr(0, kLongestDotNetVersion));
    return words;
}

std::string DotNetTlsWords(const TlsDefaultViews& views) {
    constexpr std::string_view kUses = "use Windows' TLS versions (SystemDefaultTlsVersions)";
    constexpr std::string_view kOffers = "offer only SSL 3.0 and TLS 1.0 unless they ask for more";
    const bool all = views.view32 && views.view64.value_or(true);
    const bool none = !views.view32 && !views.view64.value_or(false);
    if (all || none) return "; .NET 3.5 programs " + std::string(all ? kUses : kOffers);
    return views.view32 ? "; 32-bit .NET 3.5 programs " + std::string(kUses) + ", 64-bit ones " + std::string(kOffers)
                        : "; 64-bit .NET 3.5 programs " + std::string(kUses) + ", 32-bit ones " + std::string(kOffers);
}
