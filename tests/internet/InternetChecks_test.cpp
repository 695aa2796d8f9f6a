// TestUrl and the two checks over a stand-in fetch: what the marker, the pieces and the fetch's
// own outcome make of the result, and the fixed endpoints.
#include "checks/InternetChecks.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// Serves fixed pieces for one URL; any other URL fails as an unreachable host would.
struct FakeFetch {
    FakeFetch(std::string url, std::vector<std::string> body)
        : servedUrl(std::move(url)), pieces(std::move(body)) {}

    std::string servedUrl;
    std::vector<std::string> pieces;
    bool succeeds = true;      // the outcome once every piece was passed on
    bool ignoresStop = false;  // goes on after the sink asked to stop
    bool throws = false;
    std::vector<std::string> requested;
    int piecesPassed = 0;

    bool Get(const std::string& url, const std::function<bool(std::string_view)>& sink) {
        requested.push_back(url);
        if (throws) throw std::runtime_error("network layer broke");
        if (url != servedUrl) return false;
        for (const std::string& piece : pieces) {
            ++piecesPassed;
            if (!sink(piece) && !ignoresStop) return true;
        }
        return succeeds;
    }
};

static_assert(UrlFetch<FakeFetch>);
static_assert(!DescribedUrlFetch<FakeFetch>);

// The same, with an account of itself as the program's fetch gives one.
struct DescribedFakeFetch : FakeFetch {
    using FakeFetch::FakeFetch;
    platform::FetchOutcome outcome{platform::FetchFailure::None, 200, 0,
                                   std::chrono::seconds(60)};
    const platform::FetchOutcome& LastOutcome() const { return outcome; }
};

static_assert(DescribedUrlFetch<DescribedFakeFetch>);

TEST(TestUrlMarker, PassesWhenThePageHoldsTheMarkerInAnyCase) {
    FakeFetch fetch{"http://h/p", {"<html><a href='TESSARYAPP.APPLICATION'>Install</a></html>"}};
    EXPECT_TRUE(TestUrl("http://h/p", "TessaryApp.application", fetch));
    EXPECT_TRUE(TestUrl("http://h/p", "tessaryapp.APPLICATION", fetch));
}

TEST(TestUrlMarker, FailsWhenThePageLacksTheMarker) {
    FakeFetch fetch{"http://h/p", {"<html><title>404 Not Found</title></html>"}};
    EXPECT_FALSE(TestUrl("http://h/p", "TessaryApp.application", fetch));
    fetch.pieces = {};
    EXPECT_FALSE(TestUrl("http://h/p", "TessaryApp.application", fetch));
}

TEST(TestUrlMarker, FindsAMarkerSplitBetweenPieces) {
    FakeFetch fetch{"https://h/ws", {"<wsdl>...GetCardDeta", "ilsByGuid...</wsdl>"}};
    EXPECT_TRUE(TestUrl("https://h/ws", "GetCardDetailsByGuid", fetch));
}

TEST(TestUrlMarker, StopsReadingOnceTheMarkerIsFound) {
    FakeFetch fetch{"http://h/p", {"a", "TessaryApp.application", "c", "d", "e"}};
    EXPECT_TRUE(TestUrl("http://h/p", "TessaryApp.application", fetch));
    EXPECT_EQ(fetch.piecesPassed, 2);
}

TEST(TestUrlFailure, AFailedFetchFailsEvenWithTheMarkerInWhatArrived) {
    FakeFetch fetch{"http://h/p", {"TessaryApp.application"}};
    fetch.ignoresStop = true;
    fetch.succeeds = false;
    EXPECT_FALSE(TestUrl("http://h/p", "TessaryApp.application", fetch));
}

TEST(TestUrlFailure, AnUnreachableAddressFails) {
    FakeFetch fetch{"http://h/p", {"TessaryApp.application"}};
    EXPECT_FALSE(TestUrl("http://other/p", "TessaryApp.application", fetch));
}

TEST(TestUrlFailure, AnExceptionBelowBecomesFalse) {
    FakeFetch fetch{"http://h/p", {"TessaryApp.application"}};
    fetch.throws = true;
    EXPECT_FALSE(TestUrl("http://h/p", "TessaryApp.application", fetch));
    EXPECT_FALSE(AppUrlPasses(fetch));
    EXPECT_FALSE(DataUrlPasses(fetch));
}

// The part of `url` after "scheme://": the host, then the path.
std::string AfterScheme(const std::string& url, const std::string& scheme) {
    return url.rfind(scheme + "://", 0) == 0 ? url.substr(scheme.size() + 3) : std::string();
}

TEST(InternetEndpoints, AreAPlainHttpPageAndAnHttpsServiceOnTheirFixedPaths) {
    const std::string app = AfterScheme(AppUrl(), "http");
    const std::string data = AfterScheme(DataUrl(), "https");
    ASSERT_FALSE(app.empty()) << AppUrl();
    ASSERT_FALSE(data.empty()) << DataUrl();
    const std::string appHost = app.substr(0, app.find('/'));
    const std::string dataHost = data.substr(0, data.find('/'));
    EXPECT_EQ(app.substr(appHost.size()), "/install/TessaryApp/publish.htm");
    EXPECT_EQ(data.substr(dataHost.size()), "/tessarycard.webservice/recordset.asmx");
    // A bare host: no port, user or query anywhere.
    for (const std::string& host : {appHost, dataHost}) {
        EXPECT_FALSE(host.empty());
        EXPECT_EQ(host.find_first_of(":@?#"), std::string::npos) << host;
    }
}

TEST(InternetEndpoints, EachCheckFetchesItsOwnAddressForItsOwnMarker) {
    FakeFetch app{AppUrl(), {"<a href=\"TessaryApp.application\">"}};
    EXPECT_TRUE(AppUrlPasses(app));
    EXPECT_EQ(app.requested, std::vector<std::string>{AppUrl()});
    EXPECT_FALSE(DataUrlPasses(app));

    FakeFetch data{DataUrl(), {"<s:element name=\"GetCardDetailsByGuid\">"}};
    EXPECT_TRUE(DataUrlPasses(data));
    EXPECT_EQ(data.requested, std::vector<std::string>{DataUrl()});

    // Each marker belongs to its own page.
    FakeFetch swapped{DataUrl(), {"TessaryApp.application"}};
    EXPECT_FALSE(DataUrlPasses(swapped));
}

// ---- the finding versions ----

// Every way a stand-in fetch can behave, for comparing the two versions of a check.
std::vector<DescribedFakeFetch> EveryKindOfFetch(const std::string& url) {
    const std::vector<std::vector<std::string>> bodies = {
        {}, {"<html>404</html>"}, {"TessaryApp.application"}, {"Tessary", "APP.application", "x"}};
    std::vector<DescribedFakeFetch> fetches;
    for (const std::string& served : {url, std::string("http://elsewhere/")})
        for (const auto& body : bodies)
            for (int flags = 0; flags < 8; ++flags) {
                DescribedFakeFetch fetch{served, body};
                fetch.succeeds = (flags & 1) != 0;
                fetch.ignoresStop = (flags & 2) != 0;
                fetch.throws = (flags & 4) != 0 && body.empty();
                fetches.push_back(fetch);
            }
    return fetches;
}

TEST(UrlFinding, GivesTestUrlsVerdictForEveryKindOfFetch) {
    const std::string url = "http://h/p";
    const std::string marker = "TessaryApp.application";
    int passes = 0;
    for (DescribedFakeFetch fetch : EveryKindOfFetch(url)) {
        DescribedFakeFetch again = fetch;
        const bool verdict = TestUrl(url, marker, fetch);
        const Finding finding = UrlFinding(url, marker, again);
        EXPECT_EQ(finding.passed, verdict)
            << "served " << fetch.servedUrl << ", " << fetch.pieces.size() << " pieces";
        EXPECT_EQ(again.piecesPassed, fetch.piecesPassed) << "read differently";
        EXPECT_FALSE(finding.detail.empty());
        passes += verdict;
    }
    EXPECT_GT(passes, 0) << "no passing fetch among them: the comparison proves little";
}

TEST(UrlFinding, TheLineComesFromTheFetchsAccountOfItself) {
    DescribedFakeFetch fetch{"http://h/p", {"<title>Not Found</title>"}};
    fetch.outcome.status = 404;
    const Finding finding = UrlFinding("http://h/p", "TessaryApp.application", fetch);
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, "http://h/p: HTTP 404, \"TessaryApp.application\" not in the page");

    DescribedFakeFetch unreachable{"http://h/p", {}};
    unreachable.outcome = {platform::FetchFailure::SystemError, 0, wininet_error::kNameNotResolved,
                           std::chrono::seconds(60)};
    EXPECT_EQ(UrlFinding("http://other/p", "m", unreachable).detail,
              "http://other/p: host name not resolved");
}

TEST(UrlFinding, AnExceptionBelowCouldNotCheck) {
    DescribedFakeFetch fetch{AppUrl(), {"TessaryApp.application"}};
    fetch.throws = true;
    for (const Finding& finding : {UrlFinding(AppUrl(), "TessaryApp.application", fetch),
                                   AppUrlFinding(fetch), DataUrlFinding(fetch)}) {
        EXPECT_FALSE(finding.passed);
        EXPECT_EQ(finding.detail.rfind(kCouldNotCheck, 0), 0u) << finding.detail;
    }
}

TEST(UrlFinding, EachCheckLooksAtItsOwnAddressForItsOwnMarker) {
    DescribedFakeFetch app{AppUrl(), {"<a href=\"TessaryApp.application\">"}};
    const Finding appFinding = AppUrlFinding(app);
    EXPECT_TRUE(appFinding.passed);
    EXPECT_EQ(app.requested, std::vector<std::string>{AppUrl()});
    EXPECT_EQ(appFinding.detail, AppUrl() + ": HTTP 200, \"TessaryApp.application\" found");

    DescribedFakeFetch data{DataUrl(), {"<s:element name=\"GetCardDetailsByGuid\">"}};
    const Finding dataFinding = DataUrlFinding(data);
    EXPECT_TRUE(dataFinding.passed);
    EXPECT_EQ(data.requested, std::vector<std::string>{DataUrl()});
    EXPECT_EQ(dataFinding.detail, DataUrl() + ": HTTP 200, \"GetCardDetailsByGuid\" found");

    DescribedFakeFetch swapped{DataUrl(), {"TessaryApp.application"}};
    EXPECT_FALSE(DataUrlFinding(swapped).passed);
}

}  // namespace
