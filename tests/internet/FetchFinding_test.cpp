// The line an Internet check writes: what came back, or why nothing did, for each way a fetch
// can end.
#include "checks/FetchFinding.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using platform::FetchFailure;
using platform::FetchOutcome;

const std::string kUrl = "http://www.example.test/install/publish.htm";
const std::string kMarker = "TessaryApp.application";

FetchOutcome Status(std::uint32_t status, std::string finalUrl = {}) {
    return {FetchFailure::None, status, 0, 60s, std::move(finalUrl)};
}

FetchOutcome Failed(FetchFailure failure, std::uint32_t status = 0, std::uint32_t code = 0,
                    std::chrono::milliseconds limit = 60s, std::string finalUrl = {}) {
    return {failure, status, code, limit, std::move(finalUrl)};
}

Finding NoPage(const FetchOutcome& outcome) {
    return FetchFinding(kUrl, kMarker, PageSearch{false, false}, outcome);
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// ---- a page came ----

TEST(FetchFindingPage, SaysTheStatusAndThatTheMarkerWasFound) {
    const Finding f = FetchFinding(kUrl, kMarker, {true, true}, Status(200));
    EXPECT_TRUE(f.passed);
    EXPECT_EQ(f.detail, kUrl + ": HTTP 200, \"" + kMarker + "\" found");
    EXPECT_EQ(FetchFinding(kUrl, kMarker, {true, true}, Status(200, "https://h/p")).detail,
              kUrl + " -> https://h/p: HTTP 200, \"" + kMarker + "\" found");
}

TEST(FetchFindingPage, AnErrorPageWithoutTheMarkerSaysSo) {
    const Finding f = FetchFinding(kUrl, kMarker, {true, false}, Status(404));
    EXPECT_FALSE(f.passed);
    EXPECT_EQ(f.detail, kUrl + ": HTTP 404, \"" + kMarker + "\" not in the page");
    EXPECT_EQ(FetchFinding(kUrl, kMarker, {true, false}, Status(407)).detail,
              kUrl + ": the proxy asks for a sign-in (HTTP 407)");
    EXPECT_EQ(FetchFinding(kUrl, kMarker, {true, true}, Status(407)).detail,
              kUrl + ": HTTP 407, \"" + kMarker + "\" found");
}

TEST(FetchFindingPage, WithoutAStatusOnlyTheMarkerIsMentioned) {
    EXPECT_EQ(FetchFinding(kUrl, kMarker, {true, true}, Status(0)).detail,
              kUrl + ": \"" + kMarker + "\" found");
}

// The verdict is the search's, whatever the fetch says about itself.
TEST(FetchFindingPage, TheVerdictIsFetchedAndFound) {
    for (bool fetched : {false, true})
        for (bool found : {false, true})
            for (const FetchOutcome& outcome : {Status(200), Failed(FetchFailure::TimedOut, 200),
                                                Failed(FetchFailure::Cancelled)})
                EXPECT_EQ(FetchFinding(kUrl, kMarker, {fetched, found}, outcome).passed,
                          fetched && found)
                    << fetched << found;
}

// ---- no page ----

TEST(FetchFindingFailure, NamesWinInetsCommonReasonsInPlainWords) {
    namespace e = wininet_error;
    const struct {
        std::uint32_t code;
        std::string words;
    } cases[] = {
        {e::kNameNotResolved, "host name not resolved"},
        {e::kCannotConnect, "connection refused or server unreachable"},
        {e::kConnectionAborted, "connection aborted"},
        {e::kConnectionReset, "connection reset by the server"},
        {e::kInvalidServerResponse, "invalid response from the server"},
        {e::kInvalidCa, "certificate not trusted"},
        {e::kSecInvalidCert, "certificate not trusted"},
        {e::kSecCertErrors, "certificate not trusted"},
        {e::kSecCertCnInvalid, "certificate name does not match the server"},
        {e::kSecCertDateInvalid, "certificate expired or not yet valid"},
        {e::kSecCertRevoked, "certificate revoked"},
        {e::kSecCertRevFailed, "certificate not trusted (revocation could not be checked)"},
        {e::kSecurityChannelError, "this PC and the server have no secure protocol (TLS) in common"},
        {e::kProxyServerUnreachable, "proxy server unreachable"},
    };
    for (const auto& c : cases) {
        const Finding f = NoPage(Failed(FetchFailure::SystemError, 0, c.code));
        EXPECT_FALSE(f.passed);
        EXPECT_EQ(f.detail, kUrl + ": " + c.words) << c.code;
    }
}

TEST(FetchFindingFailure, AnUnknownCodeIsShownByItsNumber) {
    EXPECT_EQ(NoPage(Failed(FetchFailure::SystemError, 0, 12345)).detail, kUrl + ": error 12345");
    EXPECT_EQ(NoPage(Failed(FetchFailure::SystemError, 0, 5)).detail, kUrl + ": error 5");
}

TEST(FetchFindingFailure, AFailureAfterTheStatusSaysTheResponseBrokeOff) {
    const FetchOutcome reset =
        Failed(FetchFailure::SystemError, 200, wininet_error::kConnectionReset);
    EXPECT_EQ(NoPage(reset).detail, kUrl + ": HTTP 200, then connection reset by the server");
}

TEST(FetchFindingFailure, RedirectsThatAreNotFollowedSayWhy) {
    EXPECT_EQ(NoPage(Failed(FetchFailure::RedirectRefused, 302)).detail,
              kUrl + ": HTTP 302, redirect to an insecure or non-web address not followed");
    EXPECT_EQ(NoPage(Failed(FetchFailure::TooManyRedirects, 301)).detail,
              kUrl + ": HTTP 301, too many redirects");
    EXPECT_EQ(NoPage(Failed(FetchFailure::InvalidResponse, 302)).detail,
              kUrl + ": HTTP 302, redirect to an address that makes no sense");
    // Followed, then the target refused: the line names the address that failed.
    const FetchOutcome refused = Failed(FetchFailure::SystemError, 0,
                                        wininet_error::kCannotConnect, 60s, "https://h/p");
    EXPECT_EQ(NoPage(refused).detail,
              kUrl + " -> https://h/p: connection refused or server unreachable");
}

TEST(FetchFindingFailure, AServerThatSendsNoHttpOrAnAddressOfAnotherKind) {
    EXPECT_EQ(NoPage(Failed(FetchFailure::InvalidResponse)).detail,
              kUrl + ": no valid HTTP answer from the server");
    EXPECT_EQ(FetchFinding("ftp://h/p", kMarker, {}, Failed(FetchFailure::UnsupportedAddress))
                  .detail,
              "ftp://h/p: not an http:// or https:// address");
}

// ---- time ----

TEST(FetchFindingTimeout, SaysTheLimitTheFetchRanUnder) {
    EXPECT_EQ(NoPage(Failed(FetchFailure::TimedOut, 0, 0, 60s)).detail,
              kUrl + ": no answer within 60 seconds");
    EXPECT_EQ(NoPage(Failed(FetchFailure::TimedOut, 0, 0, 1500ms)).detail,
              kUrl + ": no answer within 1.5 seconds");
    EXPECT_EQ(NoPage(Failed(FetchFailure::TimedOut, 0, 0, 1s)).detail,
              kUrl + ": no answer within 1 second");
    EXPECT_EQ(NoPage(Failed(FetchFailure::TimedOut, 0, 0, 2960ms)).detail,
              kUrl + ": no answer within 3 seconds");
}

TEST(FetchFindingTimeout, WinInetsOwnTimeoutReadsTheSame) {
    for (std::uint32_t status : {0u, 200u})
        EXPECT_EQ(NoPage(Failed(FetchFailure::SystemError, status, wininet_error::kTimeout, 20s))
                      .detail,
                  NoPage(Failed(FetchFailure::TimedOut, status, 0, 20s)).detail);
}

TEST(FetchFindingTimeout, APageThatStartedButDidNotFinishSaysSo) {
    EXPECT_EQ(NoPage(Failed(FetchFailure::TimedOut, 200, 0, 60s)).detail,
              kUrl + ": HTTP 200, page not complete within 60 seconds");
}

// ---- could not look ----

TEST(FetchFindingCouldNotCheck, CancellingOrNoWinInetIsNoVerdictOnTheWayToThePage) {
    const Finding cancelled = NoPage(Failed(FetchFailure::Cancelled, 200));
    EXPECT_FALSE(cancelled.passed);
    EXPECT_EQ(cancelled.detail, std::string(kCouldNotCheck) + kUrl + ": cancelled");

    const Finding noWinInet = NoPage(Failed(FetchFailure::Unavailable, 0, 8));
    EXPECT_EQ(noWinInet.detail, std::string(kCouldNotCheck) + kUrl +
                                    ": the Internet functions of Windows did not start (error 8)");
    EXPECT_TRUE(StartsWith(NoPage(Failed(FetchFailure::Unavailable)).detail,
                           std::string(kCouldNotCheck)));
}

TEST(FetchFindingCouldNotCheck, AnUnmetRequirementIsNotMistakenForOne) {
    const std::vector<FetchOutcome> looked = {
        Failed(FetchFailure::SystemError, 0, wininet_error::kNameNotResolved),
        Failed(FetchFailure::TimedOut), Failed(FetchFailure::RedirectRefused, 302),
        Failed(FetchFailure::InvalidResponse), Failed(FetchFailure::UnsupportedAddress)};
    for (const FetchOutcome& outcome : looked)
        EXPECT_TRUE(StartsWith(NoPage(outcome).detail, kUrl)) << NoPage(outcome).detail;
    EXPECT_TRUE(StartsWith(FetchFinding(kUrl, kMarker, {true, false}, Status(404)).detail, kUrl));
}

// ---- what to do, and which way ----

TEST(FetchFindingKind, SaysWhereTheFetchFailedSoTheRightInstructionIsChosen) {
    namespace e = wininet_error;
    const struct {
        PageSearch search;
        FetchOutcome outcome;
        FindingKind kind;
    } cases[] = {
        {{true, true}, Status(200), FindingKind::Unclassified},
        {{true, false}, Status(404), FindingKind::UnexpectedPage},
        {{true, false}, Status(407), FindingKind::ProxySignIn},
        {{}, Failed(FetchFailure::SystemError, 0, e::kNameNotResolved), FindingKind::Unclassified},
        {{}, Failed(FetchFailure::TimedOut), FindingKind::Unclassified},
        {{}, Failed(FetchFailure::SystemError, 0, e::kInvalidCa), FindingKind::CertificateUntrusted},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecCertDateInvalid), FindingKind::CertificateUntrusted},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecInvalidCert), FindingKind::CertificateUntrusted},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecCertErrors), FindingKind::CertificateUntrusted},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecCertNoRev), FindingKind::CertificateUntrusted},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecCertRevFailed), FindingKind::CertificateUntrusted},
        // No protocol or cipher in common: this PC's TLS settings, not the certificate or the clock.
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecurityChannelError), FindingKind::NoSecureProtocolInCommon},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecCertCnInvalid), FindingKind::CertificateNameMismatch},
        {{}, Failed(FetchFailure::SystemError, 0, e::kSecCertRevoked), FindingKind::CertificateRevoked},
        {{}, Failed(FetchFailure::RedirectRefused, 302), FindingKind::UnexpectedPage},
        {{}, Failed(FetchFailure::InvalidResponse), FindingKind::UnexpectedPage},
        {{}, Failed(FetchFailure::Cancelled), FindingKind::CouldNotCheck},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FetchFinding(kUrl, kMarker, c.search, c.outcome).kind, c.kind)
            << FetchFinding(kUrl, kMarker, c.search, c.outcome).detail;
}

TEST(FetchFindingRoute, EndsWithTheWayTheRequestLeftThePc) {
    FetchOutcome viaProxy = Status(200);
    viaProxy.proxy = {true, false, "", true, "http=web:80;https=secure:443", ""};
    EXPECT_EQ(FetchFinding(kUrl, kMarker, {true, true}, viaProxy).detail,
              kUrl + ": HTTP 200, \"" + kMarker + "\" found (through proxy web:80)");
    // After a redirect to https, the way of the request that came last.
    viaProxy.finalUrl = "https://h/p";
    EXPECT_EQ(FetchFinding(kUrl, kMarker, {true, false}, viaProxy).detail,
              kUrl + " -> https://h/p: HTTP 200, \"" + kMarker + "\" not in the page (through proxy secure:443)");
    FetchOutcome direct = Failed(FetchFailure::SystemError, 0, wininet_error::kNameNotResolved);
    direct.proxy.known = true;
    EXPECT_EQ(NoPage(direct).detail, kUrl + ": host name not resolved (direct)");
}

// ---- the certificate a secure connection was turned down for ----

TEST(FetchFindingCertificate, NamesWhoItWasIssuedToAndByAfterTheFailureWords) {
    const platform::PresentedCertificate inspected{"US\r\nservices.quorvin.example",
                                                   "Contoso\r\nContoso Inspection CA", "2027-03-01"};
    const struct {
        const char* what;
        FetchOutcome outcome;
        platform::PresentedCertificate certificate;
        std::string line;  // after "URL: "
    } cases[] = {
        {"not trusted", Failed(FetchFailure::SystemError, 0, 12045), inspected,
         "certificate not trusted: issued to services.quorvin.example by Contoso Inspection CA, valid until 2027-03-01"},
        {"another name", Failed(FetchFailure::SystemError, 0, 12038), inspected,
         "certificate name does not match the server: issued to services.quorvin.example by Contoso Inspection CA, valid until 2027-03-01"},
        {"no expiry", Failed(FetchFailure::SystemError, 0, 12057), {"h", "CA", ""},
         "certificate not trusted (revocation could not be checked): issued to h by CA"},
        {"issuer only", Failed(FetchFailure::SystemError, 0, 12037), {"", "CA", "2020-01-31"},
         "certificate expired or not yet valid: issued by CA, valid until 2020-01-31"},
        {"names on one line", Failed(FetchFailure::SystemError, 0, 12045), {"a\tb", "C\x7f", ""},
         "certificate not trusted: issued to a?b by C?"},
        {"nothing read", Failed(FetchFailure::SystemError, 0, 12045), {"", "", ""}, "certificate not trusted"},
        {"not a failure at the certificate", Failed(FetchFailure::TimedOut, 0, 0, 2s), inspected,
         "no answer within 2 seconds"},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        c.outcome.certificate = c.certificate;
        const Finding f = NoPage(c.outcome);
        EXPECT_EQ(f.detail, kUrl + ": " + c.line);
        EXPECT_EQ(f.certificate.has_value(), c.outcome.failure == FetchFailure::SystemError);
    }
    FetchOutcome untrusted = Failed(FetchFailure::SystemError, 0, 12045);
    untrusted.certificate = inspected;
    const Finding f = NoPage(untrusted);
    ASSERT_TRUE(f.certificate);
    EXPECT_EQ(f.certificate->subject, "services.quorvin.example");
    EXPECT_EQ(f.certificate->issuer, "Contoso Inspection CA");
    EXPECT_EQ(f.certificate->validUntil, "2027-03-01");
    EXPECT_FALSE(NoPage(Failed(FetchFailure::SystemError, 0, 12045)).certificate);
}

// ---- one line ----

TEST(FetchFindingLine, ControlCharactersInTheAddressOrMarkerStayOnOneLine) {
    const Finding f =
        FetchFinding("http://h/a\r\nb\tc\x7f", "mark\ner", {true, false}, Status(200));
    EXPECT_EQ(f.detail, "http://h/a??b?c?: HTTP 200, \"mark?er\" not in the page");
    EXPECT_EQ(FetchFinding("http://h/", "m", {true, true}, Status(200, "https://h/\r\n")).detail,
              "http://h/ -> https://h/??: HTTP 200, \"m\" found");
}

}  // namespace
