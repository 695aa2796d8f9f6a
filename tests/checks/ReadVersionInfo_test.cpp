// The version reader against resource-only libraries built beside the tests.
#include "checks/ReadVersionInfo.h"

#include <gtest/gtest.h>

#include "support/Process.h"

namespace {

std::string Fixture(const std::string& name) {
    return testsupport::ProgramFolder() + name + ".dll";
}

// What a fixture's table holds for a key it was not given a value for.
VersionInfo TableValues(const std::string& table) {
    VersionInfo info;
    for (const VersionInfoKey& key : kVersionInfoKeys)
        info.*key.field = std::string(key.name) + " " + table;
    return info;
}

// A record whose every field holds something, to see that the reader empties it.
VersionInfo Stale() {
    VersionInfo info;
    for (const VersionInfoKey& key : kVersionInfoKeys) info.*key.field = "stale";
    return info;
}

void ExpectFields(const VersionInfo& actual, const VersionInfo& expected) {
    for (const VersionInfoKey& key : kVersionInfoKeys)
        EXPECT_EQ(actual.*key.field, expected.*key.field) << key.name;
}

TEST(ReadVersionInfo, ReadsAllEightStringsAndTheWholeFileVersion) {
    VersionInfo info = Stale();
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_all_keys"), info), kVersionInfoComplete);
    VersionInfo expected = TableValues("040904B0");
    expected.FileVersion = "5.0.1234.5678 (build note)";
    ExpectFields(info, expected);
}

TEST(ReadVersionInfo, StopsAtTheFirstMissingString) {
    VersionInfo info = Stale();
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_no_product_version"), info), kVersionInfoIncomplete);
    VersionInfo expected = TableValues("040904B0");
    expected.ProductVersion.clear();
    ExpectFields(info, expected);

    info = Stale();
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_no_company_name"), info), kVersionInfoIncomplete);
    ExpectFields(info, VersionInfo{});
}

TEST(ReadVersionInfo, LeavesAllEmptyWithoutATranslationTable) {
    VersionInfo info = Stale();
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_no_translation"), info), kVersionInfoIncomplete);
    ExpectFields(info, VersionInfo{});
}

TEST(ReadVersionInfo, LeavesAllEmptyForAFileWithoutVersionOrNoFile) {
    const std::string folder = testsupport::ProgramFolder();
    for (const std::string& path : {folder + "read_version_info_test.exe",
                                    folder + "no_such_library.dll", folder, std::string()}) {
        VersionInfo info = Stale();
        EXPECT_EQ(ReadVersionInfo(path, info), kVersionInfoIncomplete) << path;
        ExpectFields(info, VersionInfo{});
    }
}

TEST(ReadVersionInfo, ReadsTheLanguageOfTheFirstTranslationOnly) {
    VersionInfo info;
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_two_translations"), info), kVersionInfoComplete);
    ExpectFields(info, TableValues("040704E4"));
}

TEST(ReadVersionInfo, FindsTheNeutralLanguageTable) {
    VersionInfo info;
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_neutral_1252"), info), kVersionInfoComplete);
    ExpectFields(info, TableValues("000004E4"));
}

TEST(ReadVersionInfo, FindsATableWhoseLanguageAndCodePageAreFrom0x8000) {
    VersionInfo info;
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_high_language"), info), kVersionInfoComplete);
    ExpectFields(info, TableValues("C409FDE9"));
}

TEST(ReadVersionInfo, ReadsALongStringWhole) {
    VersionInfo info;
    EXPECT_EQ(ReadVersionInfo(Fixture("verfix_long_string"), info), kVersionInfoComplete);
    VersionInfo expected = TableValues("040904B0");
    expected.FileDescription = QT_LONG_VERSION_TEXT;
    ASSERT_EQ(expected.FileDescription.size(), 300u);
    ExpectFields(info, expected);
}

}  // namespace
