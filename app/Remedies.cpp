#include "Remedies.h"

#include <optional>
#include <string_view>

#include "checks/InternetChecks.h"

namespace {

enum class Releases { Any, Windows7AndLater, BeforeWindows7, Windows2000To2003, Windows7 };

struct Entry {
    std::optional<Row> row;  // none: every row
    FindingKind kind;        // Unclassified: the row's instruction for any other kind
    Releases releases;
    // "{host}" stands for the host the row's check fetches from, "{issuer}" for the issuer of
    // the certificate it was given; an entry with "{issuer}" fits only where one is known.
    std::string_view text;
    Fix fix{};  // what the row's link does
};

constexpr std::string_view kHost = "{host}";
constexpr std::string_view kIssuer = "{issuer}";

using K = FindingKind;

constexpr std::string_view kCheckTheWay =
    "Check that this PC is connected to the network and that the proxy in Internet Options > "
    "Connections > LAN settings is right, then ask your IT department to let this PC reach {host}.";

// What makes a .NET 3.5 program offer Windows' TLS versions, and what turns TLS 1.2 on for
// Windows 7's clients, where it is off by default.
#define QT_DOTNET_TLS_VALUE                                                                            \
    "set SystemDefaultTlsVersions = 1 (REG_DWORD) under HKLM\\SOFTWARE\\Microsoft\\.NETFramework\\v2.0.50727 " \
    "and, on 64-bit Windows, under HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\.NETFramework\\v2.0.50727"
#define QT_SCHANNEL_TLS12                                                                              \
    "turn on TLS 1.2 for clients in Schannel (under HKLM\\SYSTEM\\CurrentControlSet\\Control\\"         \
    "SecurityProviders\\SCHANNEL\\Protocols\\TLS 1.2\\Client set DisabledByDefault = 0 and Enabled = 1) "   \
    "and install the .NET Framework updates from Windows Update"

constexpr std::string_view kInstallInstaller =
    "Install Windows Installer 3.1 or later (Windows Update offers it), then check again.";

// The first entry that fits wins, so the specific kinds come before a row's Unclassified one, and
// an entry that names the issuer before the one that does without; the two have the same action.
// The kinds of the Internet checks arise on their two rows only, and read the same on both.
// Its size is counted by the compiler, so an entry added can never leave a blank one behind.
constexpr Entry kRemedies[] = {
    {std::nullopt, K::CouldNotCheck, Releases::Any,
     "Run the checker again. If this repeats, send the report (Ctrl+C copies it) to Quorvin support.",
     Fix::CheckAgain},

    {std::nullopt, K::ProxySignIn, Releases::Any,
     "Sign in to the proxy (open any web page in Internet Explorer and give your user name and "
     "password), or ask your IT department to let this PC through the proxy to {host}.",
     Fix::InternetOptions},
    {std::nullopt, K::CertificateUntrusted, Releases::Any,
     "Check that this PC's date, time and time zone are right. The certificate was issued by "
     "{issuer}: ask your IT department about that product. A proxy or security product that "
     "inspects secure connections must let those to {host} pass through unopened.",
     Fix::DateAndTime},
    {std::nullopt, K::CertificateUntrusted, Releases::Any,
     "Check that this PC's date, time and time zone are right. A proxy or security product that "
     "inspects secure connections must let those to {host} pass through unopened: ask your IT "
     "department.",
     Fix::DateAndTime},
    {std::nullopt, K::NoSecureProtocolInCommon, Releases::Windows7AndLater,
     "Turn on \"Use TLS 1.2\" in Internet Options > Advanced (under Security), then check again. "
     "Windows 7 may need its TLS 1.2 update from Windows Update first. If it is on already, send "
     "the report (Ctrl+C copies it) to Quorvin support.",
     Fix::InternetOptionsAdvanced},
    // Internet Explorer before Windows 7 has no TLS 1.2 to turn on (Server 2008 only with an update).
    {std::nullopt, K::NoSecureProtocolInCommon, Releases::BeforeWindows7,
     "Turn on \"Use TLS 1.0\" in Internet Options > Advanced (under Security), then check again. "
     "This Windows has no TLS 1.2 (Server 2008 only with its TLS update): if {host} asks for it, "
     "the Tessary Card client needs Windows 7 or later.",
     Fix::InternetOptionsAdvanced},
    {std::nullopt, K::CertificateNameMismatch, Releases::Any,
     "Something between this PC and {host} answers in its place: a proxy, a hotspot's sign-in page "
     "or a security product. The certificate was issued by {issuer}: ask your IT department about "
     "that product, and to let connections to {host} pass through unchanged."},
    {std::nullopt, K::CertificateNameMismatch, Releases::Any,
     "Something between this PC and {host} answers in its place: a proxy, a hotspot's sign-in page "
     "or a security product. Ask your IT department to let connections to {host} pass through "
     "unchanged."},
    {std::nullopt, K::CertificateRevoked, Releases::Any,
     "The certificate {host} presented has been withdrawn by its issuer. Do not go on; tell "
     "Quorvin support the line above."},
    {std::nullopt, K::UnexpectedPage, Releases::Any,
     "The service may be down, or a filter on the way changed the page. Tell Quorvin support the "
     "line above."},
    {std::nullopt, K::ClientTlsRefusedWindowsToo, Releases::Windows7,
     "The service refuses even the TLS versions Windows offers by itself here. Have an administrator "
     QT_SCHANNEL_TLS12 ", and " QT_DOTNET_TLS_VALUE "; then restart the PC and check again.",
     Fix::DotNetTls},
    {std::nullopt, K::ClientTlsRefusedWindowsToo, Releases::BeforeWindows7,
     "The service refuses even the TLS versions this Windows offers by itself, and this Windows has no "
     "newer ones: the Tessary Card client needs Windows 7 or later here. Ask Quorvin support.",
     Fix::DotNetTls},
    {std::nullopt, K::ClientTlsRefusedWindowsToo, Releases::Any,
     "The service refuses even the TLS versions Windows offers by itself here: ask your IT department "
     "whether TLS 1.2 is turned off for clients in Schannel. Then have an administrator "
     QT_DOTNET_TLS_VALUE ", and check again.",
     Fix::DotNetTls},
    {std::nullopt, K::ClientTlsRefused, Releases::Windows7,
     "Have an administrator " QT_DOTNET_TLS_VALUE "; also " QT_SCHANNEL_TLS12
     ". Then restart the PC and check again.",
     Fix::DotNetTls},
    {std::nullopt, K::ClientTlsRefused, Releases::Any,
     "Have an administrator " QT_DOTNET_TLS_VALUE ", then check again.", Fix::DotNetTls},
    {Row::InternetApp, K::Unclassified, Releases::Any, kCheckTheWay, Fix::InternetOptions},
    {Row::InternetData, K::Unclassified, Releases::Any, kCheckTheWay, Fix::InternetOptions},

    {Row::Os, K::ServicePackTooOld, Releases::Any,
     "Install Service Pack 2 or later for this Windows (Windows Update), then check again.",
     Fix::WindowsUpdate},
    {Row::Os, K::Unclassified, Releases::Any,
     "This release of Windows cannot run the Tessary Card client, which needs Windows XP or "
     "Server 2003 with Service Pack 2 or later, or a newer Windows."},

    // Vista and later come with a newer Windows Installer, which 3.1's download would not replace.
    {Row::Installer, K::Unclassified, Releases::Windows2000To2003, kInstallInstaller, Fix::InstallerDownload},
    {Row::Installer, K::Unclassified, Releases::Any, kInstallInstaller},

    {Row::DotNet, K::FileInPlaceOfFolder, Releases::Windows7AndLater,
     "A file stands where the .NET Framework 3.5 folder should be: have it removed, then turn on "
     "\".NET Framework 3.5\" in Windows Features (Control Panel > Programs > Turn Windows features "
     "on or off).",
     Fix::WindowsFeatures},
    {Row::DotNet, K::FileInPlaceOfFolder, Releases::BeforeWindows7,
     "A file stands where the .NET Framework 3.5 folder should be: have it removed, then install "
     "the .NET Framework 3.5 SP1.",
     Fix::DotNetDownload},
    {Row::DotNet, K::Unclassified, Releases::Windows7AndLater,
     "Turn on \".NET Framework 3.5\" in Windows Features (Control Panel > Programs > Turn Windows "
     "features on or off).",
     Fix::WindowsFeatures},
    {Row::DotNet, K::Unclassified, Releases::BeforeWindows7, "Install the .NET Framework 3.5 SP1.",
     Fix::DotNetDownload},

    {Row::MsHtml, K::Unclassified, Releases::Any,
     "Install the Microsoft primary interop assemblies for MSHTML (Microsoft.mshtml 7.0.3300.0), or "
     "ask Quorvin support for them.",
     Fix::InteropDownload},

    {Row::SmartCard, K::Unclassified, Releases::Any,
     "Install the reader tools that came with the Gemplus or GemAlto smart-card reader.",
     Fix::ReaderToolsDownload},
};

bool IsWindows7OrLater(const WindowsRelease& release) {
    return release.platform == 2 && (release.major > 6 || (release.major == 6 && release.minor >= 1));
}

bool Covers(Releases releases, const WindowsRelease& release) {
    switch (releases) {
        case Releases::Windows7AndLater: return IsWindows7OrLater(release);
        case Releases::BeforeWindows7: return !IsWindows7OrLater(release);
        case Releases::Windows2000To2003: return release.platform == 2 && release.major == 5;
        case Releases::Windows7: return release.platform == 2 && release.major == 6 && release.minor == 1;
        case Releases::Any: break;
    }
    return true;
}

const Entry* Find(Row row, FindingKind kind, const WindowsRelease& release, bool issuerKnown) {
    for (const Entry& entry : kRemedies)
        if ((!entry.row || *entry.row == row) && entry.kind == kind && Covers(entry.releases, release) &&
            (issuerKnown || entry.text.find(kIssuer) == std::string_view::npos))
            return &entry;
    return nullptr;
}

// Every `placeholder` in `text` made `value`.
void Fill(std::string& text, std::string_view placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at)) {
        text.replace(at, placeholder.size(), value);
        at += value.size();
    }
}

// The host the row's check fetches from; the data service's for rows that fetch nothing.
std::string HostOf(Row row) {
    const std::string url = row == Row::InternetApp ? AppUrl() : DataUrl();
    const std::size_t start = url.find("://");
    if (start == std::string::npos) return url;
    const std::size_t end = url.find('/', start + 3);
    return url.substr(start + 3, end == std::string::npos ? std::string::npos : end - start - 3);
}

}  // namespace

Instruction InstructionFor(Row row, const Finding& finding, const WindowsRelease& release) {
    if (finding.passed) return {};
    const std::string issuer =
        finding.certificate ? OnOneLine(finding.certificate->issuer) : std::string();
    const Entry* entry = Find(row, finding.kind, release, !issuer.empty());
    if (!entry) entry = Find(row, FindingKind::Unclassified, release, !issuer.empty());
    if (!entry) return {};
    std::string text(entry->text);
    Fill(text, kHost, HostOf(row));
    Fill(text, kIssuer, issuer);
    return {text, entry->fix};
}

std::string Remedy(Row row, const Finding& finding, const WindowsRelease& release) {
    return InstructionFor(row, finding, release).text;
}
