#include "checks/VersionTranslation.h"

#include <gtest/gtest.h>

#include <vector>

#include "checks/VersionInfo.h"

namespace {

// A table of exactly these bytes on the heap, so that a read past its end is caught.
std::string KeyOfTable(std::vector<unsigned char> table) {
    return TranslationKey(FirstTranslation(table));
}

TEST(TranslationKey, IsLanguageThenCodePageInEightUppercaseDigits) {
    EXPECT_EQ(KeyOfTable({0x09, 0x04, 0xB0, 0x04}), "040904B0");
    EXPECT_EQ(KeyOfTable({0x00, 0x00, 0xE4, 0x04}), "000004E4");
    EXPECT_EQ(KeyOfTable({0x07, 0x04, 0x00, 0x00}), "04070000");
}

TEST(TranslationKey, CoversLanguagesAndCodePagesFrom0x8000) {
    EXPECT_EQ(KeyOfTable({0x09, 0xC4, 0xE9, 0xFD}), "C409FDE9");
    EXPECT_EQ(KeyOfTable({0x00, 0x80, 0x00, 0x80}), "80008000");
    EXPECT_EQ(KeyOfTable({0xFF, 0xFF, 0xFF, 0xFF}), "FFFFFFFF");
}

TEST(FirstTranslation, UsesOnlyTheFirstEntry) {
    const Translation first = FirstTranslation(std::vector<unsigned char>{
        0x07, 0x04, 0xE4, 0x04, 0x09, 0x04, 0xB0, 0x04});
    EXPECT_EQ(first.language, 0x0407);
    EXPECT_EQ(first.codePage, 0x04E4);
}

TEST(FirstTranslation, CountsMissingBytesOfAShortTableAsZero) {
    EXPECT_EQ(KeyOfTable({0x09, 0x04, 0xB0}), "040900B0");
    EXPECT_EQ(KeyOfTable({0x09, 0x04}), "04090000");
    EXPECT_EQ(KeyOfTable({0x09}), "00090000");
    EXPECT_EQ(KeyOfTable({}), "00000000");
}

TEST(StringValuePath, NamesTheStringInItsTable) {
    EXPECT_EQ(StringValuePath("040904B0", "FileVersion"), "\\StringFileInfo\\040904B0\\FileVersion");
}

TEST(VersionInfoKeys, NameEachFieldAfterItsKeyInRecordOrder) {
    VersionInfo info;
    for (const VersionInfoKey& key : kVersionInfoKeys) info.*key.field = key.name;
    EXPECT_EQ(info.CompanyName, "CompanyName");
    EXPECT_EQ(info.FileDescription, "FileDescription");
    EXPECT_EQ(info.FileVersion, "FileVersion");
    EXPECT_EQ(info.InternalName, "InternalName");
    EXPECT_EQ(info.LegalCopyright, "LegalCopyright");
    EXPECT_EQ(info.OriginalFileName, "OriginalFileName");
    EXPECT_EQ(info.ProductName, "ProductName");
    EXPECT_EQ(info.ProductVersion, "ProductVersion");

    std::vector<std::string_view> order;
    for (const VersionInfoKey& key : kVersionInfoKeys) order.push_back(key.name);
    EXPECT_EQ(order, (std::vector<std::string_view>{"CompanyName", "FileDescription", "FileVersion",
                                                    "InternalName", "LegalCopyright",
                                                    "OriginalFileName", "ProductName",
                                                    "ProductVersion"}));
}

}  // namespace
