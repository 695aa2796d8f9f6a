#pragma once
// The two Internet reachability checks: the vendor's application download page and its secure
// web service are each reached by fetching one fixed address and finding a fixed marker text in
// what comes back. The hosts are set when the program is built (QT_APP_HOST, QT_DATA_HOST).
#include <concepts>
#include <functional>
#include <string>
#include <string_view>

#include "FetchFinding.h"
#include "Finding.h"
#include "MarkerSearch.h"
#include "platform/FetchOutcome.h"
#include "platform/MissingSystemFunction.h"

inline constexpr std::string_view kAppPath = "/install/TessaryApp/publish.htm";
inline constexpr std::string_view kAppMarker = "TessaryApp.application";
inline constexpr std::string_view kDataPath = "/tessarycard.webservice/recordset.asmx";
inline constexpr std::string_view kDataMarker = "GetCardDetailsByGuid";

// The application download page: "http://", the vendor's public web server, kAppPath.
std::string AppUrl();
// The secure web service: "https://", the vendor's web-service host, kDataPath.
std::string DataUrl();

// What the checks fetch with: one GET whose body is passed on piece by piece as it arrives,
// true unless the fetch failed; the sink returns false when it needs no more.
// platform::HttpFetch in the program.
template <typename Fetch>
concept UrlFetch = requires(Fetch& fetch, const std::string& url,
                            const std::function<bool(std::string_view)>& sink) {
    { fetch.Get(url, sink) } -> std::convertible_to<bool>;
};

// The finding versions also need the fetch's account of its last Get.
template <typename Fetch>
concept DescribedUrlFetch = UrlFetch<Fetch> && requires(const Fetch& fetch) {
    { fetch.LastOutcome() } -> std::convertible_to<const platform::FetchOutcome&>;
};

// Fetches `url` and looks for `marker` in it, letter case ignored, reading no further than the
// marker. Exceptions pass through. The one place a verdict is made, for TestUrl and UrlFinding.
template <UrlFetch Fetch>
PageSearch SearchPage(const std::string& url, const std::string& marker, Fetch& fetch) {
    MarkerSearch search(marker);
    PageSearch result;
    result.fetched =
        fetch.Get(url, [&search](std::string_view piece) { return !search.Feed(piece); });
    result.markerFound = search.Found();
    return result;
}

// True when the document at `url` could be fetched and contains `SearchString`, letter case
// ignored. The response status is not looked at, only the text. Reading stops as soon as the
// marker has been seen. Every failure, of the fetch or here, gives false; never throws.
template <UrlFetch Fetch>
bool TestUrl(const std::string& url, const std::string& SearchString, Fetch& fetch) noexcept {
    try {
        return SearchPage(url, SearchString, fetch).Passed();
    } catch (...) {
        return false;
    }
}

// The finding of a check that broke down inside this program (out of memory, say): a
// "Could not check: " line about `what`, or no line when there is no memory even for that.
inline Finding BrokeDown(std::string_view what) noexcept {
    try {
        return CouldNotCheck(std::string(what) + ": the check failed inside this program");
    } catch (...) {
        return Finding{};
    }
}

// TestUrl's verdict for the same fetch, with the line saying what came back. An exception on
// the way makes a "Could not check: " finding, which names the part of Windows that is missing
// when that was it.
template <DescribedUrlFetch Fetch>
Finding UrlFinding(const std::string& url, const std::string& marker, Fetch& fetch) noexcept {
    try {
        const PageSearch search = SearchPage(url, marker, fetch);
        return FetchFinding(url, marker, search, fetch.LastOutcome());
    } catch (const platform::MissingSystemFunction& missing) {
        try {
            return CouldNotCheck(url + ": " + missing.what());
        } catch (...) {
            return Finding{};
        }
    } catch (...) {
        return BrokeDown(url);
    }
}

// The outcome of CheckAppUrl: the application download page holds its marker.
template <UrlFetch Fetch>
bool AppUrlPasses(Fetch& fetch) noexcept {
    try {
        return TestUrl(AppUrl(), std::string(kAppMarker), fetch);
    } catch (...) {
        return false;
    }
}

// The outcome of CheckDataUrl: the secure web service's page holds its marker.
template <UrlFetch Fetch>
bool DataUrlPasses(Fetch& fetch) noexcept {
    try {
        return TestUrl(DataUrl(), std::string(kDataMarker), fetch);
    } catch (...) {
        return false;
    }
}

// AppUrlPasses with what the application download page gave.
template <DescribedUrlFetch Fetch>
Finding AppUrlFinding(Fetch& fetch) noexcept {
    try {
        return UrlFinding(AppUrl(), std::string(kAppMarker), fetch);
    } catch (...) {
        return BrokeDown("the application download page");
    }
}

// DataUrlPasses with what the secure web service gave.
template <DescribedUrlFetch Fetch>
Finding DataUrlFinding(Fetch& fetch) noexcept {
    try {
        return UrlFinding(DataUrl(), std::string(kDataMarker), fetch);
    } catch (...) {
        return BrokeDown("the secure web service");
    }
}
