// Which instruction a failed row gets, by the kind of shortfall and the Windows release.
#include <gtest/gtest.h>

#include "app/Remedies.h"
#include "checks/InternetChecks.h"

namespace {

constexpr WindowsRelease kXp{2, 5, 1}, kVista{2, 6, 0}, kWindows7{2, 6, 1}, kWindows10{2, 6, 2},
    kWindows98{1, 4, 10};

struct Case {
    Row row;
    FindingKind kind;
    WindowsRelease release;
    const char* says;  // a phrase only the chosen instruction has
};

TEST(Remedies, EachFailedRowGetsTheInstructionForWhatWasFoundAndTheRelease) {
    const Case cases[] = {
        {Row::InternetApp, FindingKind::Unclassified, kXp, "LAN settings"},
        {Row::InternetApp, FindingKind::ProxySignIn, kXp, "Sign in to the proxy"},
        {Row::InternetApp, FindingKind::UnexpectedPage, kXp, "service may be down"},
        {Row::InternetApp, FindingKind::CertificateUntrusted, kXp, "date, time"},  // after a redirect to https
        {Row::InternetData, FindingKind::Unclassified, kWindows10, "LAN settings"},
        {Row::InternetData, FindingKind::CertificateUntrusted, kWindows10, "date, time"},
        {Row::InternetData, FindingKind::CertificateNameMismatch, kWindows10, "answers in its place"},
        {Row::InternetData, FindingKind::CertificateRevoked, kWindows10, "withdrawn"},
        {Row::InternetData, FindingKind::NoSecureProtocolInCommon, kWindows7, "\"Use TLS 1.2\" in Internet Options > Advanced"},
        {Row::InternetApp, FindingKind::NoSecureProtocolInCommon, kWindows7, "Windows 7 may need its TLS 1.2 update"},
        {Row::InternetApp, FindingKind::NoSecureProtocolInCommon, kWindows10, "If it is on already, send the report"},
        {Row::InternetApp, FindingKind::NoSecureProtocolInCommon, kXp, "\"Use TLS 1.0\" in Internet Options > Advanced"},
        {Row::InternetData, FindingKind::NoSecureProtocolInCommon, kVista, "has no TLS 1.2"},
        {Row::Os, FindingKind::ServicePackTooOld, kXp, "Service Pack 2 or later for this Windows"},
        {Row::Os, FindingKind::Unclassified, kWindows98, "cannot run the Tessary Card client"},
        {Row::Installer, FindingKind::Unclassified, kXp, "Windows Installer 3.1 or later"},
        {Row::DotNet, FindingKind::Unclassified, kXp, "Install the .NET Framework 3.5 SP1"},
        {Row::DotNet, FindingKind::Unclassified, kVista, "Install the .NET Framework 3.5 SP1"},
        {Row::DotNet, FindingKind::Unclassified, kWindows7, "Windows Features"},
        {Row::DotNet, FindingKind::Unclassified, kWindows10, "Windows Features"},  // 6.2 as reported
        {Row::DotNet, FindingKind::FileInPlaceOfFolder, kVista, "A file stands"},
        {Row::DotNet, FindingKind::FileInPlaceOfFolder, kWindows7, "have it removed, then turn on"},
        {Row::MsHtml, FindingKind::Unclassified, kXp, "primary interop assemblies"},
        {Row::MsHtml, FindingKind::FileInPlaceOfFolder, kXp, "primary interop assemblies"},
        {Row::SmartCard, FindingKind::Unclassified, kXp, "Gemplus or GemAlto"},
        {Row::InternetData, FindingKind::ClientTlsRefused, kWindows10,
         "SystemDefaultTlsVersions = 1 (REG_DWORD) under HKLM\\SOFTWARE\\Microsoft\\.NETFramework\\v2.0.50727 and, "
         "on 64-bit Windows, under HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\.NETFramework\\v2.0.50727, then"},
        {Row::InternetData, FindingKind::ClientTlsRefused, kWindows7, "turn on TLS 1.2 for clients in Schannel"},
        {Row::InternetData, FindingKind::ClientTlsRefused, kVista, "SystemDefaultTlsVersions = 1"},
        {Row::InternetData, FindingKind::ClientTlsRefusedWindowsToo, kWindows7, "TLS 1.2\\Client set DisabledByDefault = 0"},
        {Row::InternetData, FindingKind::ClientTlsRefusedWindowsToo, kXp, "needs Windows 7 or later"},
        {Row::InternetData, FindingKind::ClientTlsRefusedWindowsToo, kWindows10, "refuses even the TLS versions Windows"},
        {Row::SmartCard, FindingKind::CouldNotCheck, kXp, "Run the checker again"},
        {Row::Os, FindingKind::CouldNotCheck, kXp, "Run the checker again"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.says) + " for row " + std::to_string(static_cast<int>(c.row)));
        const std::string remedy = Remedy(c.row, Finding{false, "line", c.kind}, c.release);
        EXPECT_NE(remedy.find(c.says), std::string::npos) << remedy;
    }
}

TEST(Remedies, NameTheRowsOwnHostAndNothingForARowThatPassed) {
    const auto host = [](const std::string& url) { return url.substr(url.find("://") + 3, url.find('/', 8) - url.find("://") - 3); };
    const std::string app = Remedy(Row::InternetApp, Finding{false, "", FindingKind::Unclassified}, kXp);
    const std::string data = Remedy(Row::InternetData, Finding{false, "", FindingKind::CertificateNameMismatch}, kXp);
    EXPECT_NE(app.find(host(AppUrl()) + "."), std::string::npos) << app;
    EXPECT_EQ(data.find("{host}"), std::string::npos) << data;
    EXPECT_NE(data.find(host(DataUrl())), std::string::npos) << data;
    EXPECT_EQ(Remedy(Row::DotNet, Finding{true, "folder present", FindingKind::Unclassified}, kXp), "");
}

TEST(Remedies, NameTheIssuerOfACertificateTurnedDownWhereThatHelps) {
    const auto remedy = [](FindingKind kind, const char* issuer) {
        Finding finding{false, "line", kind};
        if (issuer) finding.certificate = CertificateNames{"services.quorvin.example", issuer};
        return Remedy(Row::InternetData, finding, kWindows10);
    };
    for (const FindingKind kind : {FindingKind::CertificateUntrusted, FindingKind::CertificateNameMismatch}) {
        SCOPED_TRACE(static_cast<int>(kind));
        const std::string named = remedy(kind, "Contoso Inspection CA");
        EXPECT_NE(named.find("issued by Contoso Inspection CA: ask your IT department about that product"),
                  std::string::npos) << named;
        EXPECT_EQ(named.find('{'), std::string::npos) << named;
        // Without an issuer it reads as it always did.
        EXPECT_EQ(remedy(kind, ""), remedy(kind, nullptr));
        EXPECT_EQ(remedy(kind, nullptr).find("issued by"), std::string::npos);
        EXPECT_EQ(remedy(kind, "A\r\nB").find('\n'), std::string::npos) << "one line";
    }
    EXPECT_EQ(remedy(FindingKind::CertificateRevoked, "CA"), remedy(FindingKind::CertificateRevoked, nullptr));
}

// A report turns each instruction from the system code page into UTF-8 whole, with the issuer it
// may name: its own words must read the same in every code page, so they are ASCII.
TEST(Remedies, OwnWordsAreAscii) {
    for (int r = 0; r < kRowCount; ++r) {
        for (int k = 0; k < 16; ++k) {  // more kinds than there are; an enum class holds any int
            for (const WindowsRelease& release : {kXp, kVista, kWindows7, kWindows10, kWindows98}) {
                Finding finding{false, "line", static_cast<FindingKind>(k), CertificateNames{"s", "I"}};
                const std::string text = Remedy(static_cast<Row>(r), finding, release);
                for (const char c : text)
                    EXPECT_LT(static_cast<unsigned char>(c), 0x80) << text;
            }
        }
    }
}

// A wrong clock is the commonest cause of a certificate turned down, and on Windows the issuer is
// nearly always known: naming it must not take the link away.
TEST(Remedies, KnowingTheIssuerKeepsTheAction) {
    const FindingKind kinds[] = {FindingKind::CertificateUntrusted, FindingKind::CertificateNameMismatch,
                                 FindingKind::CertificateRevoked, FindingKind::NoSecureProtocolInCommon};
    for (const Row row : {Row::InternetApp, Row::InternetData}) {
        for (const FindingKind kind : kinds) {
            SCOPED_TRACE(static_cast<int>(kind));
            Finding named{false, "line", kind, CertificateNames{"services.quorvin.example", "Contoso Inspection CA"}};
            const Instruction known = InstructionFor(row, named, kWindows10);
            const Instruction unknown = InstructionFor(row, Finding{false, "line", kind}, kWindows10);
            EXPECT_EQ(known.fix, unknown.fix);
        }
        Finding untrusted{false, "line", FindingKind::CertificateUntrusted,
                          CertificateNames{"services.quorvin.example", "Contoso Inspection CA"}};
        EXPECT_EQ(InstructionFor(row, untrusted, kXp).fix, Fix::DateAndTime);
    }
}

}  // namespace
