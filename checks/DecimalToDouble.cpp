#include "DecimalToDouble.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// Exact integer arithmetic on the value: nothing is computed in floating point, so the result
// does not depend on how the processor rounds (the x87 unit of a 32-bit program rounds twice).

// A non-negative integer, 32 bits to a word, least significant word first, no leading zero words.
using Big = std::vector<std::uint32_t>;

void MultiplyAdd(Big& value, std::uint32_t factor, std::uint32_t add) {
    std::uint64_t carry = add;
    for (std::uint32_t& word : value) {
        carry += static_cast<std::uint64_t>(word) * factor;
        word = static_cast<std::uint32_t>(carry);
        carry >>= 32;
    }
    if (carry) value.push_back(static_cast<std::uint32_t>(carry));
}

void MultiplyByPowerOfTen(Big& value, long long exponent) {
    for (; exponent >= 9; exponent -= 9) MultiplyAdd(value, 1'000'000'000, 0);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 10;
    MultiplyAdd(value, rest, 0);
}

Big ShiftedLeft(const Big& value, long long bits) {
    if (value.empty()) return value;
    Big shifted(static_cast<std::size_t>(bits / 32), 0);
    const unsigned within = static_cast<unsigned>(bits % 32);
    std::uint32_t carry = 0;
    for (const std::uint32_t word : value) {
        shifted.push_back(within ? (word << within) | carry : word);
        carry = within ? word >> (32 - within) : 0;
    }
    if (carry) shifted.push_back(carry);
    return shifted;
}

long long BitLength(const Big& value) {
    if (value.empty()) return 0;
    long long bits = static_cast<long long>(value.size() - 1) * 32;
    for (std::uint32_t top = value.back(); top; top >>= 1) ++bits;
    return bits;
}

int Compare(const Big& a, const Big& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

// a -= b, where a >= b.
void Subtract(Big& a, const Big& b) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t difference = static_cast<std::int64_t>(a[i]) - borrow - (i < b.size() ? b[i] : 0);
        borrow = difference < 0;
        a[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    while (!a.empty() && a.back() == 0) a.pop_back();
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// More significant digits than a point halfway between two doubles has (at most 767): a value
// cut off after this many lies on the same side of every such point as the whole value, and of
// the digits beyond, a rounding needs to know only whether any is not zero.
constexpr std::size_t kDigitsKept = 800;

constexpr int kMantissaBits = 52;            // stored; 53 with the leading one
constexpr int kExponentBias = 1023;
constexpr int kLowestExponent = -1022;       // of a normal double
constexpr int kHighestExponent = 1023;

}  // namespace

double DecimalToDouble(std::string_view number) {
    // The significant digits and the power of ten their last one stands for.
    const std::size_t exponentAt = std::min(number.find_first_of("eE"), number.size());
    std::string digits;
    long long pointShift = 0;  // digits read after the point
    bool afterPoint = false;
    bool beyondKept = false;
    for (const char c : number.substr(0, exponentAt)) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        if (digits.empty() && c == '0') {
            pointShift += afterPoint;
            continue;
        }
        if (digits.size() < kDigitsKept) {
            digits.push_back(c);
            pointShift += afterPoint;
        } else {
            beyondKept = beyondKept || c != '0';
            pointShift -= !afterPoint;  // a dropped digit before the point scales the kept ones
        }
    }
    long long exponent = 0;
    if (exponentAt < number.size()) {
        std::string_view written = number.substr(exponentAt + 1);
        const bool negative = !written.empty() && written.front() == '-';
        if (!written.empty() && (written.front() == '+' || negative)) written.remove_prefix(1);
        for (const char c : written) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negative) exponent = -exponent;
    }
    const std::size_t lastSignificant = digits.find_last_not_of('0');
    if (lastSignificant == std::string::npos) return 0;
    exponent -= pointShift - static_cast<long long>(digits.size() - 1 - lastSignificant);
    digits.resize(lastSignificant + 1);

    // The value lies in [10^(magnitude - 1), 10^magnitude).
    const long long magnitude = static_cast<long long>(digits.size()) + exponent;
    if (magnitude > 310) return std::numeric_limits<double>::infinity();  // over 1e309
    if (magnitude < -324) return 0;  // under 1e-325, less than half the smallest double

    // value = numerator / denominator, both integers.
    Big numerator;
    for (const char c : digits) MultiplyAdd(numerator, 10, static_cast<std::uint32_t>(c - '0'));
    Big denominator{1};
    if (exponent >= 0)
        MultiplyByPowerOfTen(numerator, exponent);
    else
        MultiplyByPowerOfTen(denominator, -exponent);

    // quotient = floor(value * 2^scale) has 55 or 56 bits: the value lies strictly between
    // 2^(lengths' difference - 1) and 2^(lengths' difference + 1).
    const long long scale = 55 - (BitLength(numerator) - BitLength(denominator));
    if (scale >= 0)
        numerator = ShiftedLeft(numerator, scale);
    else
        denominator = ShiftedLeft(denominator, -scale);
    std::uint64_t quotient = 0;
    for (int bit = 55; bit >= 0; --bit) {
        const Big step = ShiftedLeft(denominator, bit);
        if (Compare(numerator, step) >= 0) {
            Subtract(numerator, step);
            quotient |= std::uint64_t{1} << bit;
        }
    }
    bool sticky = beyondKept || !numerator.empty();  // anything below the quotient's last bit

    // value ~ quotient * 2^-scale. Keep 54 bits: the 53 of a double and one to round by.
    long long binaryExponent = -scale;  // of the quotient's last bit
    while (quotient >> 54) {
        sticky = sticky || (quotient & 1);
        quotient >>= 1;
        ++binaryExponent;
    }
    // The exponent of the leading bit, as a double stores it; below the lowest, the number is
    // subnormal and keeps fewer bits.
    long long leading = binaryExponent + 53;
    if (leading < kLowestExponent) {
        const long long lost = std::min<long long>(kLowestExponent - leading, 55);
        for (long long i = 0; i < lost; ++i) {
            sticky = sticky || (quotient & 1);
            quotient >>= 1;
        }
        leading = kLowestExponent - 1;  // marks a subnormal (or zero)
    }
    std::uint64_t mantissa = quotient >> 1;
    const bool roundBit = quotient & 1;
    if (roundBit && (sticky || (mantissa & 1))) ++mantissa;  // nearest, ties to even

    if (leading < kLowestExponent) return FromBits(mantissa);  // 2^52 after rounding is the lowest normal
    if (mantissa >> (kMantissaBits + 1)) {  // rounded up to the next power of two
        mantissa >>= 1;
        ++leading;
    }
    if (leading > kHighestExponent) return std::numeric_limits<double>::infinity();
    const std::uint64_t biased = static_cast<std::uint64_t>(leading + kExponentBias);
    return FromBits(biased << kMantissaBits | (mantissa & ((std::uint64_t{1} << kMantissaBits) - 1)));
}
