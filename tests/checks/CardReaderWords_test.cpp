// What the smart-card service's answers become: the words at the end of the Smart Card line and the
// readers the reports list. Among them answers Wine 8's stub never gives.
#include "checks/CardReaderWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;
using platform::SmartCardAnswer;

constexpr char kNotRunning[] =
    "the smart-card service is not running (Windows starts it when a reader is plugged in)";

struct Reader {
    const char* name;
    std::optional<bool> card;
};

struct Case {
    const char* what;
    SmartCardAnswer answer;
    std::string words;
    std::optional<std::vector<Reader>> readers;  // nothing: null, with the words as the note
};

constexpr char kNonePassedOn[] =
    "; in a Remote Desktop session Windows sees the card readers of the PC you connect from: none is passed on "
    "(smart-card redirection may be off)";

SmartCardAnswer Listed(std::vector<platform::SmartCardReaderState> readers, std::size_t listed = 0) {
    const std::size_t asked = readers.size();
    return {platform::kScardSuccess, {}, std::move(readers), std::max(listed, asked)};
}

// The same answer, given in a Remote Desktop session.
SmartCardAnswer Remote(SmartCardAnswer answer) {
    answer.remoteSession = true;
    return answer;
}

SmartCardAnswer Unanswered(unsigned seconds) {
    SmartCardAnswer answer;
    answer.noAnswerWithinSeconds = seconds;
    return answer;
}

TEST(CardReaderWords, SayWhatTheServiceAnswered) {
    // The name Windows builds from a driver's longest vendor name and reader type (32 characters
    // each, MAXIMUM_ATTR_STRING_LENGTH) and the largest unit number.
    const std::string longest = std::string(32, 'V') + " " + std::string(32, 'T') + " 4294967295";
    const Case cases[] = {
        {"no service", {platform::kScardNoService}, "; "s + kNotRunning, std::nullopt},
        {"service stopped", {platform::kScardServiceStopped}, "; "s + kNotRunning, std::nullopt},
        {"none attached", {platform::kScardNoReadersAvailable}, "; no card reader is attached", std::vector<Reader>{}},
        {"an empty list", Listed({}), "; no card reader is attached", std::vector<Reader>{}},
        // pcsc-lite's states: 0x10022 (a card, the counter at 1) and 0x12.
        {"two readers",
         Listed({{"Virtual PCD 00 00", 0x10022}, {"Virtual PCD 00 01", 0x12}}),
         "; Windows sees 2 card readers: Virtual PCD 00 00 (a card is in it), Virtual PCD 00 01 (no card)",
         std::vector<Reader>{{"Virtual PCD 00 00", true}, {"Virtual PCD 00 01", false}}},
        {"one reader", Listed({{"Gemalto USB Smart Card Reader 0", 0x00070012}}),
         "; Windows sees 1 card reader: Gemalto USB Smart Card Reader 0 (no card)",
         std::vector<Reader>{{"Gemalto USB Smart Card Reader 0", false}}},
        // The counter's bits are never read as a state.
        {"counter only", Listed({{"R", 0xFFFF0000}, {"S", 0x00200010}, {"T", 0x00100020}}),
         "; Windows sees 3 card readers: R (Windows cannot tell whether a card is in it), S (no card), T (a card is in it)",
         std::vector<Reader>{{"R", std::nullopt}, {"S", false}, {"T", true}}},
        // Unavailable; unknown, changed and ignored (a reader gone since the list); a mute card.
        {"neither bit", Listed({{"A", 0x0008}, {"B", 0x0007}, {"C", 0x0222}}),
         "; Windows sees 3 card readers: A (Windows cannot tell whether a card is in it), "
         "B (Windows cannot tell whether a card is in it), C (a card is in it)",
         std::vector<Reader>{{"A", std::nullopt}, {"B", std::nullopt}, {"C", true}}},
        {"more than are asked about", Listed({{"A", 0x12}, {"B", 0x22}}, 12),
         "; Windows sees 12 card readers: A (no card), B (a card is in it) and 10 more",
         std::vector<Reader>{{"A", false}, {"B", true}}},
        {"system code page and control bytes", Listed({{"Lecteur \xE9tage\t1", 0x12}}),
         "; Windows sees 1 card reader: Lecteur \xE9tage 1 (no card)",
         std::vector<Reader>{{"Lecteur \xE9tage\t1", false}}},
        {"the longest name", Listed({{longest.c_str(), 0x22}}),
         "; Windows sees 1 card reader: " + longest + " (a card is in it)",
         std::vector<Reader>{{longest.c_str(), true}}},
        // Wine 8's stub, and a code Windows has but the program does not tell apart.
        {"internal error", {0x80100001}, "; could not ask the smart-card service: error 0x80100001", std::nullopt},
        {"buffer too small", {0x80100008}, "; could not ask the smart-card service: error 0x80100008", std::nullopt},
        // One reader's failed status call (unplugged since the list, or timed out) spoils only
        // its own state, whatever the state field holds.
        {"one reader's status call failed",
         Listed({{"A", 0x22}, {"B", 0x12, 0x80100009}, {"C", 0x10012}, {"D", 0x22, 0x8010000A}}),
         "; Windows sees 4 card readers: A (a card is in it), B (Windows cannot tell whether a card is in it), "
         "C (no card), D (Windows cannot tell whether a card is in it)",
         std::vector<Reader>{{"A", true}, {"B", std::nullopt}, {"C", false}, {"D", std::nullopt}}},
        // Outside a Remote Desktop session ERROR_BROKEN_PIPE is an error like any other.
        {"broken pipe", {platform::kScardBrokenPipe}, "; could not ask the smart-card service: error 0x0000006D",
         std::nullopt},
        {"no answer in time", Unanswered(3), "; could not ask the smart-card service: no answer within 3 seconds",
         std::nullopt},
        {"no answer in one second", Unanswered(1),
         "; could not ask the smart-card service: no answer within 1 second", std::nullopt},
        // In a Remote Desktop session Windows sees only what the connecting PC passes on.
        {"remote, no service", Remote({platform::kScardNoService}), kNonePassedOn, std::nullopt},
        {"remote, service stopped", Remote({platform::kScardServiceStopped}), kNonePassedOn, std::nullopt},
        {"remote, not redirected", Remote({platform::kScardBrokenPipe}), kNonePassedOn, std::nullopt},
        {"remote, none passed on", Remote({platform::kScardNoReadersAvailable}), kNonePassedOn, std::vector<Reader>{}},
        {"remote, an empty list", Remote(Listed({})), kNonePassedOn, std::vector<Reader>{}},
        {"remote, a reader passed on", Remote(Listed({{"Client Reader 0", 0x22}})),
         "; Windows sees 1 card reader: Client Reader 0 (a card is in it)",
         std::vector<Reader>{{"Client Reader 0", true}}},
        {"remote, another error", Remote({0x80100001}), "; could not ask the smart-card service: error 0x80100001",
         std::nullopt},
        {"remote, no answer", Remote(Unanswered(3)),
         "; could not ask the smart-card service: no answer within 3 seconds", std::nullopt},
        {"missing function", {0, "winscard.dll has no SCardListReadersA"},
         "; could not ask the smart-card service: winscard.dll has no SCardListReadersA", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Finding finding{false, "C:\\Program Files\\Gemplus\\ReaderTools: no folder there"};
        AddCardReaders(finding, c.answer);
        EXPECT_EQ(finding.detail, "C:\\Program Files\\Gemplus\\ReaderTools: no folder there" + c.words);
        EXPECT_FALSE(finding.passed) << "the verdict stays the folder's";
        ASSERT_TRUE(finding.cardReaders);
        if (!c.readers) {
            EXPECT_FALSE(finding.cardReaders->readers);
            EXPECT_EQ("; " + finding.cardReaders->note, c.words);
            continue;
        }
        ASSERT_TRUE(finding.cardReaders->readers);
        const std::vector<CardReader>& readers = *finding.cardReaders->readers;
        ASSERT_EQ(readers.size(), c.readers->size());
        for (std::size_t i = 0; i < readers.size(); ++i) {
            EXPECT_EQ(readers[i].name, (*c.readers)[i].name);
            EXPECT_EQ(readers[i].card, (*c.readers)[i].card);
        }
    }
}

TEST(EndsTheAsking, OnlyWhenTheServiceItselfCannotBeReached) {
    const std::pair<std::uint32_t, bool> cases[] = {
        {platform::kScardNoService, true},        {platform::kScardServiceStopped, true},
        {platform::kScardInvalidHandle, true},    {platform::kScardBrokenPipe, true},
        {0x80100009, false},  // SCARD_E_UNKNOWN_READER: unplugged between the list and the call
        {0x8010000A, false},  // SCARD_E_TIMEOUT
        {platform::kScardNoReadersAvailable, false},
        {0x80100001, false},  // SCARD_F_INTERNAL_ERROR
        {platform::kScardSuccess, false},
    };
    for (const auto& [status, ends] : cases) EXPECT_EQ(platform::EndsTheAsking(status), ends) << std::hex << status;
}

TEST(ReaderNamesIn, TakesEachEndedNameUpToTheEmptyOne) {
    struct NamesCase {
        std::string list;
        std::vector<std::string> names;
    };
    const NamesCase cases[] = {
        {"A\0B b\0\0"s, {"A", "B b"}},
        {"A\0\0B\0\0"s, {"A"}},
        {"A\0B"s, {"A"}},  // cut at the length read: B is not ended
        {"\0"s, {}},
        {""s, {}},
        {"\xE9\0"s, {"\xE9"}},
    };
    for (const NamesCase& c : cases) EXPECT_EQ(platform::ReaderNamesIn(c.list), c.names);
}

}  // namespace
