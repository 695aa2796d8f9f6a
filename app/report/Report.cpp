#include "app/report/Report.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr std::string_view kProgramName = "QTSysCheck";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte <= 0xBF; }

// The byte sequence that starts at `at`: a well-formed character, or the longest start of one
// that goes wrong (at least one byte), which is replaced as a unit. Follows the Unicode table of
// well-formed sequences: no overlong forms, no surrogates, nothing above U+10FFFF.
struct Sequence {
    std::size_t length;
    bool wellFormed;
};

Sequence NextSequence(std::string_view text, std::size_t at) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(at);
    if (lead < 0x80) return {1, true};
    std::size_t length = 0;
    unsigned char secondLow = 0x80, secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) secondLow = 0xA0;
        if (lead == 0xED) secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) secondLow = 0x90;
        if (lead == 0xF4) secondHigh = 0x8F;
    } else {
        return {1, false};
    }
    if (at + 1 >= text.size() || byteAt(at + 1) < secondLow || byteAt(at + 1) > secondHigh)
        return {1, false};
    for (std::size_t i = 2; i < length; ++i)
        if (at + i >= text.size() || !IsContinuation(byteAt(at + i))) return {i, false};
    return {length, true};
}

// One trailing ':' belongs to the window's label, not to the row's name.
std::string_view CaptionForReport(std::string_view caption) {
    if (!caption.empty() && caption.back() == ':') caption.remove_suffix(1);
    return caption;
}

// Valid UTF-8 on one line: control characters (line breaks included) become spaces.
std::string OneLine(std::string_view text) {
    std::string line = ValidUtf8(text);
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = ' ';
    }
    return line;
}

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : ValidUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0x0F];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void AppendJsonMember(std::string& out, std::string_view name, std::string_view value) {
    AppendJsonString(out, name);
    out += ": ";
    AppendJsonString(out, value);
}

// ', "readers": [{"name": ..., "card": true}]', or ', "readers": null, "readersNote": ...'.
void AppendCardReaders(std::string& out, const CardReaders& found) {
    out += ", \"readers\": ";
    if (!found.readers) {
        out += "null, ";
        AppendJsonMember(out, "readersNote", found.note);
        return;
    }
    out += "[";
    for (std::size_t i = 0; i < found.readers->size(); ++i) {
        const CardReader& reader = (*found.readers)[i];
        out += i == 0 ? "{" : ", {";
        AppendJsonMember(out, "name", reader.name);
        out += ", \"card\": ";
        out += !reader.card ? "null" : *reader.card ? "true" : "false";
        out += "}";
    }
    out += "]";
}

std::string_view ClientTlsResultText(ClientTlsResult result) {
    switch (result) {
        case ClientTlsResult::Connected: return "connected";
        case ClientTlsResult::Refused: return "refused";
        case ClientTlsResult::NotChecked: break;
    }
    return "not checked";
}

// , "clientTls": {"offered": ..., "agreed": ... or null, "result": ..., "because": ...}
void AppendClientTls(std::string& out, const ClientTlsNote& note) {
    out += ", \"clientTls\": {";
    AppendJsonMember(out, "offered", note.offered);
    out += ", \"agreed\": ";
    if (note.agreed)
        AppendJsonString(out, *note.agreed);
    else
        out += "null";
    out += ", ";
    AppendJsonMember(out, "result", ClientTlsResultText(note.result));
    out += ", ";
    AppendJsonMember(out, "because", note.because);
    out += "}";
}

// `value` in decimal with at least `width` digits, zero-padded; a minus sign goes in front.
std::string Padded(long long value, int width) {
    const bool negative = value < 0;
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits;
    do {
        digits += static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (digits.size() < static_cast<std::size_t>(width)) digits += '0';
    if (negative) digits += '-';
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace

void SystemTextsToUtf8(ReportHeader& header, std::vector<ReportRow>& rows, SystemTextToUtf8Function toUtf8) {
    header.computer = toUtf8(header.computer);
    for (ReportRow& row : rows) {
        row.detail = toUtf8(row.detail);
        // The instructions' own words are ASCII, the same in every system code page.
        row.remedy = toUtf8(row.remedy);
        row.action.command = toUtf8(row.action.command);
        if (row.certificate) {
            row.certificate->subject = toUtf8(row.certificate->subject);
            row.certificate->issuer = toUtf8(row.certificate->issuer);
            row.certificate->validUntil = toUtf8(row.certificate->validUntil);
        }
        if (row.cardReaders && row.cardReaders->readers)
            for (CardReader& reader : *row.cardReaders->readers) reader.name = toUtf8(reader.name);
        // The reason may name the proxy, as the Internet settings hold it.
        if (row.clientTls) row.clientTls->because = toUtf8(row.clientTls->because);
    }
}

bool AllPassed(std::span<const ReportRow> rows) {
    return !rows.empty() && std::all_of(rows.begin(), rows.end(), [](const ReportRow& row) {
        return row.result == RowResult::Passed;
    });
}

std::string_view ResultText(RowResult result) {
    switch (result) {
        case RowResult::Passed: return "Passed";
        case RowResult::Failed: return "Failed";
        case RowResult::NotChecked: break;
    }
    return "Not checked yet";
}

std::string ValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Sequence sequence = NextSequence(text, at);
        if (sequence.wellFormed)
            out.append(text, at, sequence.length);
        else
            out += kReplacementCharacter;
        at += sequence.length;
    }
    return out;
}

std::string PlainTextReport(const ReportHeader& header, std::span<const ReportRow> rows) {
    std::string out;
    out += OneLine(header.title);
    out += kCrLf;
    out += OneLine(header.localTime);
    out += kCrLf;
    out += kProgramName;
    if (!header.version.empty()) out += " " + OneLine(header.version);
    if (!header.computer.empty()) out += " on " + OneLine(header.computer);
    out += kCrLf;
    out += kCrLf;
    for (const ReportRow& row : rows) {
        out += OneLine(CaptionForReport(row.caption));
        out += ": ";
        out += ResultText(row.result);
        if (!row.detail.empty()) {
            out += " - ";
            out += OneLine(row.detail);
        }
        out += kCrLf;
        if (!row.remedy.empty()) {
            out += "    ";
            out += kWhatToDoLabel;
            out += OneLine(row.remedy);
            out += kCrLf;
        }
        if (!row.action.label.empty()) {
            out += "    ";
            out += kFixLabel;
            out += OneLine(row.action.label);
            if (!row.action.command.empty()) out += " (" + OneLine(row.action.command) + ")";
            out += kCrLf;
        }
    }
    return out;
}

std::string JsonReport(const ReportHeader& header, std::span<const ReportRow> rows) {
    std::string out = "{";
    out += kCrLf;
    const std::array<std::pair<std::string_view, std::string_view>, 5> members{{
        {"program", kProgramName},
        {"title", header.title},
        {"version", header.version},
        {"computer", header.computer},
        {"time", header.isoTime},
    }};
    for (const auto& [name, value] : members) {
        out += "  ";
        AppendJsonMember(out, name, value);
        out += ",";
        out += kCrLf;
    }
    out += "  \"passed\": ";
    out += AllPassed(rows) ? "true" : "false";
    out += ",";
    out += kCrLf;
    out += "  \"rows\": [";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += i == 0 ? "" : ",";
        out += kCrLf;
        out += "    {";
        AppendJsonMember(out, "caption", CaptionForReport(rows[i].caption));
        out += ", ";
        AppendJsonMember(out, "result", ResultText(rows[i].result));
        out += ", ";
        AppendJsonMember(out, "detail", rows[i].detail);
        if (const auto& certificate = rows[i].certificate) {
            out += ", \"certificate\": {";
            AppendJsonMember(out, "subject", certificate->subject);
            out += ", ";
            AppendJsonMember(out, "issuer", certificate->issuer);
            if (!certificate->validUntil.empty()) {
                out += ", ";
                AppendJsonMember(out, "validUntil", certificate->validUntil);
            }
            out += "}";
        }
        if (const auto& readers = rows[i].cardReaders) AppendCardReaders(out, *readers);
        if (!rows[i].remedy.empty()) {
            out += ", ";
            AppendJsonMember(out, "remedy", rows[i].remedy);
        }
        if (!rows[i].action.label.empty()) {
            out += ", \"action\": {";
            AppendJsonMember(out, "label", rows[i].action.label);
            if (!rows[i].action.command.empty()) {
                out += ", ";
                AppendJsonMember(out, "command", rows[i].action.command);
            }
            out += "}";
        }
        if (rows[i].clientTls) AppendClientTls(out, *rows[i].clientTls);
        out += "}";
    }
    if (!rows.empty()) {
        out += kCrLf;
        out += "  ";
    }
    out += "]";
    out += kCrLf;
    out += "}";
    out += kCrLf;
    return out;
}

bool IsJsonReportPath(std::string_view path) {
    constexpr std::string_view kExtension = ".json";
    if (path.size() < kExtension.size()) return false;
    const std::string_view tail = path.substr(path.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
        const char lower = (a >= 'A' && a <= 'Z') ? static_cast<char>(a - 'A' + 'a') : a;
        return lower == b;
    });
}

ReportTimes FormatReportTimes(const platform::LocalClockReading& r) {
    const std::string date = Padded(r.year, 4) + "-" + Padded(r.month, 2) + "-" + Padded(r.day, 2);
    const std::string time = Padded(r.hour, 2) + ":" + Padded(r.minute, 2) + ":" + Padded(r.second, 2);
    const long long offset = r.utcOffsetMinutes;
    const long long distance = offset < 0 ? -offset : offset;
    const std::string zone =
        std::string(offset < 0 ? "-" : "+") + Padded(distance / 60, 2) + ":" + Padded(distance % 60, 2);
    return {date + " " + time, date + "T" + time + zone};
}
