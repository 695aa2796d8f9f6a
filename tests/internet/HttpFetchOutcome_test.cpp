// What the WinINet fetch says about how a fetch went, and the line the check makes of it,
// against servers on 127.0.0.1: the status, each kind of failure, and a late end of an abandoned
// fetch that must not change what the next one says.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "DirectConnection.h"
#include "LoopbackServer.h"
#include "checks/FetchFinding.h"
#include "checks/InternetChecks.h"
#include "platform/HttpFetch.h"
#include "platform/Win32.h"
#include <wininet.h>

namespace {

using namespace std::chrono_literals;
using nettest::Connection;
using nettest::LoopbackServer;
using nettest::Response;
using platform::FetchFailure;
using platform::HttpFetch;

// The line's names for WinINet's codes are WinINet's numbers.
static_assert(wininet_error::kTimeout == ERROR_INTERNET_TIMEOUT);
static_assert(wininet_error::kInvalidUrl == ERROR_INTERNET_INVALID_URL);
static_assert(wininet_error::kUnrecognizedScheme == ERROR_INTERNET_UNRECOGNIZED_SCHEME);
static_assert(wininet_error::kNameNotResolved == ERROR_INTERNET_NAME_NOT_RESOLVED);
static_assert(wininet_error::kOperationCancelled == ERROR_INTERNET_OPERATION_CANCELLED);
static_assert(wininet_error::kCannotConnect == ERROR_INTERNET_CANNOT_CONNECT);
static_assert(wininet_error::kConnectionAborted == ERROR_INTERNET_CONNECTION_ABORTED);
static_assert(wininet_error::kConnectionReset == ERROR_INTERNET_CONNECTION_RESET);
static_assert(wininet_error::kSecCertDateInvalid == ERROR_INTERNET_SEC_CERT_DATE_INVALID);
static_assert(wininet_error::kSecCertCnInvalid == ERROR_INTERNET_SEC_CERT_CN_INVALID);
static_assert(wininet_error::kClientAuthCertNeeded == ERROR_INTERNET_CLIENT_AUTH_CERT_NEEDED);
static_assert(wininet_error::kInvalidCa == ERROR_INTERNET_INVALID_CA);
static_assert(wininet_error::kSecCertErrors == ERROR_INTERNET_SEC_CERT_ERRORS);
static_assert(wininet_error::kSecCertNoRev == ERROR_INTERNET_SEC_CERT_NO_REV);
static_assert(wininet_error::kSecCertRevFailed == ERROR_INTERNET_SEC_CERT_REV_FAILED);
static_assert(wininet_error::kInvalidServerResponse == ERROR_HTTP_INVALID_SERVER_RESPONSE);
static_assert(wininet_error::kSecurityChannelError == ERROR_INTERNET_SECURITY_CHANNEL_ERROR);
static_assert(wininet_error::kDisconnected == ERROR_INTERNET_DISCONNECTED);
static_assert(wininet_error::kServerUnreachable == ERROR_INTERNET_SERVER_UNREACHABLE);
static_assert(wininet_error::kProxyServerUnreachable == ERROR_INTERNET_PROXY_SERVER_UNREACHABLE);
static_assert(wininet_error::kSecInvalidCert == ERROR_INTERNET_SEC_INVALID_CERT);
static_assert(wininet_error::kSecCertRevoked == ERROR_INTERNET_SEC_CERT_REVOKED);

static_assert(DescribedUrlFetch<HttpFetch>);

const auto* const kDirect = ::testing::AddGlobalTestEnvironment(new nettest::DirectConnection);
const std::string kMarker(kAppMarker);

LoopbackServer::Handler Serve(std::string response) {
    return [response](Connection& c) {
        c.ReadHead();
        c.Send(response);
    };
}

LoopbackServer::Handler Silent() {
    return [](Connection& c) {
        c.ReadHead();
        c.Pause(120s);
    };
}

// The check's finding for `url`, with the fetch left for a look at its outcome.
Finding Check(HttpFetch& fetch, const std::string& url, std::chrono::milliseconds limit = 10s) {
    fetch.SetTimeout(limit);
    return UrlFinding(url, kMarker, fetch);
}

std::string ClosedPortUrl() {
    return "http://127.0.0.1:" + std::to_string(nettest::UnusedPort()) + "/p";
}

// The prefix has no proxy while these tests run (kDirect): every request leaves the PC directly.
const std::string kWentDirect = " (direct)";

// ---- a page came ----

TEST(HttpFetchOutcomePage, TheMarkerFoundInAnOkPage) {
    LoopbackServer server(Serve(Response(200, "<a href=\"TessaryApp.application\">")));
    HttpFetch fetch;
    const std::string url = server.Url("/install/TessaryApp/publish.htm");
    const Finding finding = Check(fetch, url);
    EXPECT_TRUE(finding.passed);
    EXPECT_EQ(finding.detail, url + ": HTTP 200, \"TessaryApp.application\" found" + kWentDirect);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::None);
    EXPECT_EQ(fetch.LastOutcome().status, 200u);
    EXPECT_EQ(fetch.LastOutcome().limit, 10s);
}

// As with the bare verdict, the text decides; the line still tells a 404 from a 200.
TEST(HttpFetchOutcomePage, A404PageIsReportedWithItsStatus) {
    LoopbackServer withMarker(Serve(Response(404, "no TessaryApp.application here")));
    LoopbackServer without(Serve(Response(404, "<html>404 Not Found</html>")));
    HttpFetch fetch;
    const Finding found = Check(fetch, withMarker.Url("/p"));
    EXPECT_TRUE(found.passed);
    EXPECT_EQ(found.detail, withMarker.Url("/p") + ": HTTP 404, \"TessaryApp.application\" found" + kWentDirect);
    const Finding missing = Check(fetch, without.Url("/p"));
    EXPECT_FALSE(missing.passed);
    EXPECT_EQ(missing.detail,
              without.Url("/p") + ": HTTP 404, \"TessaryApp.application\" not in the page" + kWentDirect);
}

TEST(HttpFetchOutcomePage, AfterARedirectTheStatusAndAddressAreThoseOfThePageThatCame) {
    LoopbackServer server([](Connection& c) {
        if (c.ReadHead().rfind("GET /old ", 0) == 0)
            c.Send(Response(302, "", "Location: /new\r\n"));
        else
            c.Send(Response(200, "TessaryApp.application"));
    });
    HttpFetch fetch;
    EXPECT_TRUE(Check(fetch, server.Url("/old")).passed);
    EXPECT_EQ(fetch.LastOutcome().status, 200u);
    EXPECT_EQ(fetch.LastOutcome().finalUrl, server.Url("/new"));
    EXPECT_TRUE(Check(fetch, server.Url("/new")).passed);
    EXPECT_EQ(fetch.LastOutcome().finalUrl, "") << "no redirect this time";

    // The target refuses: the line names it, without the redirect's status.
    const std::string closed = ClosedPortUrl();
    LoopbackServer toClosed(Serve(Response(302, "", "Location: " + closed + "\r\n")));
    EXPECT_EQ(Check(fetch, toClosed.Url("/p")).detail,
              toClosed.Url("/p") + " -> " + closed + ": connection refused or server unreachable" + kWentDirect);
}

// ---- no page ----

TEST(HttpFetchOutcomeFailure, AHostNameThatDoesNotExist) {
    HttpFetch fetch;
    const std::string url = "http://no-such-host.invalid/p";
    const Finding finding = Check(fetch, url);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::SystemError);
    EXPECT_EQ(fetch.LastOutcome().systemError, wininet_error::kNameNotResolved);
    EXPECT_EQ(finding.detail, url + ": host name not resolved" + kWentDirect);
}

TEST(HttpFetchOutcomeFailure, AClosedPort) {
    HttpFetch fetch;
    const std::string url = ClosedPortUrl();
    const Finding finding = Check(fetch, url);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(fetch.LastOutcome().systemError, wininet_error::kCannotConnect);
    EXPECT_EQ(finding.detail, url + ": connection refused or server unreachable" + kWentDirect);
}

TEST(HttpFetchOutcomeFailure, AServerThatHangsUpWithoutAnAnswer) {
    LoopbackServer server([](Connection& c) { c.ReadHead(); });
    HttpFetch fetch;
    const Finding finding = Check(fetch, server.Url("/p"));
    EXPECT_FALSE(finding.passed);
    // Wine gives status 0 with no error; Windows fails the request itself.
    const auto& outcome = fetch.LastOutcome();
    EXPECT_TRUE(outcome.failure == FetchFailure::InvalidResponse ||
                outcome.failure == FetchFailure::SystemError)
        << finding.detail;
    EXPECT_EQ(outcome.status, 0u);
    EXPECT_EQ(finding.detail.rfind(server.Url("/p") + ": ", 0), 0u) << finding.detail;
}

TEST(HttpFetchOutcomeFailure, AnAddressThatIsNotAWebAddress) {
    HttpFetch fetch;
    const Finding finding = Check(fetch, "ftp://127.0.0.1/x");
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::UnsupportedAddress);
    EXPECT_EQ(finding.detail, "ftp://127.0.0.1/x: not an http:// or https:// address" + kWentDirect);
}

TEST(HttpFetchOutcomeFailure, RedirectsThatAreNotFollowed) {
    LoopbackServer loop([](Connection& c) {
        c.ReadHead();
        c.Send(Response(302, "", "Location: /again\r\n"));
    });
    LoopbackServer toFile(Serve(Response(301, "", "Location: file:///C:/windows/win.ini\r\n")));
    HttpFetch fetch;
    EXPECT_EQ(Check(fetch, loop.Url("/again")).detail,
              loop.Url("/again") + ": HTTP 302, too many redirects" + kWentDirect);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::TooManyRedirects);
    EXPECT_EQ(Check(fetch, toFile.Url("/p")).detail,
              toFile.Url("/p") +
                  ": HTTP 301, redirect to an insecure or non-web address not followed" + kWentDirect);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::RedirectRefused);
}

// ---- time ----

TEST(HttpFetchOutcomeTime, ASilentServerIsNoAnswerWithinTheLimit) {
    LoopbackServer server(Silent());
    HttpFetch fetch;
    const Finding finding = Check(fetch, server.Url("/p"), 1500ms);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::TimedOut);
    EXPECT_EQ(finding.detail, server.Url("/p") + ": no answer within 1.5 seconds" + kWentDirect);
}

TEST(HttpFetchOutcomeTime, APageThatStopsHalfWayIsNotCompleteWithinTheLimit) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n<html>");
        c.Pause(120s);
    });
    HttpFetch fetch;
    const Finding finding = Check(fetch, server.Url("/p"), 1500ms);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail,
              server.Url("/p") + ": HTTP 200, page not complete within 1.5 seconds" + kWentDirect);
}

TEST(HttpFetchOutcomeTime, CancellingCouldNotCheck) {
    LoopbackServer server(Serve(Response(200, "TessaryApp.application")));
    HttpFetch fetch;
    fetch.Cancel();
    const Finding finding = Check(fetch, server.Url("/p"));
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::Cancelled);
    EXPECT_EQ(finding.detail, std::string(kCouldNotCheck) + server.Url("/p") + ": cancelled");

    // Cancelled while waiting for a server, as when the window closes during a check.
    LoopbackServer silent(Silent());
    HttpFetch waiting;
    std::thread closer([&waiting] {
        std::this_thread::sleep_for(300ms);
        waiting.Cancel();
    });
    const Finding whileWaiting = Check(waiting, silent.Url("/p"));
    closer.join();
    EXPECT_EQ(waiting.LastOutcome().failure, FetchFailure::Cancelled);
    EXPECT_EQ(whileWaiting.detail.rfind(kCouldNotCheck, 0), 0u) << whileWaiting.detail;
}

// An abandoned fetch ends on its own thread later; what it meets then belongs to no Get.
TEST(HttpFetchOutcomeTime, EachGetSaysOnlyHowItselfWent) {
    LoopbackServer silent(Silent());
    LoopbackServer page(Serve(Response(200, "TessaryApp.application")));
    HttpFetch fetch;
    EXPECT_FALSE(Check(fetch, silent.Url("/p"), 800ms).passed);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::TimedOut);

    EXPECT_TRUE(Check(fetch, page.Url("/p"), 800ms).passed);
    // The first fetch's own receive limit ends it meanwhile, with an error of its own.
    std::this_thread::sleep_for(2s);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::None);
    EXPECT_EQ(fetch.LastOutcome().systemError, 0u);
    EXPECT_EQ(fetch.LastOutcome().status, 200u);

    EXPECT_FALSE(Check(fetch, ClosedPortUrl()).passed);
    EXPECT_EQ(fetch.LastOutcome().failure, FetchFailure::SystemError);
    EXPECT_EQ(fetch.LastOutcome().status, 0u) << "the earlier page's status stayed";
}

}  // namespace
