#include "LeadingNumber.h"

#include <algorithm>
#include <cstdint>
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

// The value of a plain decimal number (as DecimalPrefix gives it). Written out rather than taken
// from strtod, whose correctly rounded reading of any text brings about 20 KB into the program:
// the first 19 significant digits are kept exactly in 64 bits, later ones only move the decimal
// point. Digits that fit a double scaled by at most 10^22 (exact in a double) take one rounding,
// as strtod's would; only longer or larger numbers, never a version part, may differ from it in
// the last bit. Beyond a double's range the scaling itself gives infinity or zero.
double DecimalValue(std::string_view number) {
    std::uint64_t digits = 0;
    int kept = 0;
    long long exponent = 0;
    bool afterPoint = false;
    std::size_t at = 0;
    for (; at < number.size() && number[at] != 'e' && number[at] != 'E'; ++at) {
        if (number[at] == '.') {
            afterPoint = true;
        } else if (kept < 19) {
            digits = digits * 10 + static_cast<unsigned>(number[at] - '0');
            if (digits != 0) ++kept;
            if (afterPoint) --exponent;
        } else if (!afterPoint) {
            ++exponent;
        }
    }
    if (digits == 0) return 0;  // also keeps 0e99999 from becoming 0 * infinity
    if (at < number.size()) {
        std::string_view power = number.substr(at + 1);
        const bool negative = power.front() == '-';
        if (power.front() == '+' || negative) power.remove_prefix(1);
        long long value = 0;
        for (const char c : power) value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
        exponent += negative ? -value : value;
    }
    // 19 digits times 10^400 overflow and divided by 10^400 underflow: no need to go further.
    exponent = std::clamp(exponent, -400LL, 400LL);
    double value = static_cast<double>(digits);
    constexpr double kLargestExactPowerOfTen = 1e22;
    for (; exponent > 22; exponent -= 22) value *= kLargestExactPowerOfTen;
    for (; exponent < -22; exponent += 22) value /= kLargestExactPowerOfTen;
    double scale = 1;
    for (long long i = 0; i < (exponent < 0 ? -exponent : exponent); ++i) scale *= 10;
    return exponent < 0 ? value / scale : value * scale;
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

    const double value = DecimalValue(number);
    return negative ? -value : value;
}
