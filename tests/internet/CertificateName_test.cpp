// The short name a certificate's subject or issuer is told by, from the text WinINet gives.
#include <gtest/gtest.h>

#include "checks/CertificateName.h"

namespace {

TEST(CertificateShortName, PicksTheCommonNameOfEachShapeOfName) {
    const struct {
        const char* what;
        const char* info;
        const char* name;
    } cases[] = {
        {"bare parts, country to common name", "US\r\nWA\r\nContoso Ltd\r\nContoso Inspection CA", "Contoso Inspection CA"},
        {"parts apart by LF only (Wine)", "QTSysCheck tests\nuntrusted", "untrusted"},
        {"one part", "services.quorvin.example", "services.quorvin.example"},
        {"labelled, CN first", "CN=services.quorvin.example\r\nO=Contoso", "services.quorvin.example"},
        {"several CNs: the last", "CN=Root\r\nCN=Contoso Inspection CA\r\nO=Contoso", "Contoso Inspection CA"},
        {"label in any case, blanks around", " cn = host.example \r\nO=Contoso", "host.example"},
        {"no CN: the last with a value", "O=Contoso\r\nOU=Inspection\r\nOU=", "Inspection"},
        {"an empty CN is passed over", "CN=\r\nO=Contoso", "Contoso"},
        {"quoted value with a comma", "US\r\n\"Contoso, Ltd\"", "Contoso, Ltd"},
        {"doubled quotes inside", "O=\"Contoso \"\"Secure\"\", Inc.\"", "Contoso \"Secure\", Inc."},
        {"a quoted '=' is no label", "\"a=b\"", "a=b"},
        {"empty parts around", "\r\n\r\nContoso Inspection CA\r\n\r\n  ", "Contoso Inspection CA"},
        {"no value anywhere: the part as written", " CN=\r\nO=", "CN="},
        {"empty quotes as written", "\"\"", "\"\""},
        {"blank", " \r\n\t", ""},
        {"nothing", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CertificateShortName(c.info), c.name);
    }
}

// Without labels, the common name is told by where it stands: inspecting proxies and CA tools
// store the parts in either order, and some add an e-mail address after the common name.
TEST(CertificateShortName, GuessesTheCommonNameOfUnlabelledParts) {
    const struct {
        const char* what;
        const char* info;
        const char* name;
    } cases[] = {
        {"country first, e-mail last (OpenSSL's usual order)",
         "DE\r\nBerlin\r\nContoso GmbH\r\nContoso Inspection CA\r\nadmin@contoso.example", "Contoso Inspection CA"},
        {"a firewall's own authority, with its support address",
         "US\r\nCalifornia\r\nSunnyvale\r\nFabrikam\r\nCertificate Authority\r\nFG100E4Q17000000\r\n"
         "support@fabrikam.example", "FG100E4Q17000000"},
        {"common name first, country last (a Windows CA)", "Contoso Inspection CA\r\nIT\r\nContoso\r\nUS",
         "Contoso Inspection CA"},
        {"e-mail first, country last", "admin@contoso.example\r\nContoso Inspection CA\r\nContoso\r\nDE",
         "Contoso Inspection CA"},
        {"two parts, country last", "Contoso Inspection CA\r\nUS", "Contoso Inspection CA"},
        {"two parts, country first", "US\r\nContoso Inspection CA", "Contoso Inspection CA"},
        {"a country in small letters", "\"Contoso, Ltd\"\r\nus", "Contoso, Ltd"},
        {"no country: the last that is no address", "Contoso\r\nContoso Inspection CA\r\nca@contoso.example",
         "Contoso Inspection CA"},
        {"an '@' between words is a name", "US\r\nContoso @ Home", "Contoso @ Home"},
        {"only an address", "ca@contoso.example", "ca@contoso.example"},
        // "Firewall CA" in katakana, code page 932: its second character's trail byte is '@'.
        {"a double-byte name with '@' inside", "JP\r\n\x83\x74\x83\x40\x83\x43\x83\x41" "CA\r\nadmin@contoso.example",
         "\x83\x74\x83\x40\x83\x43\x83\x41" "CA"},
        {"only a country", "US", "US"},
        {"two-letter name alone", "\r\nHP\r\n", "HP"},
        {"a labelled CN still wins", "CN=Contoso Inspection CA\r\nE=ca@contoso.example", "Contoso Inspection CA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CertificateShortName(c.info), c.name);
    }
}

}  // namespace
