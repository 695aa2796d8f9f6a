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

}  // namespace
