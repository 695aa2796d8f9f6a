#pragma once
// The card readers Windows' smart-card service sees, as the reports list them. Portable.
#include <optional>
#include <string>
#include <vector>

struct CardReader {
    std::string name;          // in the system code page, as Windows gives it
    std::optional<bool> card;  // whether a card is in it; nothing when the service cannot tell
};

// The list, empty when no reader is attached; or nothing, with `note` saying why the service
// gave none.
struct CardReaders {
    std::optional<std::vector<CardReader>> readers;
    std::string note{};
};
