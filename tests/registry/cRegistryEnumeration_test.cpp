// Listing value and subkey names against the prefix's registry.
#include <gtest/gtest.h>

#include "ScratchKey.h"

namespace {

using namespace regtest;

using Names = std::vector<std::string>;

class Enumeration : public ScratchKey {
protected:
    void AddSubkey(const std::string& name) { CreateRawSubkey(HKEY_CURRENT_USER, path, name); }
    void AddValue(const std::string& name) {
        WriteRaw(HKEY_CURRENT_USER, path, name, REG_DWORD, Dword(1));
    }

    Names earlier{"stale", "names"};
    std::int32_t count = 99;
};

TEST_F(Enumeration, MissingKeyEmptiesTheListsAndCountsZero) {
    cRegistry reg = At();
    const Settings before = SettingsOf(reg);
    EXPECT_TRUE(reg.EnumerateValues(earlier, count));
    EXPECT_TRUE(earlier.empty());
    EXPECT_EQ(count, 0);
    earlier = {"stale"};
    count = 99;
    EXPECT_TRUE(reg.EnumerateSections(earlier, count));
    EXPECT_TRUE(earlier.empty());
    EXPECT_EQ(count, 0);
    EXPECT_EQ(SettingsOf(reg), before);
}

TEST_F(Enumeration, EmptyKeyListsNothing) {
    AddSubkey("empty");
    cRegistry reg = At();
    reg.SectionKey(path + "\\empty");
    EXPECT_TRUE(reg.EnumerateValues(earlier, count));
    EXPECT_TRUE(earlier.empty());
    EXPECT_EQ(count, 0);
    earlier = {"stale"};
    EXPECT_TRUE(reg.EnumerateSections(earlier, count));
    EXPECT_TRUE(earlier.empty());
    EXPECT_EQ(count, 0);
}

// Both platforms list subkeys sorted without regard to case; Windows lists values in creation
// order and Wine sorted, so the values are created in sorted order.
TEST_F(Enumeration, ListsSubkeysAndValuesInThePlatformsOrder) {
    for (const char* name : {"Zulu", "alpha", "Mike"}) AddSubkey(name);
    for (const char* name : {"Beta", "zeta"}) AddValue(name);
    cRegistry reg = At();
    const Settings before = SettingsOf(reg);
    EXPECT_TRUE(reg.EnumerateSections(earlier, count));
    EXPECT_EQ(earlier, (Names{"alpha", "Mike", "Zulu"}));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(reg.EnumerateValues(earlier, count));
    EXPECT_EQ(earlier, (Names{"Beta", "zeta"}));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(SettingsOf(reg), before);
}

TEST_F(Enumeration, DefaultValueIsListedAsEmptyName) {
    AddValue("");
    AddValue("named");
    cRegistry reg = At();
    EXPECT_TRUE(reg.EnumerateValues(earlier, count));
    EXPECT_EQ(earlier, (Names{"", "named"}));
    EXPECT_EQ(count, 2);
}

TEST_F(Enumeration, LongestNamesAreListedWholeAndDoNotEndTheList) {
    const std::string longest(255, 'k');
    for (const std::string& name : {std::string("a"), longest, std::string("z")}) AddSubkey(name);
    const std::string longValue(1000, 'v');
    AddValue("a");
    AddValue(longValue);
    AddValue("z");
    cRegistry reg = At();
    EXPECT_TRUE(reg.EnumerateSections(earlier, count));
    EXPECT_EQ(earlier, (Names{"a", longest, "z"}));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(reg.EnumerateValues(earlier, count));
    EXPECT_EQ(earlier, (Names{"a", longValue, "z"}));
    EXPECT_EQ(count, 3);
}

}  // namespace
