// The report texts: what Ctrl+C copies and what the silent run writes, plain and JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "JsonReader.h"
#include "app/report/Report.h"

namespace {

using namespace std::string_literals;
using apptest::JsonValue;
using apptest::ReadJson;

ReportHeader Header() {
    return {"Quorvin Tessary Card System", "1.00", "PC-NAME", "2026-12-07 16:55:19",
            "2026-12-07T16:55:19+01:00"};
}

std::vector<ReportRow> MixedRows() {
    return {
        {"Internet Access (Application):", RowResult::Passed, "http://host/app: HTTP 200, marker found"},
        {"Operating System:", RowResult::Failed, "Windows 2000 SP4, not supported", "Use a newer Windows."},
        {"MS Interop Assembly", RowResult::NotChecked, ""},
    };
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));  // what follows the last line end: empty when it ends in one
    return lines;
}

JsonValue ReadReport(const std::string& json) {
    const std::optional<JsonValue> value = ReadJson(json);
    if (!value) ADD_FAILURE() << "not valid JSON:\n" << json;
    return value.value_or(JsonValue{});
}

TEST(ResultTextTest, NamesEachResult) {
    EXPECT_EQ(ResultText(RowResult::NotChecked), "Not checked yet");
    EXPECT_EQ(ResultText(RowResult::Passed), "Passed");
    EXPECT_EQ(ResultText(RowResult::Failed), "Failed");
}

TEST(PlainTextReportTest, ShowsTitleTimeProgramThenOneLinePerRowInOrder) {
    const std::vector<ReportRow> rows = MixedRows();
    EXPECT_EQ(PlainTextReport(Header(), rows),
              "Quorvin Tessary Card System\r\n"
              "2026-12-07 16:55:19\r\n"
              "QTSysCheck 1.00 on PC-NAME\r\n"
              "\r\n"
              "Internet Access (Application): Passed - http://host/app: HTTP 200, marker found\r\n"
              "Operating System: Failed - Windows 2000 SP4, not supported\r\n"
              "    What to do: Use a newer Windows.\r\n"
              "MS Interop Assembly: Not checked yet\r\n");
}

// Failed rows with an action: a program with its arguments, and "Check again", which has no command.
std::vector<ReportRow> RowsWithActions() {
    return {
        {"Internet Access (Application):", RowResult::Failed, "no route", "Check the proxy.",
         {"Open Internet Options\u2026", "C:\\WINDOWS\\system32\\control.exe inetcpl.cpl,,4"}},
        {"Smart Card Driver:", RowResult::Failed, "Could not check: error 5", "Run the checker again.",
         {"Check again", ""}},
        {"MS Interop Assembly:", RowResult::Passed, "present"},
    };
}

TEST(PlainTextReportTest, PutsAFailedRowsActionUnderWhatToDo) {
    const std::vector<std::string> lines = SplitCrLf(PlainTextReport(Header(), RowsWithActions()));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[5], "    What to do: Check the proxy.");
    EXPECT_EQ(lines[6], "    Fix: Open Internet Options\u2026 (C:\\WINDOWS\\system32\\control.exe inetcpl.cpl,,4)");
    EXPECT_EQ(lines[9], "    Fix: Check again");
    EXPECT_EQ(lines[10], "MS Interop Assembly: Passed - present");
}

TEST(PlainTextReportTest, LeavesOutAComputerNameItDoesNotHave) {
    ReportHeader header = Header();
    header.computer.clear();
    const std::vector<std::string> lines = SplitCrLf(PlainTextReport(header, {}));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "QTSysCheck 1.00");
}

TEST(PlainTextReportTest, DropsOnlyOneTrailingColonOfACaption) {
    const std::vector<ReportRow> rows{{"Odd::", RowResult::Passed, ""}, {"A: b", RowResult::Failed, ""}};
    const std::vector<std::string> lines = SplitCrLf(PlainTextReport(Header(), rows));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[4], "Odd:: Passed");
    EXPECT_EQ(lines[5], "A: b: Failed");
}

TEST(PlainTextReportTest, KeepsEachRowOnOneLineWhateverItsTextHolds) {
    const std::vector<ReportRow> rows{
        {"Cap\ttion", RowResult::Failed, "first\r\nsecond\nthird\rfourth\x01" "fifth"},
        {"Next", RowResult::Passed, "ok"},
    };
    const std::string text = PlainTextReport(Header(), rows);
    const std::vector<std::string> lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), 7u) << text;
    EXPECT_EQ(lines[4], "Cap tion: Failed - first  second third fourth fifth");
    EXPECT_EQ(lines[5], "Next: Passed - ok");
    EXPECT_EQ(lines[6], "");
    for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

TEST(PlainTextReportTest, KeepsUtf8AndReplacesBytesThatAreNot) {
    const std::vector<ReportRow> rows{{"Ordner", RowResult::Failed, "C:\\Caf\xC3\xA9 and C:\\Caf\xE9"}};
    const std::vector<std::string> lines = SplitCrLf(PlainTextReport(Header(), rows));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], "Ordner: Failed - C:\\Caf\xC3\xA9 and C:\\Caf\xEF\xBF\xBD");
}

TEST(JsonReportTest, HoldsProgramHeaderAndEveryRowInOrder) {
    const std::vector<ReportRow> rows = MixedRows();
    const JsonValue report = ReadReport(JsonReport(Header(), rows));
    ASSERT_EQ(report.kind, JsonValue::Kind::Object);
    EXPECT_EQ(report["program"].text, "QTSysCheck");
    EXPECT_EQ(report["title"].text, "Quorvin Tessary Card System");
    EXPECT_EQ(report["version"].text, "1.00");
    EXPECT_EQ(report["computer"].text, "PC-NAME");
    EXPECT_EQ(report["time"].text, "2026-12-07T16:55:19+01:00");
    ASSERT_EQ(report["rows"].kind, JsonValue::Kind::Array);
    ASSERT_EQ(report["rows"].items.size(), rows.size());
    const char* captions[] = {"Internet Access (Application)", "Operating System", "MS Interop Assembly"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const JsonValue& row = report["rows"][i];
        EXPECT_EQ(row["caption"].text, captions[i]);
        EXPECT_EQ(row["result"].text, ResultText(rows[i].result));
        EXPECT_EQ(row["detail"].text, rows[i].detail);
        // Only a row with something to do has a remedy.
        const bool hasRemedy = std::any_of(row.members.begin(), row.members.end(),
                                           [](const auto& member) { return member.first == "remedy"; });
        EXPECT_EQ(hasRemedy, !rows[i].remedy.empty());
    }
    EXPECT_EQ(report["rows"][1]["remedy"].text, "Use a newer Windows.");
}

TEST(JsonReportTest, GivesAFailedRowsActionWithItsCommandWhenItHasOne) {
    const JsonValue report = ReadReport(JsonReport(Header(), RowsWithActions()));
    const JsonValue& options = report["rows"][0]["action"];
    ASSERT_EQ(options.members.size(), 2u);
    EXPECT_EQ(options["label"].text, "Open Internet Options\u2026");
    EXPECT_EQ(options["command"].text, "C:\\WINDOWS\\system32\\control.exe inetcpl.cpl,,4");
    const JsonValue& again = report["rows"][1]["action"];
    ASSERT_EQ(again.members.size(), 1u);
    EXPECT_EQ(again["label"].text, "Check again");
    EXPECT_THROW(report["rows"][2]["action"], std::exception) << "nothing to do about a passed row";
}

TEST(JsonReportTest, ARowGivenACertificateNamesIt) {
    std::vector<ReportRow> rows = MixedRows();
    rows[0].certificate =
        CertificateNames{"services \"edge\" \\ quorvin", "Contoso \"Inspection\" CA", "2027-03-01"};
    rows[1].certificate = CertificateNames{"h", "CA"};
    const JsonValue report = ReadReport(JsonReport(Header(), rows));
    const JsonValue& full = report["rows"][0]["certificate"];
    EXPECT_EQ(full["subject"].text, "services \"edge\" \\ quorvin");
    EXPECT_EQ(full["issuer"].text, "Contoso \"Inspection\" CA");
    EXPECT_EQ(full["validUntil"].text, "2027-03-01");
    const JsonValue& undated = report["rows"][1]["certificate"];
    EXPECT_EQ(undated["issuer"].text, "CA");
    EXPECT_EQ(undated.members.size(), 2u) << "no validUntil when none was read";
    const JsonValue& none = report["rows"][2];
    EXPECT_TRUE(std::none_of(none.members.begin(), none.members.end(),
                             [](const auto& member) { return member.first == "certificate"; }));
}

// Windows-1252, as a Western European Windows has it: each byte's character, in UTF-8.
std::string Cp1252ToUtf8(std::string_view text) {
    // 0x80 to 0x9F; 0 where the code page has no character. From 0xA0 on the byte is the code point.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const unsigned point = byte < 0x80 ? byte : byte < 0xA0 ? kHigh[byte - 0x80] : byte;
        if (point < 0x80) {
            utf8 += static_cast<char>(point);
        } else if (point < 0x800) {
            utf8 += static_cast<char>(0xC0 | (point >> 6));
            utf8 += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (point >> 12));
            utf8 += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return utf8;
}

// Names with accents, as a Western European Windows gives them, reach every report intact: each
// text that came from Windows is converted once; this program's own UTF-8 texts are left alone.
TEST(SystemTextsToUtf8Test, ConvertsEveryTextFromWindowsOnceAndNothingElse) {
    const std::string issuerAnsi = "Soci\xE9t\xE9 G\xE9n\xE9rale Pr\xFC" "fstelle CA";
    const std::string issuer = "Soci\u00E9t\u00E9 G\u00E9n\u00E9rale Pr\u00FCfstelle CA";
    ReportHeader header = Header();
    header.computer = "B\xDCRO-PC";
    header.title = "Quorvin Tessary Card System \u2013 Pr\u00FCfung";
    std::vector<ReportRow> rows = MixedRows();
    rows[0] = {"Internet Access (Secure Web Service):", RowResult::Failed,
               "https://h/p: certificate not trusted: issued to caf\xE9.example by " + issuerAnsi,
               "The certificate was issued by " + issuerAnsi + ": ask your IT department.",
               {"Open Date and Time\u2026", "C:\\Programme \x80\\control.exe timedate.cpl"},
               CertificateNames{"caf\xE9.example", issuerAnsi, "2027-03-01"}};
    rows[2].cardReaders = CardReaders{std::vector<CardReader>{{"Lecteur \xE0 puce 0", true}}};

    SystemTextsToUtf8(header, rows, &Cp1252ToUtf8);

    EXPECT_EQ(header.computer, "B\u00DCRO-PC");
    EXPECT_EQ(header.title, "Quorvin Tessary Card System \u2013 Pr\u00FCfung") << "not converted twice";
    const JsonValue report = ReadReport(JsonReport(header, rows));
    EXPECT_EQ(report["computer"].text, "B\u00DCRO-PC");
    const JsonValue& row = report["rows"][0];
    EXPECT_EQ(row["detail"].text, "https://h/p: certificate not trusted: issued to caf\u00E9.example by " + issuer);
    EXPECT_EQ(row["remedy"].text, "The certificate was issued by " + issuer + ": ask your IT department.");
    EXPECT_EQ(row["certificate"]["subject"].text, "caf\u00E9.example");
    EXPECT_EQ(row["certificate"]["issuer"].text, issuer);
    EXPECT_EQ(row["certificate"]["validUntil"].text, "2027-03-01");
    EXPECT_EQ(row["action"]["label"].text, "Open Date and Time\u2026");
    EXPECT_EQ(row["action"]["command"].text, "C:\\Programme \u20AC\\control.exe timedate.cpl");
    EXPECT_EQ(report["rows"][1]["remedy"].text, "Use a newer Windows.");
    EXPECT_EQ(report["rows"][2]["readers"][0]["name"].text, "Lecteur \u00E0 puce 0");

    const std::string text = PlainTextReport(header, rows);
    EXPECT_NE(text.find("QTSysCheck 1.00 on B\u00DCRO-PC\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("    What to do: The certificate was issued by " + issuer + ":"), std::string::npos) << text;
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << "no replacement character:\n" << text;
}

TEST(JsonReportTest, TheSecureRowCarriesTheClientsHandshake) {
    std::vector<ReportRow> rows = MixedRows();
    rows[0].clientTls = ClientTlsNote{"SSL 3.0 and TLS 1.0", std::nullopt, ClientTlsResult::Refused,
                                      "SystemDefaultTlsVersions is not 1 in the 64-bit registry view"};
    rows[1].clientTls = ClientTlsNote{"Windows' TLS versions", "TLS 1.2", ClientTlsResult::Connected, "set"};
    const JsonValue report = ReadReport(JsonReport(Header(), rows));
    const JsonValue& refused = report["rows"][0]["clientTls"];
    EXPECT_EQ(refused["offered"].text, "SSL 3.0 and TLS 1.0");
    EXPECT_EQ(refused["agreed"].kind, JsonValue::Kind::Null);
    EXPECT_EQ(refused["result"].text, "refused");
    EXPECT_EQ(refused["because"].text, "SystemDefaultTlsVersions is not 1 in the 64-bit registry view");
    EXPECT_EQ(report["rows"][1]["clientTls"]["agreed"].text, "TLS 1.2");
    EXPECT_EQ(report["rows"][1]["clientTls"]["result"].text, "connected");
    const JsonValue& none = report["rows"][2];
    EXPECT_TRUE(std::none_of(none.members.begin(), none.members.end(),
                             [](const auto& member) { return member.first == "clientTls"; }));
    rows[1].clientTls->result = ClientTlsResult::NotChecked;
    EXPECT_EQ(ReadReport(JsonReport(Header(), rows))["rows"][1]["clientTls"]["result"].text, "not checked");
}

TEST(JsonReportTest, PassesOverallOnlyWhenEveryRowPassed) {
    std::vector<ReportRow> rows(7, ReportRow{"Row", RowResult::Passed, "fine"});
    EXPECT_TRUE(ReadReport(JsonReport(Header(), rows))["passed"].boolean);
    for (const RowResult other : {RowResult::Failed, RowResult::NotChecked}) {
        for (std::size_t i : {std::size_t{0}, std::size_t{6}}) {
            std::vector<ReportRow> one = rows;
            one[i].result = other;
            const JsonValue report = ReadReport(JsonReport(Header(), one));
            EXPECT_EQ(report["passed"].kind, JsonValue::Kind::Boolean);
            EXPECT_FALSE(report["passed"].boolean) << "row " << i << " " << ResultText(other);
        }
    }
    // Nothing checked is no pass.
    EXPECT_FALSE(ReadReport(JsonReport(Header(), {}))["passed"].boolean);
    EXPECT_TRUE(ReadReport(JsonReport(Header(), {}))["rows"].items.empty());
}

TEST(JsonReportTest, ReadsBackEveryTextExactlyWhateverCharactersItHolds) {
    const std::vector<std::string> texts{
        "quote \" and backslash \\ and slash /",
        "C:\\Program Files\\Reader\\",
        "line\nbreak\r\ttab\bback\fform",
        "nul \0 and \x01 \x1f \x7f"s,
        "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x92\xB3 \xE2\x80\xA8",
        "",
    };
    for (const std::string& text : texts) {
        ReportHeader header = Header();
        header.title = text;
        header.computer = text;
        const std::vector<ReportRow> rows{{text, RowResult::Failed, text}};
        const std::string json = JsonReport(header, rows);
        const JsonValue report = ReadReport(json);
        EXPECT_EQ(report["title"].text, text);
        EXPECT_EQ(report["computer"].text, text);
        EXPECT_EQ(report["rows"][0]["caption"].text, text);
        EXPECT_EQ(report["rows"][0]["detail"].text, text);
    }
}

TEST(JsonReportTest, StaysValidJsonWhenATextIsNotUtf8) {
    const std::string ansi = "C:\\Caf\xE9\\Dossier \xC3 \xE2\x82 \xED\xA0\x80 \xC0\xAF \xF8";
    const std::vector<ReportRow> rows{{"Folder", RowResult::Failed, ansi}};
    const std::string json = JsonReport(Header(), rows);
    EXPECT_TRUE(apptest::IsWellFormedUtf8(json));
    const JsonValue report = ReadReport(json);
    const std::string detail = report["rows"][0]["detail"].text;
    EXPECT_EQ(detail.rfind("C:\\Caf\xEF\xBF\xBD\\Dossier ", 0), 0u) << detail;
}

TEST(JsonReportTest, PutsEachRowOnItsOwnLine) {
    const std::vector<ReportRow> rows = MixedRows();
    const std::string json = JsonReport(Header(), rows);
    for (const ReportRow& row : rows) {
        const std::size_t at = json.find(row.detail.empty() ? "Not checked yet" : row.detail);
        ASSERT_NE(at, std::string::npos);
        const std::size_t lineStart = json.rfind("\r\n", at);
        const std::size_t lineEnd = json.find("\r\n", at);
        const std::string line = json.substr(lineStart + 2, lineEnd - lineStart - 2);
        EXPECT_NE(line.find("\"caption\""), std::string::npos) << line;
    }
}

struct Utf8Case {
    const char* name;
    std::string input;
    std::string expected;
};

class ValidUtf8Test : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(ValidUtf8Test, KeepsWellFormedTextAndReplacesTheRest) {
    const std::string out = ValidUtf8(GetParam().input);
    EXPECT_EQ(out, GetParam().expected);
    EXPECT_TRUE(apptest::IsWellFormedUtf8(out));
}

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Sequences, ValidUtf8Test,
    ::testing::Values(
        Utf8Case{"Ascii", "plain text", "plain text"},
        Utf8Case{"TwoThreeFourBytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x92\xB3", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x92\xB3"},
        Utf8Case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        Utf8Case{"Latin1Byte", "caf\xE9!", "caf" + kReplacement + "!"},
        Utf8Case{"LoneContinuation", "a\x80z", "a" + kReplacement + "z"},
        Utf8Case{"CutAtEnd", "ab\xE2\x82", "ab" + kReplacement},
        Utf8Case{"CutBeforeNext", "\xE2\x82" "A", kReplacement + "A"},
        Utf8Case{"OverlongSlash", "\xC0\xAF", kReplacement + kReplacement},
        Utf8Case{"OverlongThreeBytes", "\xE0\x80\xAF", kReplacement + kReplacement + kReplacement},
        Utf8Case{"Surrogate", "\xED\xA0\x80", kReplacement + kReplacement + kReplacement},
        Utf8Case{"PastUnicode", "\xF4\x90\x80\x80", kReplacement + kReplacement + kReplacement + kReplacement},
        Utf8Case{"InvalidLead", "\xF8\xFF", kReplacement + kReplacement},
        Utf8Case{"BadLeadThenGoodSequence", "\xC3\xC3\xA9", kReplacement + "\xC3\xA9"}),
    [](const ::testing::TestParamInfo<Utf8Case>& p) { return std::string(p.param.name); });

TEST(IsJsonReportPathTest, RecognisesTheExtensionInAnyCase) {
    for (const char* path : {"report.json", "C:\\Reports\\Run.JSON", "a b.Json", ".json"})
        EXPECT_TRUE(IsJsonReportPath(path)) << path;
    for (const char* path : {"report.txt", "report.json.txt", "reportjson", "C:\\x.json\\report", "json",
                             "report.jso", "", "report.js0n"})
        EXPECT_FALSE(IsJsonReportPath(path)) << path;
}

struct TimeCase {
    const char* name;
    platform::LocalClockReading reading;
    const char* localTime;
    const char* isoTime;
};

class FormatReportTimesTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FormatReportTimesTest, WritesLocalTimeAndIsoTimeWithOffset) {
    const ReportTimes times = FormatReportTimes(GetParam().reading);
    EXPECT_EQ(times.localTime, GetParam().localTime);
    EXPECT_EQ(times.isoTime, GetParam().isoTime);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, FormatReportTimesTest,
    ::testing::Values(
        TimeCase{"CentralEurope", {2026, 12, 7, 16, 55, 19, 60}, "2026-12-07 16:55:19", "2026-12-07T16:55:19+01:00"},
        TimeCase{"Utc", {2027, 1, 1, 0, 0, 0, 0}, "2027-01-01 00:00:00", "2027-01-01T00:00:00+00:00"},
        TimeCase{"NewYork", {2026, 3, 8, 9, 5, 7, -300}, "2026-03-08 09:05:07", "2026-03-08T09:05:07-05:00"},
        TimeCase{"Newfoundland", {2026, 7, 1, 23, 59, 59, -150}, "2026-07-01 23:59:59", "2026-07-01T23:59:59-02:30"},
        TimeCase{"India", {2026, 10, 31, 12, 0, 0, 330}, "2026-10-31 12:00:00", "2026-10-31T12:00:00+05:30"},
        TimeCase{"Nepal", {2026, 2, 28, 6, 30, 45, 345}, "2026-02-28 06:30:45", "2026-02-28T06:30:45+05:45"},
        TimeCase{"Kiribati", {2026, 6, 15, 8, 1, 2, 840}, "2026-06-15 08:01:02", "2026-06-15T08:01:02+14:00"},
        TimeCase{"EarlyYear", {999, 1, 2, 3, 4, 5, -720}, "0999-01-02 03:04:05", "0999-01-02T03:04:05-12:00"}),
    [](const ::testing::TestParamInfo<TimeCase>& p) { return std::string(p.param.name); });

}  // namespace
