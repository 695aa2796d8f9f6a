#pragma once
// The one command line the program answers: "/report FILE" (or "-report FILE", any letter case)
// runs the checks without a window and writes the report to FILE. Anything else opens the window.
#include <optional>
#include <span>
#include <string>

// `arguments` are those after the program name. FILE when they are exactly the report switch and
// one more argument (which may be any text, even empty); nothing otherwise.
std::optional<std::string> ReportFileRequested(std::span<const std::string> arguments);
