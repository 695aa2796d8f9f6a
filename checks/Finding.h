#pragma once
// What one requirement check found: its verdict, and one short line a person can read saying
// what was looked at and what was there. Support staff read the line to answer "why is it red?".
#include <string>
#include <string_view>

struct Finding {
    bool passed = false;
    std::string detail;
};

// Starts the line of a check that could not look at all: an error on this PC, as opposed to a
// requirement that was looked at and is not met.
inline constexpr std::string_view kCouldNotCheck = "Could not check: ";

inline Finding CouldNotCheck(std::string_view why) {
    return {false, std::string(kCouldNotCheck) + std::string(why)};
}
