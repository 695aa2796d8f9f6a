// TestUrl and the two checks over a stand-in fetch: what the marker, the pieces and the fetch's
// own outcome make of the result, and the fixed endpoints.
#include "checks/InternetChecks.h"

#include <gtest/gtest.h>

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

}  // namespace
