#include "FetchFinding.h"

#include <chrono>
#include <optional>
#include <string>
#include <utility>

#include "CertificateName.h"
#include "ProxyRoute.h"

namespace {

using platform::FetchFailure;
using platform::FetchOutcome;

constexpr std::uint32_t kProxyAuthenticationRequired = 407;

// The text as it is, but one line: control characters become '?'.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
    return line;
}

// "60 seconds", "1 second", "1.5 seconds": the limit to a tenth of a second.
std::string Seconds(std::chrono::milliseconds limit) {
    const long long ms = limit.count() < 0 ? 0 : static_cast<long long>(limit.count());
    const long long tenths = ms / 100 + (ms % 100 >= 50 ? 1 : 0);
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return text + (tenths == 10 ? " second" : " seconds");
}

std::string NoAnswerWithin(const FetchOutcome& outcome) {
    return (outcome.status != 0 ? "page not complete within " : "no answer within ") +
           Seconds(outcome.limit);
}

// WinINet's reason in plain words; empty for a code it has none for.
std::string_view SystemErrorWords(std::uint32_t code) {
    namespace e = wininet_error;
    switch (code) {
    case e::kNameNotResolved: return "host name not resolved";
    case e::kCannotConnect: return "connection refused or server unreachable";
    case e::kConnectionAborted: return "connection aborted";
    case e::kConnectionReset: return "connection reset by the server";
    case e::kInvalidServerResponse: return "invalid response from the server";
    case e::kInvalidCa:
    case e::kSecInvalidCert:
    case e::kSecCertErrors: return "certificate not trusted";
    case e::kSecCertCnInvalid: return "certificate name does not match the server";
    case e::kSecCertDateInvalid: return "certificate expired or not yet valid";
    case e::kSecCertRevoked: return "certificate revoked";
    // Windows could not learn whether the certificate was withdrawn, so does not trust it.
    // (Wine also reports a certificate from an unknown authority this way.)
    case e::kSecCertNoRev:
    case e::kSecCertRevFailed: return "certificate not trusted (revocation could not be checked)";
    case e::kSecurityChannelError: return "this PC and the server have no secure protocol (TLS) in common";
    case e::kClientAuthCertNeeded: return "the server asks for a client certificate";
    case e::kDisconnected: return "no network connection";
    case e::kServerUnreachable: return "server unreachable";
    case e::kProxyServerUnreachable: return "proxy server unreachable";
    case e::kInvalidUrl: return "not a valid address";
    case e::kUnrecognizedScheme: return "not an http:// or https:// address";
    case e::kOperationCancelled: return "cancelled";
    default: return {};
    }
}

std::string SystemErrorText(const FetchOutcome& outcome) {
    if (outcome.systemError == wininet_error::kTimeout) return NoAnswerWithin(outcome);
    const std::string_view words = SystemErrorWords(outcome.systemError);
    return words.empty() ? "error " + std::to_string(outcome.systemError) : std::string(words);
}

// Why a page that was looked for did not come.
std::string FailureText(const FetchOutcome& outcome) {
    switch (outcome.failure) {
    case FetchFailure::UnsupportedAddress: return "not an http:// or https:// address";
    case FetchFailure::SystemError: return SystemErrorText(outcome);
    case FetchFailure::TimedOut: return NoAnswerWithin(outcome);
    case FetchFailure::RedirectRefused:
        return "redirect to an insecure or non-web address not followed";
    case FetchFailure::TooManyRedirects: return "too many redirects";
    case FetchFailure::InvalidResponse:
        return outcome.status != 0 ? "redirect to an address that makes no sense"
                                   : "no valid HTTP answer from the server";
    case FetchFailure::None:
    case FetchFailure::Unavailable:
    case FetchFailure::Cancelled: break;
    }
    return "the fetch failed";
}

// "URL: ", or "URL -> FINAL: " when redirects ended elsewhere: support staff see where the page
// came from, or where the fetch failed.
std::string Where(std::string_view url, const FetchOutcome& outcome) {
    std::string where = OneLine(url);
    if (!outcome.finalUrl.empty() && outcome.finalUrl != url)
        where += " -> " + OneLine(outcome.finalUrl);
    return where + ": ";
}

// What to do about a fetch that failed depends on where it failed: on the way (Unclassified: the
// network, the proxy, a firewall), at the certificate, or at a page that was not the one asked for.
FindingKind FailureKind(const FetchOutcome& outcome) {
    namespace e = wininet_error;
    switch (outcome.failure) {
    case FetchFailure::SystemError:
        switch (outcome.systemError) {
        case e::kInvalidCa:
        case e::kSecInvalidCert:
        case e::kSecCertErrors:
        case e::kSecCertNoRev:
        case e::kSecCertRevFailed:
        case e::kSecCertDateInvalid: return FindingKind::CertificateUntrusted;
        // Schannel found no protocol version or cipher both sides speak: settings of this PC
        // (TLS 1.2 turned off, or not yet in it), not its clock.
        case e::kSecurityChannelError: return FindingKind::NoSecureProtocolInCommon;
        case e::kSecCertCnInvalid: return FindingKind::CertificateNameMismatch;
        case e::kSecCertRevoked: return FindingKind::CertificateRevoked;
        case e::kClientAuthCertNeeded:
        case e::kInvalidServerResponse: return FindingKind::UnexpectedPage;
        default: return FindingKind::Unclassified;
        }
    case FetchFailure::UnsupportedAddress:
    case FetchFailure::RedirectRefused:
    case FetchFailure::TooManyRedirects:
    case FetchFailure::InvalidResponse: return FindingKind::UnexpectedPage;
    case FetchFailure::None:
    case FetchFailure::Unavailable:
    case FetchFailure::TimedOut:
    case FetchFailure::Cancelled: break;
    }
    return FindingKind::Unclassified;
}

// " (direct)", " (through proxy HOST:PORT)" ...: how the request for the page that came last left
// the PC; nothing when the settings could not be read.
std::string Route(std::string_view url, const FetchOutcome& outcome) {
    const std::string route = RouteFor(outcome.proxy, outcome.finalUrl.empty() ? url : outcome.finalUrl);
    return route.empty() ? std::string() : " (" + OneLine(route) + ")";
}

// "HTTP 404, " when a status came; nothing otherwise.
std::string StatusPrefix(const FetchOutcome& outcome) {
    return outcome.status != 0 ? "HTTP " + std::to_string(outcome.status) + ", " : std::string();
}

// The certificate the secure connection failed on, by its short names; none when the fetch did
// not fail on one or it could not be read.
std::optional<CertificateNames> Certificate(const FetchOutcome& outcome) {
    if (outcome.failure != FetchFailure::SystemError || !outcome.certificate) return std::nullopt;
    const platform::PresentedCertificate& presented = *outcome.certificate;
    return CertificateNames{CertificateShortName(presented.subjectInfo),
                            CertificateShortName(presented.issuerInfo), presented.validUntil};
}

// ": issued to SUBJECT by ISSUER, valid until DATE", of what is known; nothing without a certificate.
std::string CertificateText(const std::optional<CertificateNames>& certificate) {
    if (!certificate) return {};
    std::string text;
    if (!certificate->subject.empty()) text += "issued to " + OneLine(certificate->subject);
    if (!certificate->issuer.empty())
        text += (text.empty() ? "issued by " : " by ") + OneLine(certificate->issuer);
    if (!certificate->validUntil.empty())
        text += (text.empty() ? "valid until " : ", valid until ") + OneLine(certificate->validUntil);
    return text.empty() ? text : ": " + text;
}

}  // namespace

Finding FetchFinding(std::string_view url, std::string_view marker, const PageSearch& search,
                     const platform::FetchOutcome& outcome) {
    const std::string where = Where(url, outcome);
    const std::string route = Route(url, outcome);
    if (search.fetched) {
        // The proxy's own page, not the one asked for: "not in the page" would mislead.
        if (!search.markerFound && outcome.status == kProxyAuthenticationRequired)
            return {search.Passed(), where + "the proxy asks for a sign-in (HTTP 407)" + route,
                    FindingKind::ProxySignIn};
        const std::string quoted = "\"" + OneLine(marker) + "\"";
        return {search.Passed(),
                where + StatusPrefix(outcome) + quoted + (search.markerFound ? " found" : " not in the page") + route,
                search.Passed() ? FindingKind::Unclassified : FindingKind::UnexpectedPage};
    }
    // Failures of this PC rather than of the way to the page: nothing was looked at.
    if (outcome.failure == FetchFailure::Cancelled) return CouldNotCheck(where + "cancelled");
    if (outcome.failure == FetchFailure::Unavailable)
        return CouldNotCheck(where + "the Internet functions of Windows did not start" +
                             (outcome.systemError != 0
                                  ? " (error " + std::to_string(outcome.systemError) + ")"
                                  : std::string()));
    // A status before a failure is a response that broke off ("HTTP 200, then connection reset
    // by the server"), a page that did not finish in time, or a redirect that was not followed.
    std::string said = StatusPrefix(outcome);
    if (!said.empty() && outcome.failure == FetchFailure::SystemError &&
        outcome.systemError != wininet_error::kTimeout)
        said += "then ";
    std::optional<CertificateNames> certificate = Certificate(outcome);
    std::string line = where + said + FailureText(outcome) + CertificateText(certificate) + route;
    return {false, std::move(line), FailureKind(outcome), std::move(certificate)};
}
