// File-type associations written to HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE "SOFTWARE\Classes\"
// of the prefix; everything the tests write is removed before and after each test.
#include <gtest/gtest.h>

#include "ScratchKey.h"

namespace {

using namespace regtest;

const std::string kSource = "cRegistryAssociations_test.cRegistry";
const std::string kClass = "QTSysCheckTestFile";
const std::string kExtension = "qtstst";
const std::string kMachinePrefix = "SOFTWARE\\Classes\\";
// Longer than the platform allows for a key name, so every write below it fails.
const std::string kUnwritable(300, 'L');

class Associations : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    static void Clean() {
        for (const std::string& key : {kClass, "." + kExtension, ".." + kExtension}) {
            DeleteTree(HKEY_CLASSES_ROOT, key);
            DeleteTree(HKEY_LOCAL_MACHINE, kMachinePrefix + key);
            DeleteTree(HKEY_CURRENT_USER, "Software\\Classes\\" + key);
        }
    }

    static void ExpectDefault(const std::string& section, const std::string& text) {
        SCOPED_TRACE(section);
        const RawValue expected{REG_SZ, Bytes(text + '\0')};
        EXPECT_EQ(ReadRaw(HKEY_CLASSES_ROOT, section, ""), expected);
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, kMachinePrefix + section, ""), expected);
    }
    static void ExpectAbsent(const std::string& section) {
        EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, section)) << section;
        EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kMachinePrefix + section)) << section;
    }

    static Settings AfterWriting(const std::string& lastSection, const RegistryValue& fallback) {
        return {RegistryRoot::LocalMachine, lastSection, "", RegistryValueType::RegSz, fallback};
    }

    cRegistry reg;
};

TEST_F(Associations, OmittedOptionsWriteExtensionClassAndOpenVerb) {
    reg.ValueKey("leftover");
    reg.ValueType(RegistryValueType::RegDword);
    reg.Default(std::string("kept"));
    reg.CreateEXEAssociation("C:\\Apps\\QT Test.exe", kClass, "QT test file", kExtension);

    ExpectDefault("." + kExtension, kClass);
    ExpectDefault(kClass, "QT test file");
    ExpectDefault(kClass + "\\shell\\open", "&Open");
    ExpectDefault(kClass + "\\shell\\open\\command", "\"C:\\Apps\\QT Test.exe\" \"%1\"");
    for (const char* verb : {"print", "add", "new"}) ExpectAbsent(kClass + "\\shell\\" + verb);
    ExpectAbsent(kClass + "\\DefaultIcon");
    EXPECT_EQ(SettingsOf(reg),
              AfterWriting(kClass + "\\shell\\open\\command", std::string("kept")));
}

TEST_F(Associations, EveryOptionWithDefaultTextsAndIcon) {
    reg.CreateEXEAssociation(" \"C:\\QT.exe\" ", kClass, "Desc", kExtension, "", true, "", true,
                             "Fresh", true, "", 0);
    const std::string exe = "\"C:\\QT.exe\"";
    ExpectDefault(kClass + "\\shell\\open", "&Open");
    ExpectDefault(kClass + "\\shell\\print", "&Print");
    ExpectDefault(kClass + "\\shell\\print\\command", exe + " /p \"%1\"");
    ExpectDefault(kClass + "\\shell\\add", "&Install " + kExtension);
    ExpectDefault(kClass + "\\shell\\add\\command", exe + " /a \"%1\"");
    ExpectDefault(kClass + "\\shell\\new", "Fresh");
    ExpectDefault(kClass + "\\shell\\new\\command", exe + " /n \"%1\"");
    ExpectDefault(kClass + "\\DefaultIcon", exe + ",0");
    EXPECT_EQ(SettingsOf(reg), AfterWriting(kClass + "\\DefaultIcon", RegistryValue{}));
}

TEST_F(Associations, PathQuotedAtOneEndGetsTheOtherQuoteAndDottedExtensionTwoDots) {
    reg.CreateEXEAssociation("\"C:\\QT.exe", kClass, "Desc", "." + kExtension);
    ExpectDefault(".." + kExtension, kClass);
    ExpectDefault(kClass + "\\shell\\open\\command", "\"C:\\QT.exe\" \"%1\"");
}

TEST_F(Associations, FailedWriteStopsAtOnceAndLeavesTheSettingsWhereItFailed) {
    const RegistryError error =
        ErrorOf([&] { reg.CreateEXEAssociation("C:\\QT.exe", kUnwritable, "Desc", kExtension); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(), "Failed to set registry value Key: '-2147483648',Section: '" +
                                       kUnwritable + "',Key: '' to value: 'Desc'");
    ExpectDefault("." + kExtension, kUnwritable);
    EXPECT_EQ(SettingsOf(reg), (Settings{RegistryRoot::ClassesRoot, kUnwritable, "",
                                         RegistryValueType::RegSz, RegistryValue{}}));
}

TEST_F(Associations, AdditionalVerbsFollowCreateOnTheSameObject) {
    reg.CreateEXEAssociation("C:\\QT.exe", kClass, "Desc", kExtension);
    reg.CreateAdditionalEXEAssociations(
        kClass, {std::string("edit"), std::string("&Edit"), std::string("notepad.exe \"%1\""),
                 std::int32_t{2}, std::string("Two"), std::int16_t{3}});
    ExpectDefault(kClass + "\\shell\\edit", "&Edit");
    ExpectDefault(kClass + "\\shell\\edit\\command", "notepad.exe \"%1\"");
    ExpectDefault(kClass + "\\shell\\2", "Two");
    ExpectDefault(kClass + "\\shell\\2\\command", "3");
    EXPECT_EQ(SettingsOf(reg), AfterWriting(kClass + "\\shell\\2\\command", RegistryValue{}));
}

TEST_F(Associations, AdditionalFailingWritesArePassedOver) {
    reg.CreateEXEAssociation("C:\\QT.exe", kClass, "Desc", kExtension);
    reg.CreateAdditionalEXEAssociations(
        kClass, {kUnwritable, std::string("Bad"), std::string("bad.exe"), std::string("good"),
                 std::string("&Good"), std::string("good.exe")});
    ExpectDefault(kClass + "\\shell\\good", "&Good");
    ExpectDefault(kClass + "\\shell\\good\\command", "good.exe");
}

TEST_F(Associations, AdditionalNeedsWholeTriplets) {
    reg.CreateEXEAssociation("C:\\QT.exe", kClass, "Desc", kExtension);
    const Settings before = SettingsOf(reg);
    const RegistryError error = ErrorOf([&] {
        reg.CreateAdditionalEXEAssociations(
            kClass, {std::string("edit"), std::string("&Edit"), std::string("e.exe"),
                     std::string("x"), std::string("y")});
    });
    EXPECT_EQ(error.number(), -2147194452);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
              "Name/Text/Command");
    ExpectAbsent(kClass + "\\shell\\edit");
    EXPECT_EQ(SettingsOf(reg), before);
    reg.CreateAdditionalEXEAssociations(kClass);  // no items: zero triplets
    ExpectAbsent(kClass + "\\shell\\edit");
}

TEST_F(Associations, AdditionalNeedsTheClassUnderClassesRoot) {
    cRegistry fresh;
    const RegistryError error = ErrorOf([&] {
        fresh.CreateAdditionalEXEAssociations(
            kClass, {std::string("edit"), std::string("&Edit"), std::string("e.exe")});
    });
    EXPECT_EQ(error.number(), -2147194451);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Error - attempt to create additional associations before class defined.");
    ExpectAbsent(kClass);
    EXPECT_EQ(fresh.ClassKey(), RegistryRoot::ClassesRoot);
    EXPECT_EQ(fresh.SectionKey(), kClass);
}

}  // namespace
