// CertificateShortName on any name text, as a server's certificate may carry it, and the line
// that names it. Besides running under the sanitizers, each input checks that the chosen name is
// taken from the text (less the quotes around a value and doubled inside it), stays on one line
// without blanks around it, and is empty only for a blank text.
#include <string>

#include "FuzzSupport.h"
#include "checks/CertificateName.h"
#include "checks/FetchFinding.h"

namespace {

std::string WithoutQuotes(std::string_view text) {
    std::string plain;
    for (const char c : text)
        if (c != '"') plain += c;
    return plain;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view info = fuzz::AsText(data, size);
    const std::string name = CertificateShortName(info);

    fuzz::Require(name.find_first_of("\r\n") == std::string::npos, "the name is one line");
    fuzz::Require(name.empty() || (!IsBlank(name.front()) && !IsBlank(name.back())),
                  "no blanks around the name");
    fuzz::Require(WithoutQuotes(info).find(WithoutQuotes(name)) != std::string::npos,
                  "the name is taken from the text");
    bool blank = true;
    for (const char c : info) blank = blank && IsBlank(c);
    fuzz::Require(name.empty() == blank, "a name for every text that is not blank");

    platform::FetchOutcome outcome;
    outcome.failure = platform::FetchFailure::SystemError;
    outcome.systemError = wininet_error::kInvalidCa;
    outcome.certificate = platform::PresentedCertificate{std::string(info), std::string(info), "2027-03-01"};
    const Finding finding = FetchFinding("https://h/p", "m", PageSearch{}, outcome);
    for (const char c : finding.detail)
        fuzz::Require(static_cast<unsigned char>(c) >= 0x20 && c != '\x7F', "the line has no control characters");
    fuzz::Require(finding.certificate && finding.certificate->issuer == name, "the finding carries the name");
    return 0;
}
