// The WinINet fetch over plain HTTP against servers on 127.0.0.1: bodies, markers, error
// statuses, failures, the time-out, cancelling, redirects, the cache and memory.
#include "platform/HttpFetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DirectConnection.h"
#include "LoopbackServer.h"
#include "checks/InternetChecks.h"
#include "platform/Win32.h"
#include <psapi.h>
#include <wininet.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using nettest::Connection;
using nettest::LoopbackServer;
using nettest::Response;
using platform::HttpFetch;

constexpr auto kShortTimeout = 1500ms;

const auto* const kDirect = ::testing::AddGlobalTestEnvironment(new nettest::DirectConnection);

// The request heads a server has seen.
class RequestLog {
public:
    void Add(std::string head) {
        std::lock_guard lock(mutex_);
        heads_.push_back(std::move(head));
    }
    std::vector<std::string> Heads() const {
        std::lock_guard lock(mutex_);
        return heads_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> heads_;
};

// Answers every request with the same response.
LoopbackServer::Handler Serve(std::string response, RequestLog* log = nullptr) {
    return [response, log](Connection& c) {
        const std::string head = c.ReadHead();
        if (log) log->Add(head);
        c.Send(response);
    };
}

struct Fetched {
    bool ok = false;
    std::vector<std::string> pieces;
    std::string Body() const {
        std::string body;
        for (const std::string& p : pieces) body += p;
        return body;
    }
};

Fetched FetchAll(HttpFetch& fetch, const std::string& url) {
    Fetched result;
    result.ok = fetch.Get(url, [&](std::string_view piece) {
        result.pieces.emplace_back(piece);
        return true;
    });
    return result;
}

Fetched FetchAll(const std::string& url) {
    HttpFetch fetch;
    fetch.SetTimeout(10s);
    return FetchAll(fetch, url);
}

bool Passes(const std::string& url, const std::string& marker,
            std::chrono::milliseconds timeout = 10s) {
    HttpFetch fetch;
    fetch.SetTimeout(timeout);
    return TestUrl(url, marker, fetch);
}

bool ContainsNoCase(std::string text, std::string part) {
    for (std::string* s : {&text, &part})
        for (char& c : *s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text.find(part) != std::string::npos;
}

// ---- pages ----

TEST(HttpFetchPage, PassesTheBodyOnAsItIs) {
    const std::string body = "<html>\r\n\tTessaryApp.application \xe4\xf6\0 end</html>";
    LoopbackServer server(Serve(Response(200, body)));
    const Fetched fetched = FetchAll(server.Url("/install/TessaryApp/publish.htm"));
    EXPECT_TRUE(fetched.ok);
    EXPECT_EQ(fetched.Body(), body);
}

TEST(HttpFetchPage, FindsTheMarkerInAnyLetterCase) {
    LoopbackServer plain(Serve(Response(200, "<a href=\"TessaryApp.application\">Install</a>")));
    LoopbackServer capitals(Serve(Response(200, "<A HREF=\"TESSARYAPP.APPLICATION\">INSTALL</A>")));
    LoopbackServer without(Serve(Response(200, "<html>Welcome to our hotspot</html>")));
    EXPECT_TRUE(Passes(plain.Url("/p"), "TessaryApp.application"));
    EXPECT_TRUE(Passes(capitals.Url("/p"), "TessaryApp.application"));
    EXPECT_FALSE(Passes(without.Url("/p"), "TessaryApp.application"));
}

// Error statuses pass their body on, as the transfer control did: the text decides.
TEST(HttpFetchPage, AnErrorPageIsJudgedByItsText) {
    LoopbackServer notFound(Serve(Response(404, "<html>404 Not Found</html>")));
    const Fetched fetched = FetchAll(notFound.Url("/install/TessaryApp/publish.htm"));
    EXPECT_TRUE(fetched.ok);
    EXPECT_EQ(fetched.Body(), "<html>404 Not Found</html>");
    EXPECT_FALSE(Passes(notFound.Url("/install/TessaryApp/publish.htm"), "TessaryApp.application"));

    LoopbackServer serverError(Serve(Response(500, "error while serving TessaryApp.application")));
    EXPECT_TRUE(Passes(serverError.Url("/p"), "TessaryApp.application"));
}

TEST(HttpFetchPage, AnEmptyBodyArrivesAndLacksTheMarker) {
    LoopbackServer server(Serve(Response(200, "")));
    const Fetched fetched = FetchAll(server.Url("/p"));
    EXPECT_TRUE(fetched.ok);
    EXPECT_TRUE(fetched.Body().empty());
    EXPECT_FALSE(Passes(server.Url("/p"), "TessaryApp.application"));
}

TEST(HttpFetchPage, DecodesAChunkedBody) {
    LoopbackServer server(
        Serve("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
              "a\r\n<p>Tessary\r\n10\r\nApp.application<\r\n3\r\n/p>\r\n0\r\n\r\n"));
    const Fetched fetched = FetchAll(server.Url("/p"));
    EXPECT_TRUE(fetched.ok);
    EXPECT_EQ(fetched.Body(), "<p>TessaryApp.application</p>");
    EXPECT_TRUE(Passes(server.Url("/p"), "tessaryapp.application"));
}

TEST(HttpFetchPage, FindsAMarkerSplitAcrossTwoReads) {
    const std::string marker = "TessaryApp.application";
    const std::string body = "<html>" + marker + "</html>";
    const std::size_t cut = 6 + 10;  // inside the marker
    LoopbackServer server([&](Connection& c) {
        c.ReadHead();
        c.Send(Response(200, body).substr(0, Response(200, body).size() - body.size() + cut));
        c.Pause(400ms);
        c.Send(body.substr(cut));
    });
    const Fetched fetched = FetchAll(server.Url("/p"));
    ASSERT_TRUE(fetched.ok);
    EXPECT_EQ(fetched.Body(), body);
    ASSERT_GE(fetched.pieces.size(), 2u);
    for (const std::string& piece : fetched.pieces)
        EXPECT_EQ(piece.find(marker), std::string::npos) << "the marker came whole: " << piece;
    EXPECT_TRUE(Passes(server.Url("/p"), marker));
}

TEST(HttpFetchPage, StopsReadingOnceTheMarkerHasArrived) {
    // The page promises far more than it sends and then falls silent.
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n<a>TessaryApp.application</a>");
        c.Pause(30s);
    });
    const auto start = Clock::now();
    EXPECT_TRUE(Passes(server.Url("/p"), "TessaryApp.application", 20s));
    EXPECT_LT(Clock::now() - start, 5s);
}

// ---- failures ----

TEST(HttpFetchFailure, ARefusedConnectionFailsAtOnce) {
    const auto start = Clock::now();
    EXPECT_FALSE(FetchAll("http://127.0.0.1:" + std::to_string(nettest::UnusedPort()) + "/p").ok);
    EXPECT_LT(Clock::now() - start, 8s);
}

TEST(HttpFetchFailure, AServerThatHangsUpWithoutAnAnswerFails) {
    LoopbackServer server([](Connection& c) { c.ReadHead(); });
    EXPECT_FALSE(FetchAll(server.Url("/p")).ok);
}

TEST(HttpFetchFailure, OnlyHttpAndHttpsAddressesAreFetched) {
    LoopbackServer server(Serve(Response(200, "TessaryApp.application")));
    const std::string port = std::to_string(server.Port());
    for (const std::string& url : {"ftp://127.0.0.1:" + port + "/p", "127.0.0.1:" + port + "/p",
                                   std::string("file:///C:/windows/win.ini"), std::string()})
        EXPECT_FALSE(FetchAll(url).ok) << url;
    EXPECT_EQ(server.Accepted(), 0);
    EXPECT_TRUE(FetchAll("HTTP://127.0.0.1:" + port + "/p").ok);
}

// ---- time-out ----

TEST(HttpFetchTimeout, TheShippedLimitIsSixtySeconds) {
    EXPECT_EQ(HttpFetch().Timeout(), std::chrono::seconds(60));
}

// Runs a fetch on another thread, as the window does.
std::future<bool> FetchInBackground(HttpFetch& fetch, const std::string& url) {
    return std::async(std::launch::async, [&fetch, url] { return FetchAll(fetch, url).ok; });
}

TEST(HttpFetchTimeout, ASilentServerIsWaitedForUpToTheLimit) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Pause(120s);
    });
    HttpFetch fetch;
    fetch.SetTimeout(kShortTimeout);
    const auto start = Clock::now();
    EXPECT_FALSE(FetchAll(fetch, server.Url("/p")).ok);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, kShortTimeout - 50ms);
    EXPECT_LT(took, kShortTimeout + 2s);
}

TEST(HttpFetchTimeout, TheShippedLimitKeepsWaitingUntilCancelled) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Pause(120s);
    });
    HttpFetch fetch;
    auto result = FetchInBackground(fetch, server.Url("/p"));
    EXPECT_EQ(result.wait_for(3s), std::future_status::timeout) << "gave up before 60 s";
    const auto cancelled = Clock::now();
    fetch.Cancel();
    ASSERT_EQ(result.wait_for(2s), std::future_status::ready) << "Cancel did not end the fetch";
    EXPECT_FALSE(result.get());
    EXPECT_LT(Clock::now() - cancelled, 2s);
}

// Headers that trickle in one byte a second never make a response within the limit.
TEST(HttpFetchTimeout, HeadersDrippingInFail) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        for (char byte : Response(200, "TessaryApp.application"))
            if (!c.Send(std::string(1, byte)) || !c.Pause(1s)) return;
    });
    HttpFetch fetch;
    fetch.SetTimeout(kShortTimeout);
    const auto start = Clock::now();
    EXPECT_FALSE(TestUrl(server.Url("/p"), "TessaryApp.application", fetch));
    EXPECT_LT(Clock::now() - start, kShortTimeout + 2s);
}

// A body that trickles in is passed on as it comes, and still ends at the limit.
TEST(HttpFetchTimeout, ABodyDrippingInFailsAtTheLimit) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
        for (int i = 0; i < 1000; ++i)
            if (!c.Send("x") || !c.Pause(1s)) return;
    });
    HttpFetch fetch;
    fetch.SetTimeout(2500ms);
    const auto start = Clock::now();
    const Fetched fetched = FetchAll(fetch, server.Url("/p"));
    const auto took = Clock::now() - start;
    EXPECT_FALSE(fetched.ok);
    EXPECT_GE(took, 2400ms);
    EXPECT_LT(took, 2500ms + 2s);
    EXPECT_GE(fetched.Body().size(), 2u) << "the bytes that came were not passed on as they came";
}

TEST(HttpFetchCancel, EndsABodyInProgressFromAnotherThread) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
        for (int i = 0; i < 1000; ++i)
            if (!c.Send("x") || !c.Pause(200ms)) return;
    });
    HttpFetch fetch;
    auto result = FetchInBackground(fetch, server.Url("/p"));
    std::this_thread::sleep_for(700ms);
    fetch.Cancel();
    ASSERT_EQ(result.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(result.get());
}

TEST(HttpFetchCancel, IsForGoodAndTouchesNoServer) {
    LoopbackServer server(Serve(Response(200, "TessaryApp.application")));
    HttpFetch fetch;
    fetch.Cancel();
    EXPECT_FALSE(TestUrl(server.Url("/p"), "TessaryApp.application", fetch));
    EXPECT_FALSE(TestUrl(server.Url("/p"), "TessaryApp.application", fetch));
    EXPECT_EQ(server.Accepted(), 0);
}

// ---- redirects ----

TEST(HttpFetchRedirect, FollowsARelativeRedirect) {
    RequestLog log;
    LoopbackServer server([&](Connection& c) {
        const std::string head = c.ReadHead();
        log.Add(head);
        if (head.rfind("GET /old ", 0) == 0)
            c.Send(Response(302, "moved", "Location: /new\r\n"));
        else
            c.Send(Response(200, "<a>TessaryApp.application</a>"));
    });
    EXPECT_TRUE(Passes(server.Url("/old"), "TessaryApp.application"));
    const auto heads = log.Heads();
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_EQ(heads[1].rfind("GET /new ", 0), 0u) << heads[1];
}

TEST(HttpFetchRedirect, FollowsAnAbsoluteRedirectToAnotherServer) {
    LoopbackServer target(Serve(Response(200, "<a>TessaryApp.application</a>")));
    LoopbackServer origin(
        Serve(Response(301, "moved", "Location: " + target.Url("/new") + "\r\n")));
    const Fetched fetched = FetchAll(origin.Url("/old"));
    EXPECT_TRUE(fetched.ok);
    EXPECT_EQ(fetched.Body(), "<a>TessaryApp.application</a>") << "the redirect's own body came";
}

TEST(HttpFetchRedirect, GivesUpOnARedirectLoop) {
    LoopbackServer server([](Connection& c) {
        c.ReadHead();
        c.Send(Response(302, "TessaryApp.application", "Location: /again\r\n"));
    });
    EXPECT_FALSE(Passes(server.Url("/again"), "TessaryApp.application"));
    EXPECT_EQ(server.Accepted(), HttpFetch::kMaxRedirects + 1);
}

TEST(HttpFetchRedirect, FollowsNoRedirectToAnotherKindOfAddress) {
    LoopbackServer ftp(Serve("220 ready\r\n"));
    const std::string ftpUrl = "ftp://127.0.0.1:" + std::to_string(ftp.Port()) + "/x";
    LoopbackServer toFtp(Serve(Response(302, "", "Location: " + ftpUrl + "\r\n")));
    LoopbackServer toFile(Serve(Response(302, "", "Location: file:///C:/windows/win.ini\r\n")));
    EXPECT_FALSE(FetchAll(toFtp.Url("/p")).ok);
    EXPECT_EQ(ftp.Accepted(), 0);
    EXPECT_FALSE(Passes(toFile.Url("/p"), "[mail]"));
}

// ---- nothing kept, nothing reused ----

TEST(HttpFetchCache, AnOfflineServerIsNeverAnsweredFromAnEarlierFetch) {
    RequestLog log;
    auto server = std::make_unique<LoopbackServer>(
        Serve(Response(200, "<a>TessaryApp.application</a>",
                       "Cache-Control: public, max-age=86400\r\n"
                       "Expires: Fri, 01 Jan 2100 00:00:00 GMT\r\n"
                       "Last-Modified: Mon, 01 Jan 2024 00:00:00 GMT\r\n"),
              &log));
    const std::string url = server->Url("/install/TessaryApp/publish.htm");
    EXPECT_TRUE(Passes(url, "TessaryApp.application"));
    server->Stop();
    EXPECT_FALSE(Passes(url, "TessaryApp.application"));

    // Nothing went into WinINet's cache either, and proxies were told not to answer from theirs.
    DWORD size = 0;
    EXPECT_FALSE(GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    const auto heads = log.Heads();
    ASSERT_EQ(heads.size(), 1u);
    EXPECT_TRUE(ContainsNoCase(heads[0], "\r\nPragma: no-cache\r\n")) << heads[0];
}

TEST(HttpFetchCache, KeepsNoCookies) {
    LoopbackServer server(Serve(
        Response(200, "page",
                 "Set-Cookie: session=abc; expires=Fri, 01 Jan 2100 00:00:00 GMT; path=/\r\n")));
    const std::string url = server.Url("/p");
    EXPECT_TRUE(FetchAll(url).ok);
    DWORD size = 0;
    EXPECT_FALSE(InternetGetCookieA(url.c_str(), nullptr, nullptr, &size));
}

// ---- memory ----

std::size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

// The byte at `offset` of the big page: a pattern that shows lost, doubled or reordered bytes.
char PatternByte(std::uint64_t offset) {
    return static_cast<char>('a' + (offset * 7 + offset / 4093) % 26);
}

TEST(HttpFetchMemory, AHugePageStreamsThroughInFlatMemory) {
    constexpr std::uint64_t kSize = 160ull << 20;
    LoopbackServer server([&](Connection& c) {
        const std::uint64_t size = c.ReadHead().rfind("GET /big ", 0) == 0 ? kSize : 1 << 20;
        if (!c.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) + "\r\n\r\n"))
            return;
        std::string block(1 << 20, '\0');
        for (std::uint64_t sent = 0; sent < size; sent += block.size()) {
            for (std::size_t i = 0; i < block.size(); ++i) block[i] = PatternByte(sent + i);
            if (!c.Send(block)) return;
        }
    });
    // Threads, WinINet and its buffers are set up by a first, small fetch.
    EXPECT_TRUE(FetchAll(server.Url("/warm-up")).ok);

    const std::size_t before = PeakWorkingSet();
    HttpFetch fetch;
    fetch.SetTimeout(50s);
    std::uint64_t received = 0;
    bool intact = true;
    MarkerSearch search("TessaryApp.application");
    const bool ok = fetch.Get(server.Url("/big"), [&](std::string_view piece) {
        for (std::size_t i = 0; i < piece.size() && intact; ++i)
            intact = piece[i] == PatternByte(received + i);
        received += piece.size();
        search.Feed(piece);
        return true;
    });
    const std::size_t growth = PeakWorkingSet() - before;
    EXPECT_TRUE(ok);
    EXPECT_EQ(received, kSize);
    EXPECT_TRUE(intact);
    EXPECT_FALSE(search.Found());
    EXPECT_LT(growth, 8u << 20) << "peak working set grew by " << growth << " bytes";
}

}  // namespace
