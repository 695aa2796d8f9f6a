#pragma once
// The plain-text and JSON reports of one run: what Ctrl+C copies and what the silent run writes.
// Pure: every text comes in and goes out as UTF-8 bytes; the caller converts system texts first,
// with SystemTextsToUtf8.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "checks/Finding.h"
#include "platform/ReportStamp.h"

enum class RowResult { NotChecked, Passed, Failed };

// "Not checked yet", "Passed" or "Failed".
std::string_view ResultText(RowResult result);

// What a failed row's link does, for a script to do it instead: "Open Internet Options…" and
// "C:\WINDOWS\system32\control.exe inetcpl.cpl,,4". No label: no action.
struct ReportAction {
    std::string label;
    std::string command;  // the program's path and arguments, or the address; empty for "Check again"
};

struct ReportRow {
    std::string caption;  // as the window shows it; one trailing ':' is dropped in the report
    RowResult result = RowResult::NotChecked;
    std::string detail;   // what was found; may be empty
    std::string remedy{};  // what to do about it, for a failed row; empty for the others
    ReportAction action{};  // what its link does, for a failed row that has one
    std::optional<CertificateNames> certificate{};  // the certificate the row's check was given
    std::optional<CardReaders> cardReaders{};  // the card readers the row's check was told of
    std::optional<ClientTlsNote> clientTls{};  // the client's handshake, on the secure row
};

// Starts the instruction under a failed row, in the report and in the row's tooltip.
inline constexpr std::string_view kWhatToDoLabel = "What to do: ";
// Starts the action under it in the report.
inline constexpr std::string_view kFixLabel = "Fix: ";

struct ReportHeader {
    std::string title;
    std::string version;
    std::string computer;   // may be empty
    std::string localTime;  // "2026-12-07 16:55:19", for people
    std::string isoTime;    // "2026-12-07T16:55:19+01:00", for machines
};

// A text in the system code page (what Windows' "A" functions give) as UTF-8.
using SystemTextToUtf8Function = std::string (*)(std::string_view);

// Every text of a report that came from Windows in the system code page made UTF-8 by `toUtf8`:
// the computer's name, and each row's detail, remedy (which may name a certificate's issuer),
// certificate names and action command. The title, version, captions and action labels are this
// program's own UTF-8 and stay as they are. The one place where a report's texts change code
// page: a text added to the report is converted here, or not at all.
void SystemTextsToUtf8(ReportHeader& header, std::vector<ReportRow>& rows, SystemTextToUtf8Function toUtf8);

// The title, the time, the program line, an empty line, then "Caption: Result - detail" per row,
// with "    What to do: remedy" under a row that has one and "    Fix: label (command)", or
// "    Fix: label" without a command, under a row with an action.
// CRLF line ends, as the clipboard and Notepad expect. Line breaks and other control characters
// inside a text become spaces, so each row stays one line.
std::string PlainTextReport(const ReportHeader& header, std::span<const ReportRow> rows);

// One JSON object: program, title, version, computer, time, passed (every row Passed, and at
// least one row), and rows [{caption, result, detail[, certificate][, readers[, readersNote]][,
// remedy][, action: {label[, command]}][, clientTls]}] in the order given; certificate is {subject,
// issuer[, validUntil]}; readers is [{name, card}] (card true, false or null when not known), or
// null with readersNote saying why; clientTls is {offered, agreed (null unless connected), result
// ("connected", "refused" or "not checked"), because}.
std::string JsonReport(const ReportHeader& header, std::span<const ReportRow> rows);

// True when there are rows and every one Passed: the report's overall verdict and the silent
// run's exit code.
bool AllPassed(std::span<const ReportRow> rows);

// True when `path` ends in ".json", in any letter case.
bool IsJsonReportPath(std::string_view path);

// The text with each broken piece of UTF-8 (the longest start of a character that goes wrong, or
// one stray byte) replaced by U+FFFD, as decoders do: a stray system-code-page byte can never
// make a report invalid UTF-8 or invalid JSON.
std::string ValidUtf8(std::string_view text);

struct ReportTimes {
    std::string localTime;  // "2026-12-07 16:55:19"
    std::string isoTime;    // "2026-12-07T16:55:19+01:00"
};

// The two time texts of a local clock reading.
ReportTimes FormatReportTimes(const platform::LocalClockReading& reading);
