#pragma once
// The secure row: WinINet's fetch of the web service, then, once that reached the service, a
// handshake that offers exactly the TLS versions the client offers on this PC, going the way the
// fetch went. Portable: the fetch and the probe come in.
#include <chrono>
#include <concepts>
#include <optional>
#include <string>

#include "ClientTls.h"
#include "InternetChecks.h"
#include "ProxyRoute.h"
#include "platform/ProxyTunnel.h"
#include "platform/SteadyClock.h"

using platform::ProbeRequest;

// platform::TlsProbe in the program.
template <typename Probe>
concept HandshakeProbe = requires(Probe& probe, const ProbeRequest& request) {
    { probe.Handshake(request) } -> std::convertible_to<HandshakeTrace>;
};

// The whole probe's time limit.
inline constexpr std::chrono::milliseconds kClientTlsLimit{std::chrono::seconds(10)};

// The fetch reached the service: an HTTP answer came, and not the proxy's own sign-in page.
inline bool ReachedService(const platform::FetchOutcome& outcome) {
    return outcome.status != 0 && outcome.status != 407;
}

// The probe's request for the address the fetch ended at, going the way the fetch went; none when
// the address or the proxy setting names nothing to connect to.
inline std::optional<ProbeRequest> ProbeRequestFor(const std::string& url, const platform::FetchOutcome& outcome,
                                                   std::uint32_t protocols, std::chrono::milliseconds limit) {
    const std::string& last = outcome.finalUrl.empty() ? url : outcome.finalUrl;
    const std::optional<platform::Endpoint> target = platform::UrlEndpoint(last);
    if (!target) return std::nullopt;
    ProbeRequest request{*target, platform::ProbeWay::Unknown, std::nullopt, last, outcome.proxy.autoConfigUrl,
                         protocols, limit};
    const ProxyChoice choice = ProxyChoiceFor(outcome.proxy, last);
    switch (choice.way) {
    case ProxyChoice::Way::Unknown: request.way = platform::ProbeWay::Unknown; break;
    case ProxyChoice::Way::Direct: request.way = platform::ProbeWay::Direct; break;
    case ProxyChoice::Way::AutoDetect: request.way = platform::ProbeWay::AutoDetect; break;
    case ProxyChoice::Way::AutoConfigScript: request.way = platform::ProbeWay::AutoConfigScript; break;
    case ProxyChoice::Way::Proxy:
        request.way = platform::ProbeWay::Proxy;
        request.proxy = platform::ParseEndpoint(choice.proxy, 80);
        if (!request.proxy) return std::nullopt;
        break;
    }
    return request;
}

// UrlFinding for the secure row, with the client's handshake. When the fetch did not reach the
// service, the finding is the fetch's alone. A refusal of the
// client's versions is followed by a second handshake offering Windows' own, to tell the remedy
// whether the setting alone will do; both share the one time limit.
template <DescribedUrlFetch Fetch, HandshakeProbe Probe>
Finding SecureUrlFinding(const std::string& url, const std::string& marker, Fetch& fetch, Probe& probe,
                         const OfferedSet& set, std::chrono::milliseconds limit = kClientTlsLimit) noexcept {
    Finding finding = UrlFinding(url, marker, fetch);
    try {
        const platform::FetchOutcome& outcome = fetch.LastOutcome();
        if (!ReachedService(outcome)) return finding;
        const std::optional<ProbeRequest> request = ProbeRequestFor(url, outcome, set.protocols, limit);
        if (!request)
            return WithClientTls(finding, {set.offered, std::nullopt, ClientTlsResult::NotChecked,
                                           "the proxy in the Internet settings is not one to connect to"}, false);
        const auto start = platform::SteadyClock::now();
        const HandshakeTrace trace = probe.Handshake(*request);
        const ClientTlsNote note = ClassifyHandshake(set, trace, limit);
        bool windowsSetRefused = set.protocols == sp_prot::kWindowsDefaults;
        if (note.result == ClientTlsResult::Refused && !windowsSetRefused) {
            ProbeRequest second = *request;
            second.protocols = sp_prot::kWindowsDefaults;
            second.limit = limit - std::chrono::duration_cast<std::chrono::milliseconds>(
                                       platform::SteadyClock::now() - start);
            if (second.limit.count() > 0) {
                const OfferedSet windowsSet{sp_prot::kWindowsDefaults, {}, {}};
                windowsSetRefused =
                    ClassifyHandshake(windowsSet, probe.Handshake(second), limit).result == ClientTlsResult::Refused;
            }
        }
        return WithClientTls(finding, note, note.result == ClientTlsResult::Refused && windowsSetRefused);
    } catch (...) {
        // The probe broke down inside this program: the fetch's verdict stands.
        try {
            return WithClientTls(finding, {set.offered, std::nullopt, ClientTlsResult::NotChecked,
                                           "the check failed inside this program"}, false);
        } catch (...) {
            return finding;
        }
    }
}

// DataUrlFinding with the client's handshake: the secure row's finding.
template <DescribedUrlFetch Fetch, HandshakeProbe Probe>
Finding DataUrlClientFinding(Fetch& fetch, Probe& probe, const OfferedSet& set) noexcept {
    try {
        return SecureUrlFinding(DataUrl(), std::string(kDataMarker), fetch, probe, set);
    } catch (...) {
        return BrokeDown("the secure web service");
    }
}
