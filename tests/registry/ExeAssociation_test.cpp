// The association layout: program path quoting, keys, defaults and order.
#include <gtest/gtest.h>

#include "registry/ExeAssociation.h"

namespace {

using namespace registry;

using Layout = std::vector<std::pair<std::string, std::string>>;

Layout AsPairs(const std::vector<ClassesEntry>& entries) {
    Layout pairs;
    for (const ClassesEntry& e : entries) pairs.emplace_back(e.section, e.value);
    return pairs;
}

ExeAssociationRequest Minimal() {
    ExeAssociationRequest r;
    r.exePath = "C:\\Apps\\Test App.exe";
    r.className = "TestFile";
    r.classDescription = "Test file";
    r.association = "tst";
    r.openMenuText = "&Open";
    r.printMenuText = "&Print";
    r.newMenuText = "&New";
    return r;
}

TEST(ProgramPathQuoting, AddsMissingQuotesAfterTrimmingSpaces) {
    EXPECT_EQ(QuoteProgramPath("C:\\a b\\x.exe"), "\"C:\\a b\\x.exe\"");
    EXPECT_EQ(QuoteProgramPath("  C:\\x.exe  "), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteProgramPath("\"C:\\x.exe\""), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteProgramPath("\"C:\\x.exe"), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteProgramPath("C:\\x.exe\""), "\"C:\\x.exe\"");
    EXPECT_EQ(QuoteProgramPath("\tC:\\x.exe"), "\"\tC:\\x.exe\"");
}

TEST(ProgramPathQuoting, EmptyOrSpacesOnlyBecomeOneQuote) {
    EXPECT_EQ(QuoteProgramPath("   "), "\"");
    EXPECT_EQ(QuoteProgramPath(""), "\"");
    EXPECT_EQ(QuoteProgramPath("\""), "\"");
}

TEST(ExeAssociationLayout, AllVerbsInOrderWithTheirCommandsAndIcon) {
    ExeAssociationRequest r = Minimal();
    r.exePath = "\"C:\\x.exe\"";
    r.supportPrint = r.supportNew = r.supportInstall = true;
    r.openMenuText = "Show";
    r.printMenuText = "Out";
    r.newMenuText = "Fresh";
    r.installMenuText = "Put";
    r.defaultIconIndex = 3;
    EXPECT_EQ(AsPairs(PlanExeAssociation(r)),
              (Layout{{".tst", "TestFile"},
                      {"TestFile", "Test file"},
                      {"TestFile\\shell\\open", "Show"},
                      {"TestFile\\shell\\open\\command", "\"C:\\x.exe\" \"%1\""},
                      {"TestFile\\shell\\print", "Out"},
                      {"TestFile\\shell\\print\\command", "\"C:\\x.exe\" /p \"%1\""},
                      {"TestFile\\shell\\add", "Put"},
                      {"TestFile\\shell\\add\\command", "\"C:\\x.exe\" /a \"%1\""},
                      {"TestFile\\shell\\new", "Fresh"},
                      {"TestFile\\shell\\new\\command", "\"C:\\x.exe\" /n \"%1\""},
                      {"TestFile\\DefaultIcon", "\"C:\\x.exe\",3"}}));
}

TEST(ExeAssociationLayout, EmptyMenuTextsTakeTheirDefaultsButSpacesDoNot) {
    ExeAssociationRequest r = Minimal();
    r.supportPrint = r.supportNew = r.supportInstall = true;
    r.openMenuText = r.printMenuText = r.newMenuText = r.installMenuText = "";
    const Layout empty = AsPairs(PlanExeAssociation(r));
    EXPECT_EQ(empty[2].second, "&Open");
    EXPECT_EQ(empty[4].second, "&Print");
    EXPECT_EQ(empty[6].second, "&Install tst");
    EXPECT_EQ(empty[8].second, "&New");
    r.openMenuText = " ";
    EXPECT_EQ(AsPairs(PlanExeAssociation(r))[2].second, " ");
}

TEST(ExeAssociationLayout, IconEntryFromIndexZeroOnly) {
    ExeAssociationRequest r = Minimal();
    r.defaultIconIndex = 0;
    EXPECT_EQ(AsPairs(PlanExeAssociation(r)).back(),
              (std::pair<std::string, std::string>{"TestFile\\DefaultIcon",
                                                   "\"C:\\Apps\\Test App.exe\",0"}));
    r.defaultIconIndex = -1;
    EXPECT_EQ(PlanExeAssociation(r).size(), 4u);
    r.defaultIconIndex = -5;
    EXPECT_EQ(PlanExeAssociation(r).size(), 4u);
}

TEST(AdditionalAssociations, TripletsBecomeVerbAndCommandKeys) {
    EXPECT_TRUE(IsTripletList(0));
    EXPECT_TRUE(IsTripletList(6));
    EXPECT_FALSE(IsTripletList(5));
    EXPECT_FALSE(IsTripletList(1));
    const std::vector<RegistryValue> items{
        std::string("edit"), std::string("&Edit"), std::string("notepad \"%1\""),
        std::int32_t{2},     std::int16_t{-3},     RegistryValue{}};
    EXPECT_EQ(AsPairs(PlanAdditionalAssociations("C", items)),
              (Layout{{"C\\shell\\edit", "&Edit"},
                      {"C\\shell\\edit\\command", "notepad \"%1\""},
                      {"C\\shell\\2", "-3"},
                      {"C\\shell\\2\\command", ""}}));
    EXPECT_TRUE(PlanAdditionalAssociations("C", {}).empty());
}

}  // namespace
