#pragma once
// The line that says what an Internet check found: the address (and the one redirects led to),
// then the HTTP status and whether the marker was in the page, or why no page came, in plain
// words ("http://host/path: HTTP 404, "TessaryApp.application" not in the page").
#include <cstdint>
#include <string_view>

#include "Finding.h"
#include "platform/FetchOutcome.h"

// The WinINet error codes that the line puts in words, as WinINet numbers them. Any other code
// is shown by its number.
namespace wininet_error {
inline constexpr std::uint32_t kTimeout = 12002;
inline constexpr std::uint32_t kInvalidUrl = 12005;
inline constexpr std::uint32_t kUnrecognizedScheme = 12006;
inline constexpr std::uint32_t kNameNotResolved = 12007;
inline constexpr std::uint32_t kOperationCancelled = 12017;
inline constexpr std::uint32_t kCannotConnect = 12029;
inline constexpr std::uint32_t kConnectionAborted = 12030;
inline constexpr std::uint32_t kConnectionReset = 12031;
inline constexpr std::uint32_t kSecCertDateInvalid = 12037;
inline constexpr std::uint32_t kSecCertCnInvalid = 12038;
inline constexpr std::uint32_t kClientAuthCertNeeded = 12044;
inline constexpr std::uint32_t kInvalidCa = 12045;
inline constexpr std::uint32_t kSecCertErrors = 12055;
inline constexpr std::uint32_t kSecCertNoRev = 12056;
inline constexpr std::uint32_t kSecCertRevFailed = 12057;
inline constexpr std::uint32_t kInvalidServerResponse = 12152;
inline constexpr std::uint32_t kSecurityChannelError = 12157;
inline constexpr std::uint32_t kDisconnected = 12163;
inline constexpr std::uint32_t kServerUnreachable = 12164;
inline constexpr std::uint32_t kProxyServerUnreachable = 12165;
inline constexpr std::uint32_t kSecInvalidCert = 12169;
inline constexpr std::uint32_t kSecCertRevoked = 12170;
}  // namespace wininet_error

// What fetching a page and looking for the marker in it came to.
struct PageSearch {
    bool fetched = false;      // the fetch reported success
    bool markerFound = false;  // the marker was in what arrived
    // The check's verdict: the page arrived and holds the marker.
    bool Passed() const { return fetched && markerFound; }
};

// The finding of one Internet check of `url` for `marker`: the verdict is search.Passed(); the
// line says what came back, from `outcome` (the fetch's account of itself). When redirects
// ended at another address, the line names both: "URL -> FINAL: ...". A page without the marker
// that a proxy sent asking for a sign-in (HTTP 407) is said in those words. A fetch that could
// not run here at all (WinINet did not start, or it was cancelled) makes a "Could not check: "
// line. A fetch that failed on the server's certificate names it after the failure words
// ("certificate not trusted: issued to HOST by ISSUER, valid until 2027-03-01"), and the finding
// carries it. Control characters in the addresses and `marker` are shown as '?', so the line stays
// one line.
Finding FetchFinding(std::string_view url, std::string_view marker, const PageSearch& search,
                     const platform::FetchOutcome& outcome);
