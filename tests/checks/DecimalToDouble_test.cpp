// The decimal reader against the compiler's own reading of the same literals (GCC rounds them
// exactly), where a reader that computes in floating point goes wrong: ties, the ends of the
// double range, subnormals, and digits beyond those it keeps.
#include "checks/DecimalToDouble.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(DecimalToDouble, RoundsToTheNearestDoubleTiesToEven) {
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"9007199254740993", 0x1p53},                  // 2^53 + 1: a tie, to the even 2^53
        {"9007199254740995", 0x1.0000000000002p53},    // 2^53 + 3: a tie, to the even 2^53 + 4
        {"9007199254740993.000000000000000000001", 0x1.0000000000001p53},  // just past the tie
        {"1e23", 1e23},
        {"8.98846567431158e307", 8.98846567431158e307},
        {"0.1", 0.1},
        {"3.0000000000000004", 3.0000000000000004},
        {"2.9999999999999998", 2.9999999999999998},
        {"123456789012345678901234567890e-10", 123456789012345678901234567890e-10},
        {"1.7976931348623157e308", 0x1.fffffffffffffp1023},
        {"1.7976931348623158e308", 0x1.fffffffffffffp1023},  // below the midpoint to infinity
        {"1.7976931348623159e308", kInfinity},
        {"2.2250738585072014e-308", 0x1p-1022},              // the smallest normal
        {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},  // the largest subnormal
        {"4.9406564584124654e-324", 0x0.0000000000001p-1022},  // the smallest subnormal
        {"2.4703282292062328e-324", 0x0.0000000000001p-1022},  // just over half of it
        {"2.4703282292062327e-324", 0},                        // just under half of it
        {"0.000", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(DecimalToDouble(c.text), c.expected) << c.text;
}

// Past the 800 digits it keeps, only whether any digit is not zero may decide a tie.
TEST(DecimalToDouble, DigitsBeyondThoseKeptStillBreakATie) {
    const std::string tie = "9007199254740993.";
    EXPECT_EQ(DecimalToDouble(tie + std::string(900, '0')), 0x1p53);
    EXPECT_EQ(DecimalToDouble(tie + std::string(900, '0') + "1"), 0x1.0000000000001p53);
    // The same tie written with its point far to the right, then scaled back by the exponent.
    EXPECT_EQ(DecimalToDouble("9007199254740993" + std::string(900, '0') + "e-900"), 0x1p53);
    EXPECT_EQ(DecimalToDouble("9007199254740993" + std::string(900, '0') + "1e-901"), 0x1.0000000000001p53);
    EXPECT_EQ(DecimalToDouble("0." + std::string(400, '0') + "1e400"), 0.1);
}

}  // namespace
