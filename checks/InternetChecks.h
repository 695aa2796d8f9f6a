#pragma once
// The two Internet reachability checks: the vendor's application download page and its secure
// web service are each reached by fetching one fixed address and finding a fixed marker text in
// what comes back. The hosts are set when the program is built (QT_APP_HOST, QT_DATA_HOST).
#include <concepts>
#include <functional>
#include <string>
#include <string_view>

#include "MarkerSearch.h"

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

// True when the document at `url` could be fetched and contains `SearchString`, letter case
// ignored. The response status is not looked at, only the text. Reading stops as soon as the
// marker has been seen. Every failure, of the fetch or here, gives false; never throws.
template <UrlFetch Fetch>
bool TestUrl(const std::string& url, const std::string& SearchString, Fetch& fetch) noexcept {
    try {
        MarkerSearch search(SearchString);
        const bool fetched =
            fetch.Get(url, [&search](std::string_view piece) { return !search.Feed(piece); });
        return fetched && search.Found();
    } catch (...) {
        return false;
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
