#include "app/window/WindowColours.h"

#include <gtest/gtest.h>

#include "app/window/Layout.h"

namespace {

constexpr Colour kBlue = layout::kOsTextColour;
constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kHotLightBlack = 0x00FFFF;  // High Contrast Black's hot-tracking yellow
constexpr Colour kHotLightWhite = 0x9F0000;  // High Contrast White's dark blue (0 0 159)
constexpr Colour kPaleGrey = 0xE0E0E0;

TEST(ContrastRatio, FollowsTheWcagFormula) {
    EXPECT_NEAR(ContrastRatio(kBlack, kWhite), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(kWhite, kBlack), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0x777777, 0x777777), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(0x767676, kWhite), 4.54, 0.01);  // the lightest grey that reads on white
    // Red, green and blue weigh differently: pure blue is darker than pure green.
    EXPECT_GT(ContrastRatio(0xFF0000, kWhite), ContrastRatio(0x00FF00, kWhite));
}

TEST(ChooseWindowColours, OneSourceForTextBackgroundAndLinks) {
    struct Case {
        const char* scheme;
        bool highContrast;
        Colour window, windowText, hotLight;
        WindowColours expected;
    };
    const Case cases[] = {
        // The designed look whatever the scheme says, unless high contrast is on: a dark scheme's
        // white text never lands on the designed white, nor a pale link colour.
        {"standard", false, kWhite, kBlack, kLinkBlue, {kWhite, kBlack, kBlue, kLinkBlue}},
        {"dark scheme, high contrast off", false, kBlack, kWhite, kYellow, {kWhite, kBlack, kBlue, kLinkBlue}},
        {"pale link colour, high contrast off", false, kWhite, kBlack, kPaleGrey, {kWhite, kBlack, kBlue, kLinkBlue}},
        // With high contrast on, the links take the scheme's link colour: never the blue of before
        // on a black window.
        {"High Contrast Black", true, kBlack, kWhite, kHotLightBlack, {kBlack, kWhite, kWhite, kHotLightBlack}},
        {"High Contrast #1", true, kBlack, kYellow, 0xFFFF00, {kBlack, kYellow, kYellow, 0xFFFF00}},
        {"High Contrast White", true, kWhite, kBlack, kHotLightWhite, {kWhite, kBlack, kBlue, kHotLightWhite}},
        // A link colour that does not read on the scheme's window: the links take the text's.
        {"dark link colour on black", true, kBlack, kWhite, kLinkBlue, {kBlack, kWhite, kWhite, kWhite}},
        // Blue on mid grey does not read (about 3:1): the name takes the text colour.
        {"grey window", true, 0x808080, kBlack, kLinkBlue, {0x808080, kBlack, kBlack, kBlack}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scheme);
        const WindowColours got = ChooseWindowColours(c.highContrast, c.window, c.windowText, c.hotLight);
        EXPECT_EQ(got.background, c.expected.background);
        EXPECT_EQ(got.text, c.expected.text);
        EXPECT_EQ(got.osText, c.expected.osText);
        EXPECT_EQ(got.link, c.expected.link);
        EXPECT_GE(ContrastRatio(got.osText, got.background), kReadableContrast);
        EXPECT_GE(ContrastRatio(got.link, got.background), kReadableContrast);
    }
}

}  // namespace
