#include "LeadingNumber.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

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

// Whether a decimal number that a double cannot hold is too large (rather than too small): the
// decimal exponent of its first significant digit is positive.
bool IsTooLarge(std::string_view number) {
    const std::size_t exponentAt = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return false;  // zero is never out of range
    long long magnitude = first < point ? static_cast<long long>(point - first)
                                        : -static_cast<long long>(first - point - 1);
    if (exponentAt != std::string_view::npos) {
        std::string_view exponent = number.substr(exponentAt + 1);
        const bool negative = exponent.front() == '-';
        if (exponent.front() == '+' || negative) exponent.remove_prefix(1);
        long long value = 0;
        for (const char c : exponent) value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
        magnitude += negative ? -value : value;
    }
    return magnitude > 0;
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

    // strtod rather than from_chars, whose floating-point reading is over 40 KB of the program.
    // The text is already a plain decimal number, and the program never leaves the C locale, so
    // the point is '.'.
    const std::string copy(number);
    errno = 0;
    double value = std::strtod(copy.c_str(), nullptr);
    if (errno == ERANGE && (value == 0 || std::isinf(value)))
        value = IsTooLarge(number) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}
