#include "RequirementChecks.h"

#include "checks/DotNetRegistry.h"
#include "checks/FolderChecks.h"
#include "checks/InstallerCheck.h"
#include "checks/InternetChecks.h"
#include "checks/SecureUrlCheck.h"
#include "os/OsCheck.h"
#include "platform/HttpFetch.h"
#include "platform/SmartCardService.h"
#include "platform/TlsProbe.h"
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

namespace {

// Each check's shared state is made with `new`, never make_shared: without run-time type
// information make_shared's control block brings 3 KB of the C++ library into the program (the
// hashing behind its type check), and one use anywhere is enough.
std::unique_ptr<PendingCheck> StartEndpointCheck(Finding (*find)(platform::HttpFetch&) noexcept) {
    auto fetch = std::shared_ptr<platform::HttpFetch>(new platform::HttpFetch());
    return std::make_unique<PendingCheck>([fetch, find] { return find(*fetch); }, [fetch] { fetch->Cancel(); });
}

}  // namespace

std::unique_ptr<PendingCheck> StartAppUrlCheck() { return StartEndpointCheck(&AppUrlFinding<platform::HttpFetch>); }

std::unique_ptr<PendingCheck> StartDataUrlCheck() {
    auto fetch = std::shared_ptr<platform::HttpFetch>(new platform::HttpFetch());
    auto probe = std::shared_ptr<platform::TlsProbe>(new platform::TlsProbe());
    return std::make_unique<PendingCheck>(
        [fetch, probe] { return DataUrlClientFinding(*fetch, *probe, ClientOfferedSetOfThisPc()); },
        [fetch, probe] {
            fetch->Cancel();
            probe->Cancel();
        });
}

std::unique_ptr<PendingCheck> StartCardReadersCheck() {
    auto query = std::shared_ptr<platform::SmartCardQuery>(new platform::SmartCardQuery());
    return std::make_unique<PendingCheck>([query] { return CardReadersFinding(*query); },
                                          [query] { query->Cancel(); });
}

std::array<CheckStep, kRowCount> ChecksWithoutWindow(PendingCheck& app, PendingCheck& data) {
    return {{
        {Row::InternetApp, [&app] { return app.Wait(); }},
        {Row::InternetData, [&data] { return data.Wait(); }},
        {Row::Os, [] { return CheckOperatingSystem().finding; }},
        {Row::Installer, [] { return InstallerRequirement(); }},
        {Row::DotNet, [] { return DotNetFinding(); }},
        {Row::MsHtml, [] { return MsHtmlInteropFinding(); }},
        {Row::SmartCard, [] { return SmartCardToolsFinding(nullptr); }},
    }};
}
