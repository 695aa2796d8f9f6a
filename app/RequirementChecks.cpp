#include "RequirementChecks.h"

#include "checks/FolderChecks.h"
#include "checks/InstallerCheck.h"
#include "checks/InternetChecks.h"
#include "os/OsCheck.h"
#include "platform/HttpFetch.h"
#include "platform/OsVersion.h"
#include "registry/cRegistry.h"

Finding InstallerRequirement() {
    std::string location;
    {
        cRegistry registry;  // one read, released straight after
        registry.ClassKey(RegistryRoot::LocalMachine);
        registry.SectionKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer");
        registry.ValueKey("InstallerLocation");
        registry.ValueType(RegistryValueType::RegSz);
        location = registry::ValueToText(registry.Value());
    }
    return InstallerLibraryFinding(location);
}

WindowsRelease ReportedRelease() {
    const platform::OsVersionRecord record = platform::ReadOsVersionRecord();
    return {record.platformId, record.major, record.minor};
}

std::array<CheckStep, kRowCount> ChecksWithoutWindow() {
    return {{
        {Row::InternetApp, [] { platform::HttpFetch fetch; return AppUrlFinding(fetch); }},
        {Row::InternetData, [] { platform::HttpFetch fetch; return DataUrlFinding(fetch); }},
        {Row::Os, [] { return CheckOperatingSystem().finding; }},
        {Row::Installer, [] { return InstallerRequirement(); }},
        {Row::DotNet, [] { return DotNetFinding(); }},
        {Row::MsHtml, [] { return MsHtmlInteropFinding(); }},
        {Row::SmartCard, [] { return SmartCardToolsFinding(nullptr); }},
    }};
}
