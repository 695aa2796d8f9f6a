// The runs a link control's words are painted in: the link's in the link colour, the rest in the
// text colour.
#include <gtest/gtest.h>

#include "app/window/LinkMarkup.h"

namespace {

using Parts = std::vector<std::pair<std::string, bool>>;

Parts Flat(const std::vector<MarkupPart<char>>& parts) {
    Parts flat;
    for (const auto& p : parts) flat.emplace_back(p.words, p.link);
    return flat;
}

TEST(MarkupParts, SplitWhereTheLinkBeginsAndEnds) {
    const struct {
        const char* markup;
        Parts parts;
    } cases[] = {
        {"<a>Open Internet Options\xE2\x80\xA6</a>", {{"Open Internet Options\xE2\x80\xA6", true}}},
        {"Fixed? <a>Check again</a> (F5)", {{"Fixed? ", false}, {"Check again", true}, {" (F5)", false}}},
        {"<a>Copy the report</a> (copied)", {{"Copy the report", true}, {" (copied)", false}}},
        {"no link", {{"no link", false}}},
        {"<a></a>", {}},
        {"", {}},
        {"a < b <a>c</a>", {{"a < b ", false}, {"c", true}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Flat(MarkupParts<char>(c.markup)), c.parts) << c.markup;
        std::string joined;
        for (const auto& p : c.parts) joined += p.first;
        EXPECT_EQ(WithoutMarkup(c.markup), joined) << c.markup;
    }
}

TEST(MarkupParts, WideTextAsTheControlHoldsIt) {
    const std::vector<MarkupPart<wchar_t>> parts = MarkupParts<wchar_t>(L"Fixed? <a>Check again</a> (F5)");
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[1].words, L"Check again");
    EXPECT_TRUE(parts[1].link);
    EXPECT_FALSE(parts[2].link);
}

}  // namespace
