// The settings and the key operations against the prefix's registry.
#include <gtest/gtest.h>

#include "ScratchKey.h"
#include "platform/RegistryKey.h"

namespace {

using namespace regtest;

const std::string kSource = "cRegistry_test.cRegistry";

TEST(RootKeyHandles, MatchThePlatformsPredefinedKeysAtEveryWidth) {
    EXPECT_EQ(platform::RegistryRootKey(static_cast<std::int32_t>(RegistryRoot::ClassesRoot)),
              HKEY_CLASSES_ROOT);
    EXPECT_EQ(platform::RegistryRootKey(static_cast<std::int32_t>(RegistryRoot::CurrentUser)),
              HKEY_CURRENT_USER);
    EXPECT_EQ(platform::RegistryRootKey(static_cast<std::int32_t>(RegistryRoot::LocalMachine)),
              HKEY_LOCAL_MACHINE);
    EXPECT_EQ(platform::RegistryRootKey(static_cast<std::int32_t>(RegistryRoot::Users)),
              HKEY_USERS);
    EXPECT_EQ(platform::RegistryRootKey(0), nullptr);
}

TEST(RegistrySettings, NewObjectHoldsNothing) {
    cRegistry reg;
    EXPECT_EQ(static_cast<std::int32_t>(reg.ClassKey()), 0);
    EXPECT_EQ(static_cast<std::int32_t>(reg.ValueType()), 0);
    EXPECT_EQ(reg.SectionKey(), "");
    EXPECT_EQ(reg.ValueKey(), "");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.Default()));
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(reg.Value()));
}

TEST(RegistrySettings, StoreWhatTheyAreGivenUnchecked) {
    cRegistry reg;
    reg.ClassKey(static_cast<RegistryRoot>(12345));
    reg.ValueType(static_cast<RegistryValueType>(99));
    reg.SectionKey("no\\such\\\\path");
    reg.ValueKey("v");
    reg.Default(RegistryBytes{1, 2});
    EXPECT_EQ(static_cast<std::int32_t>(reg.ClassKey()), 12345);
    EXPECT_EQ(static_cast<std::int32_t>(reg.ValueType()), 99);
    EXPECT_EQ(reg.SectionKey(), "no\\such\\\\path");
    EXPECT_EQ(reg.ValueKey(), "v");
    EXPECT_EQ(std::get<RegistryBytes>(reg.Default()), (RegistryBytes{1, 2}));
}

using KeyExists = ScratchKey;

TEST_F(KeyExists, FollowsTheKeyInTheRegistry) {
    cRegistry reg = At();
    EXPECT_FALSE(reg.KeyExists());
    WriteRaw(HKEY_CURRENT_USER, path, "v", REG_SZ, Bytes(std::string("x\0", 2)));
    EXPECT_TRUE(reg.KeyExists());
    reg.ClassKey(RegistryRoot::LocalMachine);
    EXPECT_FALSE(reg.KeyExists());
}

TEST_F(KeyExists, KeyWithoutQueryAccessCountsAsMissing) {
    WriteRaw(HKEY_CURRENT_USER, path + "\\locked", "", REG_SZ, Bytes(std::string("x\0", 2)));
    DenyQueryAccess(HKEY_CURRENT_USER, path + "\\locked");

    cRegistry reg = At();
    reg.SectionKey(path + "\\locked");
    EXPECT_FALSE(reg.KeyExists());
    reg.SectionKey(path);
    EXPECT_TRUE(reg.KeyExists());
}

using CreateKey = ScratchKey;

TEST_F(CreateKey, CreatesTheWholePathAndAcceptsAnExistingKey) {
    cRegistry reg = At();
    reg.SectionKey(path + "\\a\\b");
    const Settings before = SettingsOf(reg);
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, path + "\\a\\b"));
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_EQ(SettingsOf(reg), before);
}

TEST_F(CreateKey, FailureRaisesTheCreateError) {
    cRegistry reg;
    reg.SectionKey("Software\\QTSysCheckTests\\x");
    const Settings before = SettingsOf(reg);
    const RegistryError error = ErrorOf([&] { reg.CreateKey(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(), "Failed to create registry Key: 'Software\\QTSysCheckTests\\x");
    EXPECT_EQ(SettingsOf(reg), before);
}

using DeleteKey = ScratchKey;

TEST_F(DeleteKey, DeletesTheKey) {
    WriteRaw(HKEY_CURRENT_USER, path + "\\gone", "v", REG_DWORD, Dword(1));
    cRegistry reg = At();
    reg.SectionKey(path + "\\gone");
    const Settings before = SettingsOf(reg);
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, path + "\\gone"));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, path));
    EXPECT_EQ(SettingsOf(reg), before);
}

TEST_F(DeleteKey, MissingKeyUnderLocalMachineRaisesWithRootNumber) {
    cRegistry reg;
    reg.ClassKey(RegistryRoot::LocalMachine);
    reg.SectionKey("SOFTWARE\\QTSysCheckTests\\missing");
    const Settings before = SettingsOf(reg);
    const RegistryError error = ErrorOf([&] { reg.DeleteKey(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Failed to delete registry Key: '-2147483646',Section: "
              "'SOFTWARE\\QTSysCheckTests\\missing");
    EXPECT_EQ(SettingsOf(reg), before);
}

using DeleteValue = ScratchKey;

TEST_F(DeleteValue, DeletesOnlyTheNamedValue) {
    WriteRaw(HKEY_CURRENT_USER, path, "gone", REG_DWORD, Dword(1));
    WriteRaw(HKEY_CURRENT_USER, path, "kept", REG_DWORD, Dword(2));
    cRegistry reg = At("gone");
    const Settings before = SettingsOf(reg);
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, path, "gone"));
    EXPECT_TRUE(ReadRaw(HKEY_CURRENT_USER, path, "kept"));
    EXPECT_EQ(SettingsOf(reg), before);
}

TEST_F(DeleteValue, MissingKeyOrValueRaiseTheirOwnErrors) {
    cRegistry reg = At("v");
    const Settings before = SettingsOf(reg);
    RegistryError error = ErrorOf([&] { reg.DeleteValue(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Failed to open key '-2147483647',Section: '" + path + "' for delete access");
    EXPECT_EQ(SettingsOf(reg), before);

    WriteRaw(HKEY_CURRENT_USER, path, "other", REG_DWORD, Dword(1));
    error = ErrorOf([&] { reg.DeleteValue(); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Failed to delete registry Key: '-2147483647',Section: '" + path + "',Key: 'v");
    EXPECT_EQ(SettingsOf(reg), before);
}

}  // namespace
