#include "CardReaderWords.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using platform::SmartCardAnswer;

constexpr std::string_view kNoReader = "no card reader is attached";
constexpr std::string_view kNotRunning =
    "the smart-card service is not running (Windows starts it when a reader is plugged in)";
constexpr std::string_view kCouldNotAsk = "could not ask the smart-card service: ";
// What no service, no reader and ERROR_BROKEN_PIPE mean in a Remote Desktop session.
constexpr std::string_view kNonePassedOn =
    "in a Remote Desktop session Windows sees the card readers of the PC you connect from: none is passed on "
    "(smart-card redirection may be off)";

// The present and empty bits only: the high 16 bits are a counter. Nothing when the reader's
// status call failed.
std::optional<bool> CardIn(const platform::SmartCardReaderState& reader) {
    if (reader.status != platform::kScardSuccess) return std::nullopt;
    const std::uint32_t eventState = reader.eventState;
    if (eventState & platform::kScardStatePresent) return true;
    if (eventState & platform::kScardStateEmpty) return false;
    return std::nullopt;
}

std::string_view CardWords(const std::optional<bool>& card) {
    if (!card) return "Windows cannot tell whether a card is in it";
    return *card ? "a card is in it" : "no card";
}

// "0x8010001F": eight hexadecimal digits, as Microsoft lists the codes.
std::string Code(std::uint32_t code) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(code >> shift) & 0xF];
    return text;
}

// Why the service gave no list; empty when it gave one, or said that no reader is attached.
std::string NoListReason(const SmartCardAnswer& answer) {
    if (!answer.missing.empty()) return std::string(kCouldNotAsk) + answer.missing;
    if (const unsigned seconds = answer.noAnswerWithinSeconds)
        return std::string(kCouldNotAsk) + "no answer within " + std::to_string(seconds) +
               (seconds == 1 ? " second" : " seconds");
    if (answer.remoteSession && (answer.status == platform::kScardNoService ||
                                 answer.status == platform::kScardServiceStopped ||
                                 answer.status == platform::kScardBrokenPipe))
        return std::string(kNonePassedOn);
    switch (answer.status) {
        case platform::kScardSuccess:
        case platform::kScardNoReadersAvailable: return {};
        case platform::kScardNoService:
        case platform::kScardServiceStopped: return std::string(kNotRunning);
        default: return std::string(kCouldNotAsk) + "error " + Code(answer.status);
    }
}

}  // namespace

CardReaders CardReadersFrom(const SmartCardAnswer& answer) {
    std::string reason = NoListReason(answer);
    if (!reason.empty()) return {std::nullopt, std::move(reason)};
    std::vector<CardReader> readers;
    if (answer.status == platform::kScardSuccess)
        for (const platform::SmartCardReaderState& reader : answer.readers)
            readers.push_back({reader.name, CardIn(reader)});
    return {std::move(readers)};
}

std::string CardReaderWords(const SmartCardAnswer& answer) {
    const CardReaders found = CardReadersFrom(answer);
    if (!found.readers) return "; " + found.note;
    const std::vector<CardReader>& readers = *found.readers;
    if (readers.empty()) return "; " + std::string(answer.remoteSession ? kNonePassedOn : kNoReader);
    const std::size_t count = std::max(answer.listed, readers.size());
    std::string words = "; Windows sees " + std::to_string(count) + (count == 1 ? " card reader: " : " card readers: ");
    for (std::size_t i = 0; i < readers.size(); ++i) {
        if (i > 0) words += ", ";
        words += OnOneLine(readers[i].name);
        words += " (";
        words += CardWords(readers[i].card);
        words += ")";
    }
    if (count > readers.size()) words += " and " + std::to_string(count - readers.size()) + " more";
    return words;
}

void AddCardReaders(Finding& finding, const SmartCardAnswer& answer) {
    finding.detail += CardReaderWords(answer);
    finding.cardReaders = CardReadersFrom(answer);
}
