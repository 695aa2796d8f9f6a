// The secure row's client handshake against real TLS servers on 127.0.0.1: a TLS 1.2-only service
// and one that still takes TLS 1.0, reached directly and through the loopback proxy's CONNECT,
// with SystemDefaultTlsVersions set in one registry view, the other, or neither, and a service
// that asks for an optional client certificate; TLS 1.0 turned off for clients in Schannel. Also a
// server that never answers and a proxy that asks for a sign-in, which leave the row as WinINet
// found it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

#include "DirectConnection.h"
#include "LoopbackServer.h"
#include "TestProxy.h"
#include "TlsServers.h"
#include "app/Fixes.h"
#include "checks/DotNetRegistry.h"
#include "checks/SecureUrlCheck.h"
#include "platform/HttpFetch.h"
#include "platform/TlsProbe.h"
#include "tests/scenarios/ScopedRegistryValue.h"

namespace {

using namespace std::chrono_literals;
using scenario::DwordData;
using scenario::ScopedRegistryValue;

const auto* const kDirect = ::testing::AddGlobalTestEnvironment(new nettest::DirectConnection);
const std::string kMarker(kDataMarker);
constexpr char kRuntimeKey[] = "SOFTWARE\\Microsoft\\.NETFramework\\v2.0.50727";

class ClientTls : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        servers_ = std::make_unique<nettest::TlsServers>();
        trust_ = std::make_unique<nettest::ScopedTrustedAuthority>();
    }
    static void TearDownTestSuite() {
        trust_.reset();
        servers_.reset();
    }
    static const nettest::TlsServers& Servers() { return *servers_; }

    // The secure row for `url` as the program makes it, with the versions this PC's registry gives.
    static Finding SecureRow(const std::string& url) {
        platform::HttpFetch fetch;
        fetch.SetTimeout(15s);
        platform::TlsProbe probe;
        return SecureUrlFinding(url, kMarker, fetch, probe, ClientOfferedSetOfThisPc());
    }

private:
    static std::unique_ptr<nettest::TlsServers> servers_;
    static std::unique_ptr<nettest::ScopedTrustedAuthority> trust_;
};
std::unique_ptr<nettest::TlsServers> ClientTls::servers_;
std::unique_ptr<nettest::ScopedTrustedAuthority> ClientTls::trust_;

// SystemDefaultTlsVersions = 1 in the views asked for, and in no other, while it lives. The
// client is built for any CPU: on this 64-bit prefix it reads the 64-bit view.
struct TlsValues {
    TlsValues(bool in64, bool in32)
        : view64(HKEY_LOCAL_MACHINE, kRuntimeKey, "SystemDefaultTlsVersions",
                 in64 ? std::optional(DwordData(1)) : std::nullopt, KEY_WOW64_64KEY),
          view32(HKEY_LOCAL_MACHINE, kRuntimeKey, "SystemDefaultTlsVersions",
                 in32 ? std::optional(DwordData(1)) : std::nullopt, KEY_WOW64_32KEY) {}
    ScopedRegistryValue view64;
    ScopedRegistryValue view32;
};

struct Case {
    const char* listener;
    bool in64, in32;
    bool passes;
    const char* says;
};

const Case kCases[] = {
    {"tls12", false, false, false,
     "; a .NET 3.5 program here offers only SSL 3.0 and TLS 1.0, which the server refuses (SystemDefaultTlsVersions "
     "is not 1 in the 64-bit registry view, which the client reads)"},
    {"tls12", true, false, true, "; a .NET 3.5 program here connects with TLS 1.2"},
    // Only the view the client does not read has the value: the line says which view decided.
    {"tls12", false, true, false,
     "which the server refuses (SystemDefaultTlsVersions is not 1 in the 64-bit registry view, which the client "
     "reads; it is 1 in the 32-bit view)"},
    {"tls10", false, false, true, "; a .NET 3.5 program here connects with TLS 1.0"},
    // A service that asks for an optional client certificate: the client goes on without one.
    {"asks-cert", false, false, true, "; a .NET 3.5 program here connects with TLS 1.0"},
    {"asks-cert", true, false, true, "; a .NET 3.5 program here connects with TLS 1.2"},
};

void ExpectRow(const Finding& finding, const Case& c) {
    EXPECT_EQ(finding.passed, c.passes) << finding.detail;
    EXPECT_NE(finding.detail.find(c.says), std::string::npos) << finding.detail;
    ASSERT_TRUE(finding.clientTls);
    EXPECT_EQ(finding.clientTls->result, c.passes ? ClientTlsResult::Connected : ClientTlsResult::Refused);
    if (c.passes) return;
    // Windows' own set (TLS 1.2 here) would do: the value is the remedy, with Microsoft's page.
    EXPECT_EQ(finding.kind, FindingKind::ClientTlsRefused);
    const Instruction instruction = InstructionFor(Row::InternetData, finding, WindowsRelease{2, 10, 0});
    EXPECT_NE(instruction.text.find("set SystemDefaultTlsVersions = 1"), std::string::npos) << instruction.text;
    const platform::FixAction action = ActionFor(instruction.fix, FixContext{});
    EXPECT_EQ(action.kind, platform::FixAction::Kind::Page);
    EXPECT_EQ(action.target, QT_DOTNET_TLS_URL);
}

TEST_F(ClientTls, DirectTheClientsVersionsDecideTheSecureRow) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.listener) + (c.in64 ? " 64" : "") + (c.in32 ? " 32" : ""));
        const TlsValues values(c.in64, c.in32);
        ExpectRow(SecureRow(Servers().Url(c.listener, "/tessarycard.webservice/recordset.asmx")), c);
    }
}

TEST_F(ClientTls, ThroughTheProxyTheProbeTunnelsAsWinInetDid) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.listener) + (c.in64 ? " 64" : "") + (c.in32 ? " 32" : ""));
        std::atomic<int> tunnels{0};
        nettest::LoopbackServer proxy(nettest::ProxyHandler(
            [&](const std::string& head) {
                if (head.rfind("CONNECT ", 0) == 0) ++tunnels;
            },
            [](const std::string&) { return nettest::Response(502, ""); }, Servers().Port(c.listener)));
        const nettest::ScopedProxySetting setting(proxy.Port());
        const TlsValues values(c.in64, c.in32);
        // The built-in host resolves nowhere: only the proxy reaches it, for WinINet and the probe alike.
        const Finding finding = SecureRow(DataUrl());
        ExpectRow(finding, c);
        EXPECT_GE(tunnels.load(), 2) << "WinINet's tunnel and the probe's";
    }
}

// TLS 1.0 turned off for clients in Schannel, as on a hardened PC: Windows sends no hello for a
// .NET 3.5 program (SSL 3.0 alone is never offered either), so it can connect nowhere here, and
// the row fails saying so. Windows' own set still gets TLS 1.2: the value is the remedy.
// Schannel reads its protocol settings once in a process, as Windows does at start: this suite
// runs in a process of its own (see CMakeLists.txt), before any other handshake.
class SchannelTurnedOff : public ClientTls {};

TEST_F(SchannelTurnedOff, TlsOneTurnedOffInWindowsFailsTheRowWithoutTheValue) {
    const ScopedRegistryValue turnedOff(HKEY_LOCAL_MACHINE,
                                        "System\\CurrentControlSet\\Control\\SecurityProviders\\SCHANNEL\\Protocols\\"
                                        "TLS 1.0\\Client",
                                        "Enabled", DwordData(0), KEY_WOW64_64KEY);
    const TlsValues values(false, false);
    const Finding finding = SecureRow(Servers().Url("tls12", "/tessarycard.webservice/recordset.asmx"));
    EXPECT_FALSE(finding.passed) << finding.detail;
    EXPECT_EQ(finding.kind, FindingKind::ClientTlsRefused);
    EXPECT_NE(finding.detail.find("; a .NET 3.5 program here offers only SSL 3.0 and TLS 1.0, which Windows here has "
                                  "turned off (SystemDefaultTlsVersions is not 1"),
              std::string::npos)
        << finding.detail;
    ASSERT_TRUE(finding.clientTls);
    EXPECT_EQ(finding.clientTls->result, ClientTlsResult::Refused);
}

// The secure row as WinINet found it (it got through), for the probe's part alone.
struct ReachedFetch {
    platform::FetchOutcome outcome{platform::FetchFailure::None, 200, 0, 60s};
    bool Get(const std::string&, const std::function<bool(std::string_view)>& sink) {
        sink(kDataMarker);
        return true;
    }
    const platform::FetchOutcome& LastOutcome() const { return outcome; }
};

TEST(ClientTlsNotChecked, AServerThatNeverAnswersIsGivenUpOnWithinTheLimit) {
    nettest::LoopbackServer silent([](nettest::Connection& connection) { connection.Pause(30s); });
    ReachedFetch fetch;
    fetch.outcome.proxy = {true, false, {}, false, {}, {}};
    platform::TlsProbe probe;
    const auto started = std::chrono::steady_clock::now();
    const Finding finding = SecureUrlFinding("https://127.0.0.1:" + std::to_string(silent.Port()) + "/", kMarker,
                                             fetch, probe, ClientOfferedSetOfThisPc(), 3s);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_TRUE(finding.passed) << "the verdict stays WinINet's";
    EXPECT_NE(finding.detail.find("; the TLS versions of a .NET 3.5 program could not be checked: no answer within 3 "
                                  "seconds"),
              std::string::npos)
        << finding.detail;
    // The limit is kept by Windows' tick count, whose steps of up to 16 ms may end it a little short
    // of three seconds by this finer clock.
    EXPECT_GE(took, 3s - 50ms);
    EXPECT_LT(took, 5s);
    EXPECT_GE(silent.Accepted(), 1);
}

TEST(ClientTlsNotChecked, AProxyThatAsksForASignInOnConnectLeavesTheRowAsItWas) {
    nettest::LoopbackServer proxy([](nettest::Connection& connection) {
        if (connection.ReadHead().rfind("CONNECT ", 0) != 0) return;
        connection.Send(nettest::Response(407, "", "Proxy-Authenticate: Basic realm=\"corp\"\r\n"));
    });
    ReachedFetch fetch;
    fetch.outcome.proxy = {true, false, {}, true, "127.0.0.1:" + std::to_string(proxy.Port()), {}};
    platform::TlsProbe probe;
    const Finding finding = SecureUrlFinding(DataUrl(), kMarker, fetch, probe, ClientOfferedSetOfThisPc());
    EXPECT_TRUE(finding.passed);
    EXPECT_NE(finding.detail.find("could not be checked: the proxy asks for a sign-in (HTTP 407)"), std::string::npos)
        << finding.detail;
    ASSERT_TRUE(finding.clientTls);
    EXPECT_EQ(finding.clientTls->result, ClientTlsResult::NotChecked);
}

}  // namespace
