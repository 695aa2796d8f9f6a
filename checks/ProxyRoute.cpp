#include "ProxyRoute.h"

#include <cctype>
#include <utility>
#include <vector>

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The entries of a list that Internet Options separates with ';', ',' or blanks.
std::vector<std::string_view> Entries(std::string_view list) {
    std::vector<std::string_view> entries;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        if (i < list.size() && list[i] != ';' && list[i] != ',' && list[i] != ' ' && list[i] != '\t') continue;
        if (i > start) entries.push_back(list.substr(start, i - start));
        start = i + 1;
    }
    return entries;
}

std::string_view WithoutScheme(std::string_view text) {
    const std::size_t at = text.find("://");
    return at == std::string_view::npos ? text : text.substr(at + 3);
}

// The address's scheme ("http") and host, lower case.
void SplitUrl(std::string_view url, std::string& scheme, std::string& host) {
    const std::size_t at = url.find("://");
    scheme = at == std::string_view::npos ? std::string() : Lower(url.substr(0, at));
    std::string_view rest = WithoutScheme(url);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const std::size_t user = rest.rfind('@'); user != std::string_view::npos) rest.remove_prefix(user + 1);
    host = Lower(rest.substr(0, rest.find(':')));
}

// The proxy for `scheme`: its own "scheme=host:port" entry, else an entry without a scheme.
std::string ProxyFor(std::string_view servers, std::string_view scheme) {
    std::string_view chosen, common;
    for (const std::string_view entry : Entries(servers)) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (common.empty()) common = entry;
        } else if (chosen.empty() && Lower(entry.substr(0, equals)) == scheme) {
            chosen = entry.substr(equals + 1);
        }
    }
    std::string proxy(WithoutScheme(chosen.empty() ? common : chosen));
    while (!proxy.empty() && proxy.back() == '/') proxy.pop_back();
    return proxy;
}

// Case-insensitive match with '*' standing for any run of characters.
bool Matches(std::string_view pattern, std::string_view text) {
    std::size_t p = 0, t = 0, star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() &&
                   std::tolower(static_cast<unsigned char>(pattern[p])) == std::tolower(static_cast<unsigned char>(text[t]))) {
            ++p, ++t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool Bypassed(std::string_view bypass, const std::string& host) {
    for (const std::string_view entry : Entries(bypass)) {
        if (Lower(entry) == "<local>") {
            if (host.find('.') == std::string::npos) return true;
            continue;
        }
        std::string_view pattern = WithoutScheme(entry);
        pattern = pattern.substr(0, pattern.find(':'));
        if (!pattern.empty() && Matches(pattern, host)) return true;
    }
    return false;
}

}  // namespace

ProxyChoice ProxyChoiceFor(const platform::ProxySettings& settings, std::string_view url) {
    using Way = ProxyChoice::Way;
    if (!settings.known) return {};
    if (settings.autoDetect) return {Way::AutoDetect, {}};
    if (!settings.autoConfigUrl.empty()) return {Way::AutoConfigScript, {}};
    std::string scheme, host;
    SplitUrl(url, scheme, host);
    if (settings.useProxy && !Bypassed(settings.bypass, host)) {
        std::string proxy = ProxyFor(settings.proxyServer, scheme);
        if (!proxy.empty()) return {Way::Proxy, std::move(proxy)};
    }
    return {Way::Direct, {}};
}

std::string RouteFor(const platform::ProxySettings& settings, std::string_view url) {
    const ProxyChoice choice = ProxyChoiceFor(settings, url);
    switch (choice.way) {
    case ProxyChoice::Way::Unknown: break;
    case ProxyChoice::Way::AutoDetect: return "through automatic proxy detection";
    case ProxyChoice::Way::AutoConfigScript:
        return "through the automatic configuration script " + settings.autoConfigUrl;
    case ProxyChoice::Way::Proxy: return "through proxy " + choice.proxy;
    case ProxyChoice::Way::Direct: return "direct";
    }
    return {};
}
