// The card readers in the JSON report: from the Smart Card row's finding, through the run's
// findings, to "readers" and "readersNote".
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "JsonReader.h"
#include "app/RowFindings.h"
#include "app/window/Rows.h"
#include "checks/CardReaderWords.h"

namespace {

using apptest::JsonValue;

bool HasMember(const JsonValue& object, const char* name) {
    return std::any_of(object.members.begin(), object.members.end(),
                       [name](const auto& member) { return member.first == name; });
}

JsonValue SmartCardRow(const platform::SmartCardAnswer& answer) {
    Finding finding{true, "C:\\Program Files\\Gemplus\\ReaderTools: folder present"};
    AddCardReaders(finding, answer);
    RowFindings findings;
    findings.Record(Row::SmartCard, finding);
    const std::vector<ReportRow> rows = findings.ReportRows();
    const std::optional<JsonValue> report = apptest::ReadJson(JsonReport({"T", "1.00", "PC", "t", "t"}, rows));
    if (!report) throw std::runtime_error("not valid JSON");
    const JsonValue& row = (*report)["rows"][rows::Index(Row::SmartCard)];
    // Only the Smart Card row was told of readers.
    if (HasMember((*report)["rows"][rows::Index(Row::DotNet)], "readers")) throw std::runtime_error("readers on .NET");
    return row;
}

TEST(JsonReportCardReaders, ListsEachReaderWithWhetherACardIsInIt) {
    const JsonValue row =
        SmartCardRow({platform::kScardSuccess, {}, {{"Lecteur \"A\"", 0x10022}, {"B", 0x12}, {"C", 0x8}}, 3});
    EXPECT_EQ(row["result"].text, "Passed");
    const JsonValue& readers = row["readers"];
    ASSERT_EQ(readers.kind, JsonValue::Kind::Array);
    ASSERT_EQ(readers.items.size(), 3u);
    EXPECT_EQ(readers[0]["name"].text, "Lecteur \"A\"");
    EXPECT_EQ(readers[0]["card"].kind, JsonValue::Kind::Boolean);
    EXPECT_TRUE(readers[0]["card"].boolean);
    EXPECT_EQ(readers[1]["card"].kind, JsonValue::Kind::Boolean);
    EXPECT_FALSE(readers[1]["card"].boolean);
    EXPECT_EQ(readers[2]["card"].kind, JsonValue::Kind::Null) << "the service could not tell";
    EXPECT_FALSE(HasMember(row, "readersNote"));
}

TEST(JsonReportCardReaders, AnEmptyListWhenNoneIsAttachedAndNullWithTheReasonOtherwise) {
    const JsonValue none = SmartCardRow({platform::kScardNoReadersAvailable});
    EXPECT_EQ(none["readers"].kind, JsonValue::Kind::Array);
    EXPECT_TRUE(none["readers"].items.empty());
    EXPECT_FALSE(HasMember(none, "readersNote"));

    const JsonValue stopped = SmartCardRow({platform::kScardServiceStopped});
    EXPECT_EQ(stopped["readers"].kind, JsonValue::Kind::Null);
    EXPECT_EQ(stopped["readersNote"].text,
              "the smart-card service is not running (Windows starts it when a reader is plugged in)");
    EXPECT_EQ(SmartCardRow({0x80100001})["readersNote"].text, "could not ask the smart-card service: error 0x80100001");
}

}  // namespace
