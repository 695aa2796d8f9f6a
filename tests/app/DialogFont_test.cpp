// The window's font against its texts: every row label and every OS description fit one line of
// their label, and the introduction fits its two lines, as the labels wrap and clip them.
#include <gtest/gtest.h>

#include <string>

#include "app/window/DialogFont.h"
#include "app/window/Layout.h"

namespace {

struct TextFit {
    int lines;
    int lineHeight;
};

// How many lines a label of `widthPx` wraps `text` onto, as a left-aligned static control does.
TextFit Measure(HFONT font, const std::string& text, int widthPx) {
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT r{0, 0, widthPx, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return {metrics.tmHeight > 0 ? (r.bottom + metrics.tmHeight - 1) / metrics.tmHeight : 0,
            metrics.tmHeight};
}

const layout::Control& Find(layout::ControlId id) {
    for (const auto& c : layout::kControls)
        if (c.id == id) return c;
    throw std::logic_error("no such control");
}

class FontAtDpi : public ::testing::TestWithParam<int> {};

TEST_P(FontAtDpi, RowLabelsFitOneLineAndTheIntroductionTwo) {
    const int dpi = GetParam();
    const platform::ScopedGdiObject font = CreateDialogFont(dpi);
    ASSERT_TRUE(font);
    for (const layout::Control& c : layout::kControls) {
        if (c.kind != layout::Kind::Label) continue;
        SCOPED_TRACE(c.text);
        const int width = layout::TwipsToPixels(c.width, dpi);
        const int height = layout::TwipsToPixels(c.height, dpi);
        const TextFit fit = Measure(static_cast<HFONT>(font.get()), c.text, width);
        const int wanted = c.id == layout::Label1 ? 2 : 1;
        EXPECT_EQ(fit.lines, wanted);
        EXPECT_LE(fit.lines * fit.lineHeight, height) << "the last line would be clipped";
    }
}

TEST_P(FontAtDpi, EveryOsDescriptionFitsTheOsLabel) {
    const int dpi = GetParam();
    const platform::ScopedGdiObject font = CreateDialogFont(dpi);
    const layout::Control& os = Find(layout::lblOS);
    for (const char* text : {"Windows Server 2003 SP9", "Windows NT 3.51 SP9", "Windows Vista/7 SP9",
                             "Windows 2000 SP9", "Windows XP SP9", "Windows Me SP9"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Measure(static_cast<HFONT>(font.get()), text, layout::TwipsToPixels(os.width, dpi)).lines, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, FontAtDpi, ::testing::Values(96, 120, 144));

TEST(Twips, FifteenToThePixelAtNinetySixDpi) {
    EXPECT_EQ(layout::TwipsToPixels(6180, 96), 412);
    EXPECT_EQ(layout::TwipsToPixels(3375, 96), 225);
    EXPECT_EQ(layout::TwipsToPixels(255, 96), 17);
    EXPECT_EQ(layout::TwipsToPixels(6180, 144), 618);
    EXPECT_EQ(layout::TwipsToPixels(255, 120), 21);  // 21.25 rounds down
    EXPECT_EQ(layout::TwipsToPixels(375, 120), 31);  // 31.25
    EXPECT_EQ(layout::TwipsToPixels(1215, 120), 101); // 101.25
}

}  // namespace
