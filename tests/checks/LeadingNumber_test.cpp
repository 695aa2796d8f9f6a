#include "checks/LeadingNumber.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(LeadingNumber, ReadsTheDigitsAtTheStart) {
    EXPECT_EQ(LeadingNumber("01"), 1);
    EXPECT_EQ(LeadingNumber("5 (note)"), 5);
    EXPECT_EQ(LeadingNumber("22159"), 22159);
    EXPECT_EQ(LeadingNumber("0000000000000000000000003"), 3);
}

TEST(LeadingNumber, IsZeroWithoutANumber) {
    EXPECT_EQ(LeadingNumber("x3"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("   "), 0);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("."), 0);
    EXPECT_EQ(LeadingNumber("e5"), 0);
}

TEST(LeadingNumber, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(LeadingNumber(" \t\n7"), 7);
    EXPECT_EQ(LeadingNumber("1 2\t3\n4"), 1234);
    EXPECT_EQ(LeadingNumber("- 4"), -4);
    EXPECT_EQ(LeadingNumber("1 e 2"), 100);
    EXPECT_EQ(LeadingNumber("\r7"), 0) << "a carriage return is not a blank";
}

TEST(LeadingNumber, ReadsASign) {
    EXPECT_EQ(LeadingNumber("-2"), -2);
    EXPECT_EQ(LeadingNumber("+3"), 3);
    EXPECT_EQ(LeadingNumber("--3"), 0);
}

TEST(LeadingNumber, ReadsAnExponentOnlyWithItsDigits) {
    EXPECT_EQ(LeadingNumber("1e3"), 1000);
    EXPECT_DOUBLE_EQ(LeadingNumber("2E-1"), 0.2);
    EXPECT_EQ(LeadingNumber("4e+2x"), 400);
    EXPECT_EQ(LeadingNumber("5e"), 5);
    EXPECT_EQ(LeadingNumber("5e+"), 5);
    EXPECT_EQ(LeadingNumber("5ex"), 5);
}

TEST(LeadingNumber, ReadsADecimalFraction) {
    EXPECT_EQ(LeadingNumber("3.5"), 3.5);
    EXPECT_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_EQ(LeadingNumber("7."), 7);
    EXPECT_EQ(LeadingNumber("1.2.3"), 1.2);
}

// Short decimals come out exactly as the compiler reads the same literal; long ones within a few
// units in the last place.
TEST(LeadingNumber, ReadsDecimalsAsTheNearestDouble) {
    const struct {
        const char* text;
        double exact;
    } exactly[] = {
        {"0.1", 0.1},       {"0.3", 0.3},         {"123.456", 123.456}, {"4.35", 4.35},
        {"0.05", 0.05},     {"000.0070", 0.007},  {"1e22", 1e22},       {"9007199254740991", 9007199254740991.0},
        {"1e-22", 1e-22},   {"2.5e-3", 2.5e-3},   {"31.4159e-1", 3.14159},
    };
    for (const auto& c : exactly) EXPECT_EQ(LeadingNumber(c.text), c.exact) << c.text;
    const struct {
        const char* text;
        double near;
    } closely[] = {
        {"12345678901234567890123", 12345678901234567890123.0},
        {"0.12345678901234567890123", 0.12345678901234567890123},
        {"1e100", 1e100},
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"2.2250738585072014e-308", 2.2250738585072014e-308},
        {"1234567890123456789012.5e-30", 1234567890123456789012.5e-30},
    };
    for (const auto& c : closely) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.near) << c.text;
}

TEST(LeadingNumber, ReadsHexadecimalAndOctalPrefixes) {
    EXPECT_EQ(LeadingNumber("&H1F"), 31);
    EXPECT_EQ(LeadingNumber("&hff (x)"), 255);
    EXPECT_EQ(LeadingNumber("& H 10"), 16);
    EXPECT_EQ(LeadingNumber("&O17"), 15);
    EXPECT_EQ(LeadingNumber("&o78"), 7);
    EXPECT_EQ(LeadingNumber("&HG"), 0);
    EXPECT_EQ(LeadingNumber("&O8"), 0);
    EXPECT_EQ(LeadingNumber("&X1"), 0);
    EXPECT_EQ(LeadingNumber("&"), 0);
    EXPECT_EQ(LeadingNumber("-&H10"), 0);
}

TEST(LeadingNumber, GoesToInfinityOrZeroBeyondADouble) {
    EXPECT_EQ(LeadingNumber("1e999"), kInfinity);
    EXPECT_EQ(LeadingNumber("-1e999"), -kInfinity);
    EXPECT_EQ(LeadingNumber("1e99999999999999999999999"), kInfinity);
    EXPECT_EQ(LeadingNumber("1e-999"), 0);
    EXPECT_EQ(LeadingNumber("0.0000000001e-320"), 0);
    EXPECT_EQ(LeadingNumber(std::string(400, '9') + "e-1"), kInfinity);
    EXPECT_EQ(LeadingNumber("0e99999"), 0);
}

}  // namespace
