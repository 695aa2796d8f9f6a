#include "LeadingNumber.h"

#include <string>

#include "DecimalToDouble.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Value of `c` as a digit in base `radix` (8 or 16), or -1.
int RadixDigit(char c, int radix) {
    int value = -1;
    if (IsDigit(c)) value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < radix ? value : -1;
}

double RadixNumber(std::string_view digits, int radix) {
    double value = 0;
    for (const char c : digits) {
        const int digit = RadixDigit(c, radix);
        if (digit < 0) break;
        value = value * radix + digit;
    }
    return value;
}

// The longest decimal number at the start of `text` (no sign): digits, an optional point and
// digits, then an exponent only if it has digits. Empty when it has no digit before the exponent.
std::string_view DecimalPrefix(std::string_view text) {
    const auto digitsFrom = [text](std::size_t at) {
        while (at < text.size() && IsDigit(text[at])) ++at;
        return at;
    };
    std::size_t end = digitsFrom(0);
    bool anyDigit = end > 0;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = digitsFrom(end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) return {};
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < text.size() && IsDigit(text[exponent])) end = digitsFrom(exponent);
    }
    return text.substr(0, end);
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::string packed;
    packed.reserve(text.size());
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n') packed.push_back(c);
    std::string_view rest = packed;

    if (rest.size() >= 2 && rest[0] == '&') {
        if (rest[1] == 'H' || rest[1] == 'h') return RadixNumber(rest.substr(2), 16);
        if (rest[1] == 'O' || rest[1] == 'o') return RadixNumber(rest.substr(2), 8);
        return 0;
    }

    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '+' || negative)) rest.remove_prefix(1);
    const std::string_view number = DecimalPrefix(rest);
    if (number.empty()) return 0;

    const double value = DecimalToDouble(number);
    return negative ? -value : value;
}
