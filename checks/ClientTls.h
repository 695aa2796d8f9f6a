#pragma once
// Whether the Tessary Card client, a .NET Framework 3.5 program, gets through to the secure web
// service from this PC: which TLS versions it offers here, what a handshake offering exactly
// those came to, and what that makes of the secure row. WinINet's own fetch says nothing about
// it: .NET 3.5 does not use Internet Explorer's TLS settings. Portable: the registry's values and
// the handshake's account of itself come in as read.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "DotNetRecord.h"
#include "Finding.h"
#include "platform/HandshakeTrace.h"

// SCHANNEL_CRED.grbitEnabledProtocols and SecPkgContext_ConnectionInfo.dwProtocol bits for a
// client, as schannel.h numbers them.
namespace sp_prot {
inline constexpr std::uint32_t kSsl3Client = 0x00000020;
inline constexpr std::uint32_t kTls10Client = 0x00000080;
inline constexpr std::uint32_t kTls11Client = 0x00000200;
inline constexpr std::uint32_t kTls12Client = 0x00000800;
inline constexpr std::uint32_t kTls13Client = 0x00002000;
// What .NET 3.5 asks for by itself: SslProtocols.Default.
inline constexpr std::uint32_t kDotNet35Default = kSsl3Client | kTls10Client;
// Windows' own set: the versions Schannel enables for clients on this PC.
inline constexpr std::uint32_t kWindowsDefaults = 0;
}  // namespace sp_prot

// How the client is built, set with the program (QT_CLIENT_PLATFORM, QT_CLIENT_TLS).
enum class ClientPlatform {
    AnyCpu,  // runs as 64-bit on 64-bit Windows
    X86,     // runs as 32-bit everywhere
};
enum class ClientTlsSource {
    DotNet35,  // the .NET 3.5 defaults, unless SystemDefaultTlsVersions says otherwise
    System,    // the client asks Windows for its versions itself
};
struct ClientBuild {
    ClientPlatform platform = ClientPlatform::AnyCpu;
    ClientTlsSource source = ClientTlsSource::DotNet35;
};

// The build's settings.
ClientBuild BuiltClient();

// The versions the client offers here, and the setting that chose them.
struct OfferedSet {
    std::uint32_t protocols = sp_prot::kDotNet35Default;  // for grbitEnabledProtocols
    std::string offered;    // "SSL 3.0 and TLS 1.0" or "Windows' TLS versions"
    std::string decidedBy;  // "SystemDefaultTlsVersions is not 1 in the 64-bit registry view"
};

// `windows64`: this PC runs 64-bit Windows. `views`: SystemDefaultTlsVersions in each view.
OfferedSet ChooseOfferedSet(const ClientBuild& build, bool windows64, const TlsDefaultViews& views);

using platform::HandshakeTrace;
using platform::ProbeStep;

// "TLS 1.2" for dwProtocol; "SSL 3.0" ... ; "protocol 0x..." for another.
std::string ProtocolName(std::uint32_t protocol);

// The note for a probe that offered `set` and saw `trace`: connected, refused by the server at
// the TLS level (an alert as the server's first answer to the hello, or the connection closed or
// reset before any answer, with a failed status), refused by Windows itself (the .NET 3.5 set
// failed before any hello went out), or not checked, saying why. `limit` is the
// time the probe had.
ClientTlsNote ClassifyHandshake(const OfferedSet& set, const HandshakeTrace& trace,
                                std::chrono::milliseconds limit);

// The words the row's line ends with: "; a .NET 3.5 program here connects with TLS 1.0".
std::string ClientTlsWords(const ClientTlsNote& note);

// The secure row's finding with the note: the line gains its words; a refusal fails a row that
// WinINet passed, with its own kind (ClientTlsRefusedWindowsToo when `windowsSetRefused`: a
// second handshake offering Windows' own versions was refused too). Otherwise the verdict stays.
Finding WithClientTls(Finding finding, const ClientTlsNote& note, bool windowsSetRefused);
