#pragma once
// How one fetch went, in terms a person can be told: the last HTTP status seen, the address
// redirects led it to, the way the request left the PC and, when the fetch failed, why. Portable; no Windows here.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "ProxySettings.h"

namespace platform {

enum class FetchFailure {
    None,                // the body was passed on (to its end, or until the reader had enough)
    UnsupportedAddress,  // not an http:// or https:// address
    Unavailable,         // the fetch could not run on this PC: WinINet or its thread did not start
    SystemError,         // WinINet or Windows reported `systemError` (no route, TLS, reset ...)
    TimedOut,            // the time limit passed first
    Cancelled,           // cancelled before it ended
    RedirectRefused,     // a redirect to an insecure or non-web address was not followed
    TooManyRedirects,    // more redirects than a fetch follows
    InvalidResponse,     // no valid HTTP answer, or a redirect to an address that makes no sense
};

// The certificate a server presented, read from a secure connection that failed on it.
struct PresentedCertificate {
    std::string subjectInfo;   // as WinINet gives the names: their parts separated by CR LF
    std::string issuerInfo;
    std::string validUntil{};  // "YYYY-MM-DD" (UTC); empty when not given
};

struct FetchOutcome {
    FetchFailure failure = FetchFailure::None;
    // HTTP status of the last response, 0 if the address last asked for gave none
    std::uint32_t status = 0;
    std::uint32_t systemError = 0;  // WinINet/Windows error code for SystemError and Unavailable
    std::chrono::milliseconds limit{0};  // the time limit the fetch ran under
    // The address last asked for once a redirect was followed (where the page came from, or
    // where the fetch failed); empty when no redirect was followed.
    std::string finalUrl{};
    // The Internet settings WinINet sent the request by, read when the fetch started.
    ProxySettings proxy{};
    // When the fetch failed on the server's certificate: that certificate, where it could be read.
    std::optional<PresentedCertificate> certificate{};
};

}  // namespace platform
