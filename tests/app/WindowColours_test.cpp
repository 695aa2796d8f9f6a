#include "app/window/WindowColours.h"

#include <gtest/gtest.h>

#include "app/window/Layout.h"

namespace {

constexpr Colour kBlue = layout::kOsTextColour;
constexpr Colour kYellow = 0x00FFFF;

TEST(ContrastRatio, FollowsTheWcagFormula) {
    EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0x777777, 0x777777), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0x767676, kWhite), 4.54, 0.01);  // the lightest grey that reads on white
    // Red, green and blue weigh differently: pure blue is darker than pure green.
    EXPECT_GT(ContrastRatio(0xFF0000, kWhite), ContrastRatio(0x00FF00, kWhite));
}

TEST(ChooseWindowColours, OneSourceForTextAndBackground) {
    struct Case {
        const char* scheme;
        bool highContrast;
        Colour window, windowText;
        WindowColours expected;
    };
    const Case cases[] = {
        // The designed look whatever the scheme says, unless high contrast is on: a dark scheme's
        // white text never lands on the designed white.
        {"standard", false, kWhite, kBlack, {kWhite, kBlack, kBlue}},
        {"dark scheme, high contrast off", false, kBlack, kWhite, {kWhite, kBlack, kBlue}},
        {"High Contrast Black", true, kBlack, kWhite, {kBlack, kWhite, kWhite}},
        {"High Contrast #1", true, kBlack, kYellow, {kBlack, kYellow, kYellow}},
        {"High Contrast White", true, kWhite, kBlack, {kWhite, kBlack, kBlue}},
        // Blue on mid grey does not read (about 3:1): the name takes the text colour.
        {"grey window", true, 0x808080, kBlack, {0x808080, kBlack, kBlack}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scheme);
        const WindowColours got = ChooseWindowColours(c.highContrast, c.window, c.windowText);
        EXPECT_EQ(got.background, c.expected.background);
        EXPECT_EQ(got.text, c.expected.text);
        EXPECT_EQ(got.osText, c.expected.osText);
        EXPECT_GE(ContrastRatio(got.osText, got.background), kReadableContrast);
    }
}

}  // namespace
