#pragma once
// The command lines the program answers: "/report FILE" (or "-report FILE", any letter case)
// runs the checks without a window and writes the report to FILE; "/?" (or "-?", "/help", "-h",
// any letter case) shows how to use it. Anything else opens the window.
#include <optional>
#include <span>
#include <string>

// `arguments` are those after the program name. FILE when they are exactly the report switch and
// one more argument (which may be any text, even empty); nothing otherwise.
std::optional<std::string> ReportFileRequested(std::span<const std::string> arguments);

// True when `arguments` are exactly one of the help switches.
bool HelpRequested(std::span<const std::string> arguments);

// What "/?" shows: the command lines, the exit codes and the window's keys.
inline constexpr const char* kUsage =
    "QTSysCheck.exe\n"
    "    Checks this PC for the Tessary Card client in a window.\n"
    "    F5 checks again, Ctrl+C copies the report, Esc closes.\n"
    "\n"
    "QTSysCheck.exe /report FILE\n"
    "    Checks without a window and writes the report to FILE:\n"
    "    JSON when FILE ends in .json, plain text otherwise.\n"
    "    Exit code 0: every requirement met; 1: some not met;\n"
    "    2: FILE could not be written.\n"
    "\n"
    "QTSysCheck.exe /?\n"
    "    Shows this help.";
