#pragma once
// What the secure row found about the client's own TLS handshake: the versions a .NET 3.5
// program on this PC offers, the one the server agreed, and why. Carried by the row's finding
// into both reports.
#include <optional>
#include <string>

enum class ClientTlsResult { Connected, Refused, NotChecked };

struct ClientTlsNote {
    std::string offered;                // "SSL 3.0 and TLS 1.0", "Windows' TLS versions"
    std::optional<std::string> agreed;  // "TLS 1.2"; none unless it connected
    ClientTlsResult result = ClientTlsResult::NotChecked;
    // Connected or refused: the setting that chose the versions offered. Not checked: why not.
    std::string because;
    // Refused by Windows itself, not by the server: it would not offer those versions at all.
    bool turnedOffHere = false;
};
