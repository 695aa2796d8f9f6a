#include "CertificateName.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// ASCII only, whatever the C library's locale says.
bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// "CN", "OU", "2.5.4.3": what may stand before '=' in a labelled part. A bare value that holds
// '=' comes quoted, so it never looks like a label.
bool IsLabel(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (!IsAsciiAlnum(c) && c != '.' && c != '-') return false;
    return true;
}

// The value without its quotes, inner doubled quotes made single.
std::string Unquoted(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
    value = value.substr(1, value.size() - 2);
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        plain += value[i];
        if (value[i] == '"' && i + 1 < value.size() && value[i + 1] == '"') ++i;
    }
    return plain;
}

struct Part {
    std::string_view written;  // trimmed
    bool common = false;       // labelled CN
    std::string value{};
};

Part Parse(std::string_view written) {
    Part part{Trimmed(written)};
    std::string_view value = part.written;
    const std::size_t equals = value.find('=');
    if (equals != std::string_view::npos && IsLabel(Trimmed(value.substr(0, equals)))) {
        const std::string_view label = Trimmed(value.substr(0, equals));
        part.common = label == "CN" || label == "cN" || label == "Cn" || label == "cn";
        value = Trimmed(value.substr(equals + 1));
    }
    const std::string unquoted = Unquoted(value);
    part.value = std::string(Trimmed(unquoted));
    return part;
}

// "US", "de": what a country part holds (ISO 3166 codes, two letters).
bool IsCountryCode(std::string_view value) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return value.size() == 2 && letter(value[0]) && letter(value[1]);
}

// "admin@contoso.example": an e-mail part, one word with an '@' inside, in ASCII as certificates
// store addresses. In the double-byte code pages (Japanese, Chinese) 0x40, '@', is also the
// second byte of many characters, so a name in those is never taken for an address.
bool IsMailAddress(std::string_view value) {
    const std::size_t at = value.find('@');
    return at != std::string_view::npos && at > 0 && at + 1 < value.size() &&
           value.find_first_of(" \t") == std::string_view::npos &&
           std::all_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Neither a country nor an e-mail part: what may be the common name, or the unit or organisation.
bool IsNamePart(std::string_view value) { return !IsCountryCode(value) && !IsMailAddress(value); }

// The common name among bare values, given in the order the certificate stores them: usually
// from the country on to the common name, and then perhaps an e-mail address; some tools store
// them the other way round, common name (or e-mail address) first and the country last.
std::string_view GuessedCommonName(const std::vector<std::string>& values) {
    const auto first = std::find_if(values.begin(), values.end(),
                                    [](const std::string& v) { return !IsMailAddress(v); });
    const auto last = std::find_if(values.rbegin(), values.rend(),
                                   [](const std::string& v) { return !IsMailAddress(v); });
    const bool countryLast = last != values.rend() && IsCountryCode(*last) &&
                             first != values.end() && !IsCountryCode(*first);
    if (countryLast) {
        const auto name = std::find_if(values.begin(), values.end(), [](const std::string& v) { return IsNamePart(v); });
        if (name != values.end()) return *name;
    } else {
        const auto name = std::find_if(values.rbegin(), values.rend(), [](const std::string& v) { return IsNamePart(v); });
        if (name != values.rend()) return *name;
    }
    return values.back();  // every part a country or an address: the last, as it is
}

}  // namespace

std::string CertificateShortName(std::string_view info) {
    std::optional<std::string> common;
    std::vector<std::string> values;
    std::string_view firstWritten;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= info.size(); ++i) {
        if (i < info.size() && info[i] != '\r' && info[i] != '\n') continue;
        Part part = Parse(info.substr(start, i - start));
        start = i + 1;
        if (firstWritten.empty()) firstWritten = part.written;
        if (part.value.empty()) continue;
        if (part.common) common = part.value;
        values.push_back(std::move(part.value));
    }
    if (common) return *common;
    if (!values.empty()) return std::string(GuessedCommonName(values));
    return std::string(firstWritten);
}
