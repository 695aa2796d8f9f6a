#pragma once
// What one requirement check found: its verdict, and one short line a person can read saying
// what was looked at and what was there. Support staff read the line to answer "why is it red?".
#include <optional>
#include <string>
#include <string_view>

#include "CardReaders.h"
#include "ClientTlsNote.h"

// What kind of shortfall a failed check found, as far as what to do about it goes: the
// instruction the customer is given is chosen by it, the row and the Windows release. Checks
// leave it Unclassified where their row has one instruction for every shortfall.
enum class FindingKind {
    Unclassified,
    CouldNotCheck,            // an error on this PC kept the check from looking
    ProxySignIn,              // the proxy asked for a sign-in (HTTP 407)
    CertificateUntrusted,     // not trusted, or out of date
    NoSecureProtocolInCommon, // the PC and the server share no TLS version or cipher
    CertificateNameMismatch,  // made out to another name than the host's
    CertificateRevoked,
    UnexpectedPage,           // a page came, but not the one expected, or no valid answer
    ServicePackTooOld,        // Windows XP or Server 2003 before Service Pack 2
    FileInPlaceOfFolder,      // a file stands where the folder should be
    ClientTlsRefused,         // the server (or Windows itself) refuses the TLS versions a .NET 3.5 program offers here
    ClientTlsRefusedWindowsToo,  // ... and Windows' own versions as well
};

// The certificate a server presented when the secure connection failed on it, by the short names
// people know it by: an inspecting proxy or security product shows its own name as the issuer.
struct CertificateNames {
    std::string subject;
    std::string issuer;
    std::string validUntil{};  // "YYYY-MM-DD"; empty when not known
};

struct Finding {
    bool passed = false;
    std::string detail;
    FindingKind kind{};
    std::optional<CertificateNames> certificate{};  // where one was read
    std::optional<CardReaders> cardReaders{};  // the Smart Card row's: what the smart-card service sees
    std::optional<ClientTlsNote> clientTls{};       // the secure row's handshake as the client
};

// Starts the line of a check that could not look at all: an error on this PC, as opposed to a
// requirement that was looked at and is not met.
inline constexpr std::string_view kCouldNotCheck = "Could not check: ";

// `text` with its control characters made spaces: what a check read (a registry value, a version
// text) may hold any byte, but its line stays one line.
inline std::string OnOneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = ' ';
    }
    return line;
}

inline Finding CouldNotCheck(std::string_view why) {
    return {false, std::string(kCouldNotCheck) + std::string(why), FindingKind::CouldNotCheck};
}
