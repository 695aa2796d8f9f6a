#pragma once
// A handshake-only TLS probe: what it is to do and what it saw. Portable; no Windows here.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct Endpoint {
    std::string host;  // a name, an IPv4 address, or an IPv6 address without its brackets
    std::uint16_t port = 0;
};

// The way a connection leaves the PC, as WinINet's requests do under the Internet settings.
enum class ProbeWay { Unknown, Direct, Proxy, AutoDetect, AutoConfigScript };

struct ProbeRequest {
    Endpoint target;                 // the service
    ProbeWay way = ProbeWay::Unknown;
    std::optional<Endpoint> proxy;   // for ProbeWay::Proxy
    std::string url;                 // for the script or detection to choose a proxy by
    std::string autoConfigUrl;       // the script, for ProbeWay::AutoConfigScript
    std::uint32_t protocols = 0;     // SCHANNEL_CRED.grbitEnabledProtocols; 0: Windows' own set
    std::chrono::milliseconds limit{0};  // for everything: lookup, connection, CONNECT, handshake
};

// The step of the probe that was under way when it ended.
enum class ProbeStep { Route, Lookup, Connect, ProxyTunnel, Handshake };

// What the probe saw, as facts; the verdict is drawn from them elsewhere (ClassifyHandshake),
// never from one error code, since Windows and Wine give different codes for the same refusal.
struct HandshakeTrace {
    ProbeStep step = ProbeStep::Route;
    bool finished = false;           // the handshake completed
    std::uint32_t protocol = 0;      // dwProtocol agreed, when finished
    bool timedOut = false;
    bool cancelled = false;
    std::uint32_t error = 0;         // Winsock error or SECURITY_STATUS of the step that failed
    bool helloSent = false;          // the client's hello went out
    // The content type of the first TLS record the server sent (21 alert, 22 handshake).
    std::optional<std::uint8_t> firstRecordType{};
    bool peerClosed = false;         // the other end closed or reset the connection in that step
    std::uint32_t proxyStatus = 0;   // the proxy's answer to CONNECT; 0: none or not valid
    std::string missing{};           // the part of Windows that could not be had, or no proxy known
};

}  // namespace platform
