// The reader the report tests rely on must itself refuse what is not JSON, or their checks prove nothing.
#include <gtest/gtest.h>

#include "JsonReader.h"

namespace {

using apptest::ReadJson;

TEST(JsonReaderTest, ReadsNestedValuesAndEscapes) {
    const auto value = ReadJson(R"( {"a": [true, false, null], "b": "q\"\\\/\n\u00e9\ud83d\udcb3"} )");
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->members[0].second[0].boolean);
    EXPECT_FALSE(value->members[0].second[1].boolean);
    EXPECT_EQ((*value)["b"].text, "q\"\\/\n\xC3\xA9\xF0\x9F\x92\xB3");
}

TEST(JsonReaderTest, RejectsWhatIsNotJson) {
    for (const char* text : {
             "{\"a\": \"raw\nline\"}",        // control character inside a string
             "{\"a\": \"tab\there\"}",
             "{\"a\": \"\\x41\"}",             // no such escape
             "{\"a\": \"\\ud800\"}",           // lone surrogate
             "{\"a\": \"caf\xE9\"}",           // not UTF-8
             "{\"a\": \"open}",
             "{\"a\": 1}",                     // a report holds no numbers
             "{\"a\": true,}",
             "{\"a\": true} extra",
             "{'a': true}",
             "",
         }) {
        EXPECT_FALSE(ReadJson(text)) << text;
    }
}

}  // namespace
