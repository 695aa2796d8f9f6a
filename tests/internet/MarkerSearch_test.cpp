// The streaming marker search: letter case, pieces, and a naive search as the reference.
#include "checks/MarkerSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

bool FoundInPieces(std::string_view marker, const std::vector<std::string>& pieces) {
    MarkerSearch search(marker);
    for (const std::string& piece : pieces) search.Feed(piece);
    return search.Found();
}

// The plain reading: lower-case both, look for a substring.
bool NaiveFound(std::string text, std::string marker) {
    const auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    return lower(std::move(text)).find(lower(std::move(marker))) != std::string::npos;
}

TEST(MarkerSearchCase, FindsTheMarkerInAnyLetterCase) {
    EXPECT_TRUE(FoundInPieces("TessaryApp.application", {"<a href=\"TessaryApp.application\">"}));
    EXPECT_TRUE(FoundInPieces("TessaryApp.application", {"<A HREF=\"TESSARYAPP.APPLICATION\">"}));
    EXPECT_TRUE(FoundInPieces("TessaryApp.application", {"tessaryapp.application"}));
    EXPECT_TRUE(
        FoundInPieces("GetCardDetailsByGuid", {"<s:element name=\"getcarddetailsbyGUID\">"}));
}

TEST(MarkerSearchCase, FoldsOnlyAsciiLetters) {
    EXPECT_FALSE(FoundInPieces("caf\xc3\xa9", {"CAF\xc3\x89"}));  // é and É differ in UTF-8
    EXPECT_TRUE(FoundInPieces("caf\xc3\xa9", {"CAF\xc3\xa9"}));
    EXPECT_FALSE(FoundInPieces("a[b", {"A{B"}));  // '[' and '{' are 32 apart but not letters
    EXPECT_FALSE(FoundInPieces("a@b", {"a`b"}));
}

TEST(MarkerSearchContent, ReportsAnAbsentOrIncompleteMarkerAsNotFound) {
    EXPECT_FALSE(FoundInPieces("TessaryApp.application", {"<html>Not Found</html>"}));
    EXPECT_FALSE(FoundInPieces("TessaryApp.application", {"TessaryApp.applicatio"}));
    EXPECT_FALSE(FoundInPieces("TessaryApp.application", {"TessaryApp application"}));
    EXPECT_FALSE(FoundInPieces("TessaryApp.application", {}));
    EXPECT_FALSE(FoundInPieces("TessaryApp.application", {"", ""}));
}

TEST(MarkerSearchContent, TakesBytesAsTheyAreIncludingNul) {
    const std::string text("\0\xff GetCardDetailsByGuid \0", 25);
    EXPECT_TRUE(FoundInPieces("GetCardDetailsByGuid", {text}));
    EXPECT_TRUE(FoundInPieces(std::string("a\0b", 3), {std::string("xA\0By", 5)}));
    EXPECT_FALSE(FoundInPieces(std::string("a\0b", 3), {"ab"}));
}

TEST(MarkerSearchContent, AnEmptyMarkerIsInEveryDocument) {
    EXPECT_TRUE(FoundInPieces("", {}));
    EXPECT_TRUE(FoundInPieces("", {"anything"}));
}

TEST(MarkerSearchPieces, FindsAMarkerSplitAtEveryPosition) {
    const std::string marker = "TessaryApp.application";
    const std::string text = "<p>download TESSARYAPP.APPLICATION here</p>";
    for (std::size_t cut = 0; cut <= text.size(); ++cut)
        EXPECT_TRUE(FoundInPieces(marker, {text.substr(0, cut), text.substr(cut)})) << cut;
}

TEST(MarkerSearchPieces, FindsAMarkerFedOneByteAtATime) {
    std::vector<std::string> bytes;
    for (char c : std::string("xxGetCardDetailsByGuidxx")) bytes.emplace_back(1, c);
    EXPECT_TRUE(FoundInPieces("getcarddetailsbyguid", bytes));
    bytes.erase(bytes.begin() + 10);
    EXPECT_FALSE(FoundInPieces("getcarddetailsbyguid", bytes));
}

TEST(MarkerSearchPieces, RecoversFromAPartialMatchAcrossPieces) {
    // The first attempt fails on its last byte; the real match starts inside it.
    EXPECT_TRUE(FoundInPieces("aab", {"a", "a", "a", "b"}));
    EXPECT_TRUE(FoundInPieces("abab.c", {"abab", "ab", ".c"}));
    EXPECT_TRUE(
        FoundInPieces("TessaryApp.application", {"TessaryApp.appTessary", "App.appli", "cation"}));
}

TEST(MarkerSearchPieces, StaysFoundWhateverFollows) {
    MarkerSearch search("marker");
    EXPECT_FALSE(search.Feed("the mark"));
    EXPECT_TRUE(search.Feed("er is here"));
    EXPECT_TRUE(search.Feed("and nothing else"));
    EXPECT_TRUE(search.Feed(""));
    EXPECT_TRUE(search.Found());
}

TEST(MarkerSearchPieces, AgreesWithAPlainSearchOnRandomTexts) {
    std::mt19937 random(20240229);
    const std::string alphabet = "aAbB.";
    const auto randomText = [&](std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i)
            s.push_back(alphabet[std::uniform_int_distribution<std::size_t>(0, 4)(random)]);
        return s;
    };
    int foundCount = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string marker =
            randomText(std::uniform_int_distribution<std::size_t>(1, 6)(random));
        const std::string text =
            randomText(std::uniform_int_distribution<std::size_t>(0, 40)(random));
        std::vector<std::string> pieces;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t length = std::min(
                text.size() - at, std::uniform_int_distribution<std::size_t>(0, 7)(random));
            pieces.push_back(text.substr(at, length));
            at += length;
        }
        const bool expected = NaiveFound(text, marker);
        foundCount += expected ? 1 : 0;
        ASSERT_EQ(FoundInPieces(marker, pieces), expected)
            << "marker " << marker << " text " << text;
    }
    // Both outcomes were exercised.
    EXPECT_GT(foundCount, 300);
    EXPECT_LT(foundCount, 2700);
}

}  // namespace
