#include "ClientTls.h"

#include <utility>

#ifndef QT_CLIENT_PLATFORM_X86
#error "QT_CLIENT_PLATFORM_X86 and QT_CLIENT_TLS_SYSTEM (0 or 1) are set by the build"
#endif

namespace {

constexpr std::uint8_t kAlertRecord = 21;
constexpr std::string_view kValue = "SystemDefaultTlsVersions";
constexpr std::string_view kWindowsSet = "Windows' TLS versions";
constexpr std::string_view kDotNetSet = "SSL 3.0 and TLS 1.0";

// Which versions a .NET 3.5 program offers when it leaves the choice to the framework
// (ServicePointManager.SecurityProtocol, SslStream without a protocol), by Windows release.
// Source: Microsoft, "Transport Layer Security (TLS) best practices with the .NET Framework"
// (learn.microsoft.com/dotnet/framework/network-programming/tls, section ".NET Framework 3.5 -
// 4.5.2 and not WCF"), and the support articles of the updates that brought the value:
// KB3154517 (Vista SP2, Server 2008 SP2), KB3154518 (7 SP1, Server 2008 R2 SP1), KB3154519
// (Server 2012), KB3154520 (8.1, Server 2012 R2), and the .NET 3.5 of Windows 10 and 11, which
// carries them. On every release the framework offers SSL 3.0 and TLS 1.0 unless
// SystemDefaultTlsVersions is 1 in the registry view the program runs in; with it, it offers
// Windows' own set. No release or update changes that default without the value, so the choice
// below looks at the value and the view alone. (Vista and Server 2008 SP2 have no TLS version
// above 1.0 in Windows' set either: the second handshake finds that out.)
bool UsesWindowsSet(bool valueIsOne) { return valueIsOne; }

std::string Hex(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
    return text;
}

// "10 seconds", "1 second", "2.5 seconds".
std::string Seconds(std::chrono::milliseconds limit) {
    const long long ms = limit.count() < 0 ? 0 : static_cast<long long>(limit.count());
    const long long tenths = (ms + 50) / 100;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return text + (tenths == 10 ? " second" : " seconds");
}

// A failure status (SEC_E_..., severity bit set), as opposed to one that asks for more
// (SEC_I_CONTINUE_NEEDED, SEC_E_INCOMPLETE_MESSAGE aside) or success.
bool IsFailureStatus(std::uint32_t status) { return (status & 0x80000000u) != 0; }

bool RefusedByServer(const HandshakeTrace& trace) {
    if (trace.step != ProbeStep::Handshake || !trace.helloSent || trace.finished || trace.timedOut || trace.cancelled)
        return false;
    // The server's first answer to the hello was an alert, and Schannel failed on it.
    if (trace.firstRecordType == kAlertRecord) return IsFailureStatus(trace.error);
    // Or it answered nothing at all: closed or reset straight after the hello.
    return !trace.firstRecordType && trace.peerClosed;
}

// Windows itself would not offer the .NET 3.5 versions (TLS 1.0 turned off for clients in
// Schannel, as hardened PCs and newer releases have it): its credentials or its first step failed
// and no hello went out. Such a program connects nowhere here. Windows' own set is never refused
// this way: what Windows offers by itself is what it has on.
bool RefusedByWindows(const OfferedSet& set, const HandshakeTrace& trace) {
    return set.protocols != sp_prot::kWindowsDefaults && trace.step == ProbeStep::Handshake && !trace.helloSent &&
           !trace.timedOut && !trace.cancelled && trace.missing.empty() && IsFailureStatus(trace.error);
}

std::string WhyNotChecked(const HandshakeTrace& trace, std::chrono::milliseconds limit) {
    if (trace.cancelled) return "cancelled";
    if (trace.timedOut) return "no answer within " + Seconds(limit);
    if (!trace.missing.empty()) return trace.missing;
    const std::string code = " (error " + std::to_string(trace.error) + ")";
    switch (trace.step) {
    case ProbeStep::Route: return "no way to the server known";
    case ProbeStep::Lookup: return "host name not resolved" + code;
    case ProbeStep::Connect: return "no connection to the server or proxy" + code;
    case ProbeStep::ProxyTunnel:
        if (trace.proxyStatus == 407) return "the proxy asks for a sign-in (HTTP 407)";
        if (trace.proxyStatus != 0) return "the proxy refused the tunnel (HTTP " + std::to_string(trace.proxyStatus) + ")";
        if (trace.peerClosed) return "the proxy closed the connection";
        return "no valid answer from the proxy";
    case ProbeStep::Handshake:
        if (!trace.helloSent) return "Windows would not offer those versions (" + Hex(trace.error) + ")";
        if (trace.peerClosed) return "the server closed the connection during the handshake";
        return "the handshake failed (" + Hex(trace.error) + ")";
    }
    return "the probe failed";
}

}  // namespace

ClientBuild BuiltClient() {
    return {QT_CLIENT_PLATFORM_X86 ? ClientPlatform::X86 : ClientPlatform::AnyCpu,
            QT_CLIENT_TLS_SYSTEM ? ClientTlsSource::System : ClientTlsSource::DotNet35};
}

OfferedSet ChooseOfferedSet(const ClientBuild& build, bool windows64, const TlsDefaultViews& views) {
    if (build.source == ClientTlsSource::System)
        return {sp_prot::kWindowsDefaults, std::string(kWindowsSet), "the client asks Windows for its versions"};
    // An any-CPU program runs as 64-bit on 64-bit Windows and reads the 64-bit view; an x86 one
    // reads the 32-bit view (Wow6432Node) there. 32-bit Windows has one view.
    const bool reads64 = windows64 && build.platform == ClientPlatform::AnyCpu;
    const bool value = reads64 ? views.view64.value_or(false) : views.view32;
    OfferedSet set;
    const bool windowsSet = UsesWindowsSet(value);
    set.protocols = windowsSet ? sp_prot::kWindowsDefaults : sp_prot::kDotNet35Default;
    set.offered = std::string(windowsSet ? kWindowsSet : kDotNetSet);
    set.decidedBy = std::string(kValue) + (value ? " is 1" : " is not 1");
    if (!windows64) return set;
    set.decidedBy += reads64 ? " in the 64-bit registry view, which the client reads"
                             : " in the 32-bit registry view (Wow6432Node), which the client reads";
    const bool other = reads64 ? views.view32 : views.view64.value_or(false);
    if (other != value)
        set.decidedBy += std::string("; it is") + (other ? " 1" : " not 1") +
                         (reads64 ? " in the 32-bit view" : " in the 64-bit view");
    return set;
}

std::string ProtocolName(std::uint32_t protocol) {
    switch (protocol) {
    case sp_prot::kSsl3Client: return "SSL 3.0";
    case sp_prot::kTls10Client: return "TLS 1.0";
    case sp_prot::kTls11Client: return "TLS 1.1";
    case sp_prot::kTls12Client: return "TLS 1.2";
    case sp_prot::kTls13Client: return "TLS 1.3";
    default: return "protocol " + Hex(protocol);
    }
}

ClientTlsNote ClassifyHandshake(const OfferedSet& set, const HandshakeTrace& trace,
                                std::chrono::milliseconds limit) {
    ClientTlsNote note;
    note.offered = set.offered;
    if (trace.finished && !trace.cancelled && !trace.timedOut) {
        note.result = ClientTlsResult::Connected;
        note.agreed = ProtocolName(trace.protocol);
        note.because = set.decidedBy;
    } else if (RefusedByServer(trace) || RefusedByWindows(set, trace)) {
        note.result = ClientTlsResult::Refused;
        note.because = set.decidedBy;
        note.turnedOffHere = !trace.helloSent;
    } else {
        note.result = ClientTlsResult::NotChecked;
        note.because = WhyNotChecked(trace, limit);
    }
    return note;
}

std::string ClientTlsWords(const ClientTlsNote& note) {
    switch (note.result) {
    case ClientTlsResult::Connected:
        return "; a .NET 3.5 program here connects with " + note.agreed.value_or("an unknown version");
    case ClientTlsResult::Refused:
        return "; a .NET 3.5 program here offers " +
               (note.offered == kDotNetSet ? "only " + note.offered : note.offered) +
               (note.turnedOffHere ? ", which Windows here has turned off (" : ", which the server refuses (") +
               note.because + ")";
    case ClientTlsResult::NotChecked: break;
    }
    return "; the TLS versions of a .NET 3.5 program could not be checked: " + note.because;
}

Finding WithClientTls(Finding finding, const ClientTlsNote& note, bool windowsSetRefused) {
    finding.detail += OnOneLine(ClientTlsWords(note));
    if (note.result == ClientTlsResult::Refused) {
        if (windowsSetRefused && note.offered != kWindowsSet) finding.detail += "; Windows' own TLS versions are refused too";
        if (finding.passed) {
            finding.passed = false;
            finding.kind = windowsSetRefused ? FindingKind::ClientTlsRefusedWindowsToo : FindingKind::ClientTlsRefused;
        }
    }
    finding.clientTls = note;
    return finding;
}
