#include "CertificateName.h"

#include <optional>

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

}  // namespace

std::string CertificateShortName(std::string_view info) {
    std::optional<std::string> common, last;
    std::string_view firstWritten;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= info.size(); ++i) {
        if (i < info.size() && info[i] != '\r' && info[i] != '\n') continue;
        const Part part = Parse(info.substr(start, i - start));
        start = i + 1;
        if (firstWritten.empty()) firstWritten = part.written;
        if (part.value.empty()) continue;
        if (part.common) common = part.value;
        last = part.value;
    }
    if (common) return *common;
    if (last) return *last;
    return std::string(firstWritten);
}
