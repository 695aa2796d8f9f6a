// The WinINet fetch over HTTPS and through a proxy, and the two checks end to end: certificates
// from a test authority trusted inside the tests' Wine prefix only, redirects between the
// schemes, and the built-in hosts reached through a proxy set in the prefix's Internet settings.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "DirectConnection.h"
#include "LoopbackServer.h"
#include "TestProxy.h"
#include "TlsServers.h"
#include "checks/InternetChecks.h"
#include "platform/HttpFetch.h"

namespace {

using namespace std::chrono_literals;
using nettest::Connection;
using nettest::LoopbackServer;
using nettest::Response;
using platform::HttpFetch;

const auto* const kDirect = ::testing::AddGlobalTestEnvironment(new nettest::DirectConnection);
const std::string kServicePath(kDataPath);
const std::string kServiceMarker(kDataMarker);

// The server's last day, "YYYY-MM-DD", as make-test-certs.sh wrote it.
std::string ValidUntil(const std::string& listener) {
    std::ifstream in(nettest::CertificateFolder() + "\\" + listener + ".until");
    std::string date;
    in >> date;
    return date;
}

bool Passes(const std::string& url, const std::string& marker) {
    HttpFetch fetch;
    fetch.SetTimeout(15s);
    return TestUrl(url, marker, fetch);
}

std::string Escaped(const std::string& url) {
    std::string out;
    for (char c : url) {
        if (c == ':' || c == '/' || c == '?' || c == '&' || c == '=') {
            const char* hex = "0123456789ABCDEF";
            out += '%';
            out += hex[(c >> 4) & 0xF];
            out += hex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

// The servers, and the test authority trusted in the prefix, for a whole suite. (Wine's chain
// engine keeps the trusted roots it has seen for the life of the process, so trust is not taken
// back test by test: the "untrusted" server, with the same names under an unknown authority,
// is what shows that the authority decides.)
class HttpsFetch : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        servers_ = std::make_unique<nettest::TlsServers>();
        trust_ = std::make_unique<nettest::ScopedTrustedAuthority>();
    }
    static void TearDownTestSuite() {
        trust_.reset();
        servers_.reset();
    }
    static nettest::TlsServers& Servers() { return *servers_; }

private:
    static std::unique_ptr<nettest::TlsServers> servers_;
    static std::unique_ptr<nettest::ScopedTrustedAuthority> trust_;
};
std::unique_ptr<nettest::TlsServers> HttpsFetch::servers_;
std::unique_ptr<nettest::ScopedTrustedAuthority> HttpsFetch::trust_;

TEST_F(HttpsFetch, APageFromAServerTheSystemTrustsPasses) {
    EXPECT_TRUE(Passes(Servers().Url("trusted", kServicePath), kServiceMarker));
}

TEST_F(HttpsFetch, ACertificateFromAnUnknownAuthorityFails) {
    EXPECT_FALSE(Passes(Servers().Url("untrusted", kServicePath), kServiceMarker));
}

TEST_F(HttpsFetch, ACertificateForAnotherHostFails) {
    EXPECT_FALSE(Passes(Servers().Url("wrong-host", kServicePath), kServiceMarker));
}

TEST_F(HttpsFetch, ARedirectFromHttpsToHttpFails) {
    LoopbackServer plain([](Connection& c) {
        c.ReadHead();
        c.Send(Response(200, "<p>GetCardDetailsByGuid</p>"));
    });
    const std::string insecure = plain.Url(kServicePath);
    ASSERT_TRUE(Passes(insecure, kServiceMarker)) << "the plain page itself passes";
    EXPECT_FALSE(
        Passes(Servers().Url("trusted", "/redirect?to=" + Escaped(insecure)), kServiceMarker));
    EXPECT_EQ(plain.Accepted(), 1) << "the insecure page was asked for after the redirect";
}

TEST_F(HttpsFetch, RedirectsToHttpsAreFollowed) {
    const std::string secure = Servers().Url("trusted", kServicePath);
    EXPECT_TRUE(
        Passes(Servers().Url("trusted", "/redirect?to=" + Escaped(secure)), kServiceMarker));
    LoopbackServer plain([&](Connection& c) {
        c.ReadHead();
        c.Send(Response(302, "", "Location: " + secure + "\r\n"));
    });
    EXPECT_TRUE(Passes(plain.Url("/old"), kServiceMarker));
}

TEST_F(HttpsFetch, ARedirectToAnUntrustedServerFails) {
    const std::string untrusted = Servers().Url("untrusted", kServicePath);
    EXPECT_FALSE(
        Passes(Servers().Url("trusted", "/redirect?to=" + Escaped(untrusted)), kServiceMarker));
}

// What the check says about each server: the finding names the certificate fault.
TEST_F(HttpsFetch, TheFindingSaysWhatWasWrongWithTheCertificate) {
    HttpFetch fetch;
    fetch.SetTimeout(15s);
    const std::string trusted = Servers().Url("trusted", kServicePath);
    const Finding good = UrlFinding(trusted, kServiceMarker, fetch);
    EXPECT_TRUE(good.passed);
    EXPECT_EQ(good.detail, trusted + ": HTTP 200, \"GetCardDetailsByGuid\" found (direct)");

    const std::string untrusted = Servers().Url("untrusted", kServicePath);
    const Finding unknown = UrlFinding(untrusted, kServiceMarker, fetch);
    EXPECT_FALSE(unknown.passed);
    EXPECT_EQ(fetch.LastOutcome().failure, platform::FetchFailure::SystemError);
    EXPECT_EQ(fetch.LastOutcome().status, 0u) << "a request went out before the certificate";
    // Windows says the authority is unknown; Wine that revocation could not be checked.
    EXPECT_EQ(unknown.detail.rfind(untrusted + ": certificate not trusted", 0), 0u)
        << unknown.detail << " (WinINet error " << fetch.LastOutcome().systemError << ")";

    const std::string wrongHost = Servers().Url("wrong-host", kServicePath);
    const Finding mismatch = UrlFinding(wrongHost, kServiceMarker, fetch);
    EXPECT_FALSE(mismatch.passed);
    EXPECT_EQ(mismatch.detail, wrongHost +
                                   ": certificate name does not match the server: issued to wrong-host by "
                                   "QTSysCheck Test Authority, valid until " + ValidUntil("wrong-host") +
                                   " (direct)")
        << "WinINet error " << fetch.LastOutcome().systemError;
}

// Who issued a certificate that was turned down comes from the handshake alone: the server reads
// no request over that connection.
TEST_F(HttpsFetch, TheFindingNamesTheCertificateTurnedDownWithoutSendingARequest) {
    HttpFetch fetch;
    fetch.SetTimeout(15s);
    const int before = Servers().Requests("untrusted");
    const std::string untrusted = Servers().Url("untrusted", kServicePath);
    const Finding finding = UrlFinding(untrusted, kServiceMarker, fetch);
    ASSERT_TRUE(finding.certificate) << finding.detail;
    EXPECT_EQ(finding.certificate->subject, "untrusted");
    EXPECT_EQ(finding.certificate->issuer, "QTSysCheck Unknown Authority");
    ASSERT_EQ(ValidUntil("untrusted").size(), 10u);
    EXPECT_EQ(finding.certificate->validUntil, ValidUntil("untrusted"));
    const std::string named = ": issued to untrusted by QTSysCheck Unknown Authority, valid until " +
                              ValidUntil("untrusted") + " (direct)";
    EXPECT_EQ(finding.detail.substr(finding.detail.size() - std::min(finding.detail.size(), named.size())),
              named)
        << finding.detail;
    EXPECT_EQ(Servers().Requests("untrusted"), before);

    // The count does count: a trusted page is one request.
    const int trustedBefore = Servers().Requests("trusted");
    EXPECT_TRUE(UrlFinding(Servers().Url("trusted", kServicePath), kServiceMarker, fetch).passed);
    EXPECT_EQ(Servers().Requests("trusted"), trustedBefore + 1);
    EXPECT_FALSE(fetch.LastOutcome().certificate);
}

TEST_F(HttpsFetch, TheFindingSaysARedirectToHttpWasNotFollowed) {
    LoopbackServer plain([](Connection& c) {
        c.ReadHead();
        c.Send(Response(200, "<p>GetCardDetailsByGuid</p>"));
    });
    HttpFetch fetch;
    fetch.SetTimeout(15s);
    const std::string url = Servers().Url("trusted", "/redirect?to=" + Escaped(plain.Url("/p")));
    const Finding finding = UrlFinding(url, kServiceMarker, fetch);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(fetch.LastOutcome().failure, platform::FetchFailure::RedirectRefused);
    EXPECT_EQ(finding.detail,
              url + ": HTTP 302, redirect to an insecure or non-web address not followed (direct)");
    EXPECT_EQ(plain.Accepted(), 0);
}

// The proxy's own log of request heads.
class ProxyLog {
public:
    void Add(const std::string& head) {
        std::lock_guard lock(mutex_);
        heads_.push_back(head);
    }
    bool Saw(const std::string& start) const {
        std::lock_guard lock(mutex_);
        for (const std::string& head : heads_)
            if (head.rfind(start, 0) == 0) return true;
        return false;
    }
    std::string All() const {
        std::lock_guard lock(mutex_);
        std::string all;
        for (const std::string& head : heads_) all += head;
        return all;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> heads_;
};

// The built-in hosts lie in a domain that never resolves: only the proxy can reach them.
class ChecksThroughProxy : public HttpsFetch {};

TEST_F(ChecksThroughProxy, BothChecksPassThroughTheSystemProxy) {
    ProxyLog log;
    LoopbackServer proxy(nettest::ProxyHandler(
        [&](const std::string& head) { log.Add(head); },
        [](const std::string&) {
            return Response(200, "<a href=\"TessaryApp.application\">Install</a>");
        },
        Servers().Port("trusted")));
    nettest::ScopedProxySetting setting(proxy.Port());

    HttpFetch fetch;
    fetch.SetTimeout(15s);
    EXPECT_TRUE(AppUrlPasses(fetch));
    EXPECT_TRUE(DataUrlPasses(fetch));
    // The line says the request went through the proxy, as the settings WinINet used say.
    const std::string line = DataUrlFinding(fetch).detail;
    const std::string viaProxy = " (through proxy 127.0.0.1:" + std::to_string(proxy.Port()) + ")";
    EXPECT_EQ(line.substr(line.size() - std::min(line.size(), viaProxy.size())), viaProxy) << line;

    // Wine names the default port in the request line; Windows leaves it out.
    const std::string appHost = AppUrl().substr(7, AppUrl().find('/', 7) - 7);
    const std::string appPath(kAppPath);
    EXPECT_TRUE(log.Saw("GET http://" + appHost + appPath + " HTTP/1.1\r\n") ||
                log.Saw("GET http://" + appHost + ":80" + appPath + " HTTP/1.1\r\n"))
        << log.All();
    const std::string dataHost = DataUrl().substr(8, DataUrl().find('/', 8) - 8);
    EXPECT_TRUE(log.Saw("CONNECT " + dataHost + ":443 ")) << log.All();
}

TEST_F(ChecksThroughProxy, AProxysOwnPageFailsTheCheck) {
    LoopbackServer proxy(nettest::ProxyHandler(
        [](const std::string&) {},
        [](const std::string&) {
            return Response(403, "<html>Access denied by your company's web filter</html>");
        },
        nettest::UnusedPort()));
    nettest::ScopedProxySetting setting(proxy.Port());
    HttpFetch fetch;
    fetch.SetTimeout(15s);
    EXPECT_FALSE(AppUrlPasses(fetch));
    EXPECT_FALSE(DataUrlPasses(fetch));
    EXPECT_GE(proxy.Accepted(), 2);
}

TEST(ChecksWithoutNetwork, BothChecksFail) {
    // No proxy, and the built-in hosts do not resolve here: what an offline machine sees.
    HttpFetch fetch;
    fetch.SetTimeout(10s);
    EXPECT_FALSE(AppUrlPasses(fetch));
    EXPECT_FALSE(DataUrlPasses(fetch));
}

}  // namespace
