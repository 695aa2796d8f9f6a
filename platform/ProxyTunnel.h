#pragma once
// The texts of a tunnel through an HTTP proxy (RFC 9110 CONNECT) for the client TLS probe, and the
// host and port of an address or of a proxy as Windows names them. Portable; no Windows here.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "HandshakeTrace.h"

namespace platform {

// "host:port", "[::1]:port", "http://host:port/" or a bare host (then `defaultPort`); nothing for
// an empty host or a port that is not a number from 1 to 65535.
inline std::optional<Endpoint> ParseEndpoint(std::string_view text, std::uint16_t defaultPort);

// The host and port of an http:// or https:// address (80 and 443 unless it names one).
inline std::optional<Endpoint> UrlEndpoint(std::string_view url);

// The first proxy of a list as WinHTTP gives it for an address ("host:port; other:port", entries
// maybe with "https=" or "http://" before them), for https; nothing for an empty list. A proxy
// without a port is on 80.
inline std::optional<Endpoint> FirstProxy(std::string_view list);

// "CONNECT host:port HTTP/1.1" with its Host line and the blank line.
inline std::string ConnectRequest(const Endpoint& target);

// What has arrived of the proxy's answer to CONNECT so far.
struct ConnectReply {
    bool complete = false;      // the head has ended (blank line)
    bool valid = false;         // the head starts with an "HTTP/1.x NNN" status line
    std::uint32_t status = 0;   // its status, when valid
    std::size_t headLength = 0; // bytes of the head, blank line included, when complete
};

// The longest head a proxy may send before the answer is taken as no valid answer.
inline constexpr std::size_t kLongestConnectReply = 16 * 1024;

inline ConnectReply ParseConnectReply(std::string_view received);

namespace tunnel_detail {

inline bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

inline std::optional<std::uint16_t> Port(std::string_view text) {
    if (!AllDigits(text) || text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (const char c : text) value = value * 10 + static_cast<unsigned>(c - '0');
    if (value == 0 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

inline std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char t = (text[i] >= 'A' && text[i] <= 'Z') ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (t != prefix[i]) return false;
    }
    return true;
}

}  // namespace tunnel_detail

inline std::optional<Endpoint> ParseEndpoint(std::string_view text, std::uint16_t defaultPort) {
    text = tunnel_detail::Trimmed(text);
    if (const std::size_t scheme = text.find("://"); scheme != std::string_view::npos) text.remove_prefix(scheme + 3);
    text = text.substr(0, text.find_first_of("/?#"));
    if (const std::size_t user = text.rfind('@'); user != std::string_view::npos) text.remove_prefix(user + 1);
    Endpoint result;
    std::string_view portText;
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        result.host = std::string(text.substr(1, close - 1));
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            portText = rest.substr(1);
        }
    } else {
        const std::size_t colon = text.find(':');
        // More than one colon without brackets is a bare IPv6 address.
        if (colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
            result.host = std::string(text.substr(0, colon));
            portText = text.substr(colon + 1);
        } else {
            result.host = std::string(text);
        }
    }
    if (result.host.empty()) return std::nullopt;
    if (portText.empty()) {
        result.port = defaultPort;
    } else {
        const std::optional<std::uint16_t> port = tunnel_detail::Port(portText);
        if (!port) return std::nullopt;
        result.port = *port;
    }
    return result;
}

inline std::optional<Endpoint> UrlEndpoint(std::string_view url) {
    if (tunnel_detail::StartsWithNoCase(url, "https://")) return ParseEndpoint(url, 443);
    if (tunnel_detail::StartsWithNoCase(url, "http://")) return ParseEndpoint(url, 80);
    return std::nullopt;
}

inline std::optional<Endpoint> FirstProxy(std::string_view list) {
    std::string_view common, secure;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i < list.size() && list[i] != ';' && list[i] != ' ' && list[i] != '\t') continue;
        const std::string_view entry = list.substr(start, i - start);
        start = i + 1;
        if (entry.empty()) continue;
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (common.empty()) common = entry;
        } else if (secure.empty() && tunnel_detail::StartsWithNoCase(entry, "https=")) {
            secure = entry.substr(equals + 1);
        }
    }
    const std::string_view chosen = secure.empty() ? common : secure;
    if (chosen.empty()) return std::nullopt;
    return ParseEndpoint(chosen, 80);
}

inline std::string ConnectRequest(const Endpoint& target) {
    const bool ipv6 = target.host.find(':') != std::string::npos;
    const std::string authority =
        (ipv6 ? "[" + target.host + "]" : target.host) + ":" + std::to_string(target.port);
    return "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n\r\n";
}

inline ConnectReply ParseConnectReply(std::string_view received) {
    ConnectReply reply;
    // The head ends at the first empty line; a bare LF is taken as a line end, as clients do.
    std::size_t end = std::string_view::npos, endLength = 0;
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (received[i] != '\n') continue;
        if (i + 1 < received.size() && received[i + 1] == '\n') {
            end = i, endLength = 2;
            break;
        }
        if (i + 2 < received.size() && received[i + 1] == '\r' && received[i + 2] == '\n') {
            end = i, endLength = 3;
            break;
        }
    }
    if (end != std::string_view::npos) {
        reply.complete = true;
        reply.headLength = end + endLength;
    }
    // "HTTP/1.1 200 Connection established": version, one space, three digits, then a space or the end.
    const std::string_view line = received.substr(0, received.find_first_of("\r\n"));
    if (line.size() >= 12 && tunnel_detail::StartsWithNoCase(line, "http/1.") && line[7] >= '0' && line[7] <= '9' &&
        line[8] == ' ' && tunnel_detail::AllDigits(line.substr(9, 3)) && (line.size() == 12 || line[12] == ' ')) {
        reply.valid = true;
        reply.status = static_cast<std::uint32_t>((line[9] - '0') * 100 + (line[10] - '0') * 10 + (line[11] - '0'));
    }
    if (!reply.complete) reply.valid = reply.valid && received.size() <= kLongestConnectReply;
    return reply;
}

}  // namespace platform
