// The client's TLS versions on the secure row: which set a .NET 3.5 program offers here, what a
// handshake's account of itself comes to, and what that makes of the row, over stand-ins for the
// fetch and the probe.
#include "checks/SecureUrlCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace std::chrono_literals;
using platform::FetchFailure;
using platform::FetchOutcome;
using platform::ProbeWay;

constexpr ClientBuild kAnyCpu{ClientPlatform::AnyCpu, ClientTlsSource::DotNet35};
constexpr ClientBuild kX86{ClientPlatform::X86, ClientTlsSource::DotNet35};
constexpr ClientBuild kAsksWindows{ClientPlatform::AnyCpu, ClientTlsSource::System};

TEST(OfferedSet, FollowsTheValueInTheViewTheClientRunsIn) {
    struct Case {
        ClientBuild build;
        bool windows64;
        TlsDefaultViews views;
        std::uint32_t protocols;
        const char* decidedBy;
    } const cases[] = {
        // No value anywhere: the framework's own SSL 3.0 and TLS 1.0.
        {kAnyCpu, true, {false, false}, sp_prot::kDotNet35Default,
         "SystemDefaultTlsVersions is not 1 in the 64-bit registry view, which the client reads"},
        {kAnyCpu, true, {true, true}, 0, "SystemDefaultTlsVersions is 1 in the 64-bit registry view, which the client reads"},
        {kAnyCpu, true, {false, true}, 0,
         "SystemDefaultTlsVersions is 1 in the 64-bit registry view, which the client reads; it is not 1 in the "
         "32-bit view"},
        // The value in the other view only decides nothing, and the line says where it is.
        {kAnyCpu, true, {true, false}, sp_prot::kDotNet35Default,
         "SystemDefaultTlsVersions is not 1 in the 64-bit registry view, which the client reads; it is 1 in the "
         "32-bit view"},
        {kX86, true, {false, true}, sp_prot::kDotNet35Default,
         "SystemDefaultTlsVersions is not 1 in the 32-bit registry view (Wow6432Node), which the client reads; it "
         "is 1 in the 64-bit view"},
        {kX86, true, {true, false}, 0,
         "SystemDefaultTlsVersions is 1 in the 32-bit registry view (Wow6432Node), which the client reads; it is "
         "not 1 in the 64-bit view"},
        // 32-bit Windows has one view, whatever the build.
        {kAnyCpu, false, {true, std::nullopt}, 0, "SystemDefaultTlsVersions is 1"},
        {kX86, false, {false, std::nullopt}, sp_prot::kDotNet35Default, "SystemDefaultTlsVersions is not 1"},
        // A client that asks Windows itself offers Windows' set without the value.
        {kAsksWindows, true, {false, false}, 0, "the client asks Windows for its versions"},
    };
    for (const Case& c : cases) {
        const OfferedSet set = ChooseOfferedSet(c.build, c.windows64, c.views);
        EXPECT_EQ(set.protocols, c.protocols) << c.decidedBy;
        EXPECT_EQ(set.decidedBy, c.decidedBy);
        EXPECT_EQ(set.offered, c.protocols == 0 ? "Windows' TLS versions" : "SSL 3.0 and TLS 1.0");
    }
}

OfferedSet DotNetSet() { return ChooseOfferedSet(kAnyCpu, true, {false, false}); }

HandshakeTrace AtHandshake() {
    HandshakeTrace trace;
    trace.step = ProbeStep::Handshake;
    trace.helloSent = true;
    return trace;
}

TEST(ClassifyHandshake, DecidesByWhatHappenedOnTheWireAndTheStatusClass) {
    const auto with = [](auto change) {
        HandshakeTrace trace = AtHandshake();
        change(trace);
        return trace;
    };
    struct Case {
        const char* name;
        HandshakeTrace trace;
        ClientTlsResult result;
        const char* because;  // for not checked
    } const cases[] = {
        {"agreed", with([](HandshakeTrace& t) { t.finished = true, t.protocol = sp_prot::kTls12Client; }),
         ClientTlsResult::Connected, nullptr},
        // Wine's one code for every refusal, and two of Windows' own.
        {"alert, Wine", with([](HandshakeTrace& t) { t.firstRecordType = 21, t.error = 0x80090304; }),
         ClientTlsResult::Refused, nullptr},
        {"alert, Windows", with([](HandshakeTrace& t) { t.firstRecordType = 21, t.error = 0x80090326; }),
         ClientTlsResult::Refused, nullptr},
        {"alert, other code", with([](HandshakeTrace& t) { t.firstRecordType = 21, t.error = 0x80090331; }),
         ClientTlsResult::Refused, nullptr},
        {"closed after hello", with([](HandshakeTrace& t) { t.peerClosed = true; }), ClientTlsResult::Refused, nullptr},
        {"reset after hello", with([](HandshakeTrace& t) { t.peerClosed = true, t.error = 10054; }),
         ClientTlsResult::Refused, nullptr},
        // The server went on with the handshake: whatever failed later was not the versions.
        {"failed after server hello", with([](HandshakeTrace& t) { t.firstRecordType = 22, t.error = 0x80090304; }),
         ClientTlsResult::NotChecked, "the handshake failed (0x80090304)"},
        {"closed after server hello", with([](HandshakeTrace& t) { t.firstRecordType = 22, t.peerClosed = true; }),
         ClientTlsResult::NotChecked, "the server closed the connection during the handshake"},
        // An alert record with a status that is no failure is not a refusal.
        {"alert, no failure", with([](HandshakeTrace& t) { t.firstRecordType = 21, t.error = 0x00090312; }),
         ClientTlsResult::NotChecked, "the handshake failed (0x00090312)"},
        // Windows itself would not offer the .NET 3.5 versions, at the first step or already for
        // the credentials: the program connects nowhere here.
        {"nothing sent", with([](HandshakeTrace& t) { t.helloSent = false, t.error = 0x80090331; }),
         ClientTlsResult::Refused, nullptr},
        {"no credentials", with([](HandshakeTrace& t) { t.helloSent = false, t.error = 0x8009030E; }),
         ClientTlsResult::Refused, nullptr},
        // Not for want of versions: a part of Windows is missing, or the status is no failure.
        {"nothing sent, function missing",
         with([](HandshakeTrace& t) { t.helloSent = false, t.missing = "secur32.dll has no InitSecurityInterfaceA"; }),
         ClientTlsResult::NotChecked, "secur32.dll has no InitSecurityInterfaceA"},
        {"nothing sent, no failure", with([](HandshakeTrace& t) { t.helloSent = false, t.error = 0x00090320; }),
         ClientTlsResult::NotChecked, "Windows would not offer those versions (0x00090320)"},
        {"silent server", with([](HandshakeTrace& t) { t.timedOut = true; }), ClientTlsResult::NotChecked,
         "no answer within 10 seconds"},
        {"closed, then timed out", with([](HandshakeTrace& t) { t.peerClosed = true, t.timedOut = true; }),
         ClientTlsResult::NotChecked, "no answer within 10 seconds"},
        {"cancelled", with([](HandshakeTrace& t) { t.cancelled = true; }), ClientTlsResult::NotChecked, "cancelled"},
        {"proxy sign-in", with([](HandshakeTrace& t) { t.step = ProbeStep::ProxyTunnel, t.helloSent = false, t.proxyStatus = 407; }),
         ClientTlsResult::NotChecked, "the proxy asks for a sign-in (HTTP 407)"},
        {"proxy refused", with([](HandshakeTrace& t) { t.step = ProbeStep::ProxyTunnel, t.helloSent = false, t.proxyStatus = 403; }),
         ClientTlsResult::NotChecked, "the proxy refused the tunnel (HTTP 403)"},
        // A proxy that closes on CONNECT is no TLS refusal.
        {"proxy closed", with([](HandshakeTrace& t) { t.step = ProbeStep::ProxyTunnel, t.helloSent = false, t.peerClosed = true; }),
         ClientTlsResult::NotChecked, "the proxy closed the connection"},
        {"lookup", with([](HandshakeTrace& t) { t.step = ProbeStep::Lookup, t.helloSent = false, t.error = 11001; }),
         ClientTlsResult::NotChecked, "host name not resolved (error 11001)"},
        {"connect", with([](HandshakeTrace& t) { t.step = ProbeStep::Connect, t.helloSent = false, t.error = 10061; }),
         ClientTlsResult::NotChecked, "no connection to the server or proxy (error 10061)"},
        {"no route", with([](HandshakeTrace& t) {
             t.step = ProbeStep::Route, t.helloSent = false, t.missing = "winhttp.dll has no WinHttpGetProxyForUrl";
         }),
         ClientTlsResult::NotChecked, "winhttp.dll has no WinHttpGetProxyForUrl"},
    };
    for (const Case& c : cases) {
        const ClientTlsNote note = ClassifyHandshake(DotNetSet(), c.trace, 10s);
        EXPECT_EQ(note.result, c.result) << c.name;
        EXPECT_EQ(note.agreed.has_value(), c.result == ClientTlsResult::Connected) << c.name;
        EXPECT_EQ(note.because, c.because ? std::string(c.because) : DotNetSet().decidedBy) << c.name;
        EXPECT_EQ(note.turnedOffHere, c.result == ClientTlsResult::Refused && !c.trace.helloSent) << c.name;
    }
}

// Windows' own set is what Windows has on: nothing sent for it is no refusal of the versions.
TEST(ClassifyHandshake, NothingSentForWindowsOwnSetIsNotChecked) {
    HandshakeTrace trace = AtHandshake();
    trace.helloSent = false;
    trace.error = 0x80090331;
    const ClientTlsNote note = ClassifyHandshake(ChooseOfferedSet(kAsksWindows, true, {}), trace, 10s);
    EXPECT_EQ(note.result, ClientTlsResult::NotChecked);
    EXPECT_EQ(note.because, "Windows would not offer those versions (0x80090331)");
}

TEST(ProtocolName, NamesEveryVersionSchannelReports) {
    EXPECT_EQ(ProtocolName(sp_prot::kSsl3Client), "SSL 3.0");
    EXPECT_EQ(ProtocolName(sp_prot::kTls10Client), "TLS 1.0");
    EXPECT_EQ(ProtocolName(sp_prot::kTls11Client), "TLS 1.1");
    EXPECT_EQ(ProtocolName(sp_prot::kTls12Client), "TLS 1.2");
    EXPECT_EQ(ProtocolName(sp_prot::kTls13Client), "TLS 1.3");
    EXPECT_EQ(ProtocolName(0x40), "protocol 0x00000040");  // a server bit: never a client's
}

// The secure row's fetch: one answer, or none.
struct StubFetch {
    std::string page = "GetCardDetailsByGuid";
    FetchOutcome outcome{FetchFailure::None, 200, 0, 60s};
    bool Get(const std::string&, const std::function<bool(std::string_view)>& sink) {
        if (outcome.failure != FetchFailure::None) return false;
        sink(page);
        return true;
    }
    const FetchOutcome& LastOutcome() const { return outcome; }
};

// Answers each handshake from a list, keeping what it was asked.
struct StubProbe {
    std::vector<HandshakeTrace> answers;
    std::vector<platform::ProbeRequest> asked{};
    HandshakeTrace Handshake(const platform::ProbeRequest& request) {
        asked.push_back(request);
        return answers.at(asked.size() - 1);
    }
};
static_assert(HandshakeProbe<StubProbe>);

HandshakeTrace Agreed(std::uint32_t protocol) {
    HandshakeTrace trace = AtHandshake();
    trace.finished = true;
    trace.protocol = protocol;
    return trace;
}

HandshakeTrace Refused() {
    HandshakeTrace trace = AtHandshake();
    trace.firstRecordType = 21;
    trace.error = 0x80090304;
    return trace;
}

HandshakeTrace NothingSent() {
    HandshakeTrace trace = AtHandshake();
    trace.helloSent = false;
    trace.error = 0x80090331;
    return trace;
}

HandshakeTrace Silent() {
    HandshakeTrace trace = AtHandshake();
    trace.timedOut = true;
    return trace;
}

const std::string kUrl = "https://svc.example/tessarycard.webservice/recordset.asmx";
const std::string kMarker = "GetCardDetailsByGuid";

TEST(SecureUrlFinding, TheClientsHandshakeDecidesARowWinInetPassed) {
    const OfferedSet windowsSet = ChooseOfferedSet(kAnyCpu, true, {true, true});
    struct Case {
        const char* name;
        OfferedSet set;
        std::vector<HandshakeTrace> answers;
        bool passed;
        FindingKind kind;
        const char* lineEnd;
    } const cases[] = {
        {"TLS 1.0 taken", DotNetSet(), {Agreed(sp_prot::kTls10Client)}, true, FindingKind::Unclassified,
         "\"GetCardDetailsByGuid\" found; a .NET 3.5 program here connects with TLS 1.0"},
        {"value set, TLS 1.2", windowsSet, {Agreed(sp_prot::kTls12Client)}, true, FindingKind::Unclassified,
         "; a .NET 3.5 program here connects with TLS 1.2"},
        // Refused, and Windows' own set would do: the value is the remedy.
        {"refused", DotNetSet(), {Refused(), Agreed(sp_prot::kTls12Client)}, false, FindingKind::ClientTlsRefused,
         "; a .NET 3.5 program here offers only SSL 3.0 and TLS 1.0, which the server refuses (SystemDefaultTlsVersions "
         "is not 1 in the 64-bit registry view, which the client reads)"},
        // Windows has TLS 1.0 off: the .NET 3.5 set goes nowhere; its own set says what will do.
        {"turned off here", DotNetSet(), {NothingSent(), Agreed(sp_prot::kTls12Client)}, false,
         FindingKind::ClientTlsRefused,
         "; a .NET 3.5 program here offers only SSL 3.0 and TLS 1.0, which Windows here has turned off "
         "(SystemDefaultTlsVersions is not 1 in the 64-bit registry view, which the client reads)"},
        {"turned off here, server refuses the rest", DotNetSet(), {NothingSent(), Refused()}, false,
         FindingKind::ClientTlsRefusedWindowsToo,
         "which Windows here has turned off (SystemDefaultTlsVersions is not 1 in the 64-bit registry view, which the "
         "client reads); Windows' own TLS versions are refused too"},
        {"refused, Windows' set too", DotNetSet(), {Refused(), Refused()}, false,
         FindingKind::ClientTlsRefusedWindowsToo, "which the client reads); Windows' own TLS versions are refused too"},
        // With the value set, the first handshake was Windows' set already: no second one.
        {"value set, refused", windowsSet, {Refused()}, false, FindingKind::ClientTlsRefusedWindowsToo,
         "; a .NET 3.5 program here offers Windows' TLS versions, which the server refuses (SystemDefaultTlsVersions "
         "is 1 in the 64-bit registry view, which the client reads)"},
        {"silent", DotNetSet(), {Silent()}, true, FindingKind::Unclassified,
         "; the TLS versions of a .NET 3.5 program could not be checked: no answer within 10 seconds"},
    };
    for (const Case& c : cases) {
        StubFetch fetch;
        StubProbe probe{c.answers};
        const Finding finding = SecureUrlFinding(kUrl, kMarker, fetch, probe, c.set);
        EXPECT_EQ(finding.passed, c.passed) << c.name;
        EXPECT_EQ(finding.kind, c.kind) << c.name;
        EXPECT_TRUE(finding.detail.ends_with(c.lineEnd)) << c.name << ": " << finding.detail;
        EXPECT_EQ(probe.asked.size(), c.answers.size()) << c.name;
        ASSERT_TRUE(finding.clientTls) << c.name;
        ASSERT_FALSE(probe.asked.empty());
        EXPECT_EQ(probe.asked[0].protocols, c.set.protocols) << c.name;
        if (probe.asked.size() > 1) {
            EXPECT_EQ(probe.asked[1].protocols, 0u) << c.name;
        }
        EXPECT_EQ(probe.asked[0].target.host, "svc.example");
        EXPECT_EQ(probe.asked[0].target.port, 443);
    }
}

TEST(SecureUrlFinding, ARowThatFailedAlreadyKeepsItsKindAndGainsTheNote) {
    StubFetch fetch;
    fetch.outcome.status = 404;
    fetch.page = "Not found";
    StubProbe probe{{Refused(), Refused()}};
    const Finding finding = SecureUrlFinding(kUrl, kMarker, fetch, probe, DotNetSet());
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.kind, FindingKind::UnexpectedPage);
    ASSERT_TRUE(finding.clientTls);
    EXPECT_EQ(finding.clientTls->result, ClientTlsResult::Refused);
}

TEST(SecureUrlFinding, ProbesOnlyAfterTheFetchReachedTheService) {
    struct Case {
        const char* name;
        FetchOutcome outcome;
    } const cases[] = {
        {"no answer", {FetchFailure::SystemError, 0, 12029, 60s}},
        {"certificate", {FetchFailure::SystemError, 0, 12045, 60s}},
        {"proxy sign-in", {FetchFailure::None, 407, 0, 60s}},
    };
    for (const Case& c : cases) {
        StubFetch fetch;
        fetch.outcome = c.outcome;
        StubProbe probe{{Agreed(sp_prot::kTls12Client)}};
        const Finding finding = SecureUrlFinding(kUrl, kMarker, fetch, probe, DotNetSet());
        EXPECT_TRUE(probe.asked.empty()) << c.name;
        EXPECT_FALSE(finding.clientTls) << c.name;
    }
}

TEST(SecureUrlFinding, AProxySettingThatNamesNoProxyToConnectToIsSaid) {
    StubFetch fetch;
    fetch.outcome.proxy = {true, false, {}, true, "proxy.corp:80x", {}};
    StubProbe probe{{Agreed(sp_prot::kTls12Client)}};
    const Finding finding = SecureUrlFinding(kUrl, kMarker, fetch, probe, DotNetSet());
    EXPECT_TRUE(probe.asked.empty());
    EXPECT_TRUE(finding.passed);
    EXPECT_TRUE(finding.detail.ends_with("could not be checked: the proxy in the Internet settings is not one to "
                                         "connect to"))
        << finding.detail;
}

TEST(SecureUrlFinding, GoesTheWayTheFetchWent) {
    struct Case {
        const char* name;
        platform::ProxySettings settings;
        std::string finalUrl;
        ProbeWay way;
        const char* proxyHost;
        std::uint16_t targetPort;
    } const cases[] = {
        {"direct", {true, false, {}, false, {}, {}}, {}, ProbeWay::Direct, nullptr, 443},
        {"proxy", {true, false, {}, true, "http=web:80;https=secure.proxy:8443", {}}, {}, ProbeWay::Proxy,
         "secure.proxy", 443},
        {"bypassed", {true, false, {}, true, "proxy:3128", "*.example"}, {}, ProbeWay::Direct, nullptr, 443},
        {"script", {true, false, "http://wpad/proxy.pac", false, {}, {}}, {}, ProbeWay::AutoConfigScript, nullptr, 443},
        {"detection", {true, true, {}, true, "proxy:3128", {}}, {}, ProbeWay::AutoDetect, nullptr, 443},
        {"settings unknown", {}, {}, ProbeWay::Unknown, nullptr, 443},
        // Where a redirect ended.
        {"redirected", {true, false, {}, false, {}, {}}, "https://other.example:8443/x", ProbeWay::Direct, nullptr, 8443},
    };
    for (const Case& c : cases) {
        StubFetch fetch;
        fetch.outcome.proxy = c.settings;
        fetch.outcome.finalUrl = c.finalUrl;
        StubProbe probe{{Agreed(sp_prot::kTls12Client)}};
        SecureUrlFinding(kUrl, kMarker, fetch, probe, DotNetSet());
        ASSERT_EQ(probe.asked.size(), 1u) << c.name;
        const platform::ProbeRequest& asked = probe.asked[0];
        EXPECT_EQ(asked.way, c.way) << c.name;
        EXPECT_EQ(asked.proxy.has_value(), c.proxyHost != nullptr) << c.name;
        if (c.proxyHost) {
            EXPECT_EQ(asked.proxy->host, c.proxyHost);
            EXPECT_EQ(asked.proxy->port, 8443);
        }
        EXPECT_EQ(asked.target.port, c.targetPort) << c.name;
        EXPECT_EQ(asked.limit, kClientTlsLimit);
    }
}

}  // namespace
