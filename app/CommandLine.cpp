#include "app/CommandLine.h"

#include <algorithm>
#include <string_view>

namespace {

// ASCII letters only: a switch is never anything else, and other bytes must not match by accident.
bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::equal(text.begin(), text.end(), lowerCase.begin(), lowerCase.end(), [](char a, char b) {
        const char lower = (a >= 'A' && a <= 'Z') ? static_cast<char>(a - 'A' + 'a') : a;
        return lower == b;
    });
}

bool IsReportSwitch(std::string_view argument) {
    return EqualsIgnoringCase(argument, "/report") || EqualsIgnoringCase(argument, "-report");
}

}  // namespace

std::optional<std::string> ReportFileRequested(std::span<const std::string> arguments) {
    if (arguments.size() != 2 || !IsReportSwitch(arguments[0])) return std::nullopt;
    return arguments[1];
}

bool HelpRequested(std::span<const std::string> arguments) {
    if (arguments.size() != 1) return false;
    for (const std::string_view help : {"/?", "-?", "/help", "-h"})
        if (EqualsIgnoringCase(arguments[0], help)) return true;
    return false;
}
