// Value reads of every stored type and value writes of every value type, against the prefix's
// registry.
#include <gtest/gtest.h>

#include "ScratchKey.h"

namespace {

using namespace regtest;

const std::string kSource = "cRegistry_test.cRegistry";

std::string Text(const char* chars, std::size_t length) { return std::string(chars, length); }

using ValueRead = ScratchKey;

struct StoredCase {
    DWORD type;
    std::vector<std::uint8_t> stored;
    RegistryValue expected;
};

TEST_F(ValueRead, EveryTypeCodeReadsAsItsKindAndSetsValueType) {
    const std::vector<StoredCase> cases{
        {REG_SZ, Bytes(Text("abc\0", 4)), std::string("abc")},
        // Stored without its NUL (Wine's single-byte calls add one on the way; Windows' do not).
        {REG_SZ, Bytes("abc"), std::string("abc")},
        {REG_SZ, {}, std::string()},
        {REG_MULTI_SZ, Bytes(Text("a\0b\0\0", 5)), Text("a\0b\0", 4)},
        {REG_BINARY, {1, 0, 255}, RegistryBytes{1, 0, 255}},
        {REG_BINARY, {}, RegistryBytes{}},
        {REG_DWORD, Dword(-5), std::int32_t{-5}},
        {REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}, std::int32_t{0x12345678}},
        {REG_NONE, {9}, RegistryBytes{9}},
        {REG_LINK, {1, 2, 3, 4}, RegistryBytes{1, 2, 3, 4}},
        {REG_RESOURCE_LIST, {7, 7}, RegistryBytes{7, 7}},
        {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}, RegistryBytes{1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const StoredCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "type " << c.type << ", " << c.stored.size() << " bytes");
        WriteRaw(HKEY_CURRENT_USER, path, "v", c.type, c.stored);
        cRegistry reg = At("v");
        EXPECT_EQ(reg.Value(), c.expected);
        EXPECT_EQ(static_cast<DWORD>(reg.ValueType()), c.type);
    }
}

TEST_F(ValueRead, DwordOfTheWrongSizeReadsItsFirstFourBytesOnly) {
    WriteRaw(HKEY_CURRENT_USER, path, "short", REG_DWORD, {0x34, 0x12});
    WriteRaw(HKEY_CURRENT_USER, path, "long", REG_DWORD, {4, 3, 2, 1, 0xEE, 0xEE, 0xEE, 0xEE});
    WriteRaw(HKEY_CURRENT_USER, path, "longBig", REG_DWORD_BIG_ENDIAN, {1, 2, 3, 4, 0xEE});
    EXPECT_EQ(At("short").Value(), RegistryValue(std::int32_t{0x1234}));
    EXPECT_EQ(At("long").Value(), RegistryValue(std::int32_t{0x01020304}));
    EXPECT_EQ(At("longBig").Value(), RegistryValue(std::int32_t{0x01020304}));
}

TEST_F(ValueRead, ExpandSzReplacesVariables) {
    ASSERT_TRUE(SetEnvironmentVariableA("QTSYSCHECK_TEST_DIR", "D:\\data"));
    WriteRaw(HKEY_CURRENT_USER, path, "own", REG_EXPAND_SZ,
             Bytes(Text("%QTSYSCHECK_TEST_DIR%\\x\0", 24)));
    WriteRaw(HKEY_CURRENT_USER, path, "root", REG_EXPAND_SZ, Bytes(Text("%SystemRoot%\\x\0", 15)));
    cRegistry reg = At("own");
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("D:\\data\\x")));
    EXPECT_EQ(reg.ValueType(), RegistryValueType::RegExpandSz);
    char root[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("SystemRoot", root, MAX_PATH), 0u);
    EXPECT_EQ(At("root").Value(), RegistryValue(std::string(root) + "\\x"));
}

TEST_F(ValueRead, LongTextsAndTheDefaultValueReadWhole) {
    const std::string longText(5000, 'q');
    WriteRaw(HKEY_CURRENT_USER, path, "long", REG_SZ, Bytes(longText + '\0'));
    WriteRaw(HKEY_CURRENT_USER, path, "", REG_SZ, Bytes(Text("dflt\0", 5)));
    EXPECT_EQ(At("long").Value(), RegistryValue(longText));
    EXPECT_EQ(At("").Value(), RegistryValue(std::string("dflt")));
}

TEST_F(ValueRead, MissingValueOrKeyYieldsDefaultAndKeepsValueType) {
    WriteRaw(HKEY_CURRENT_USER, path, "other", REG_DWORD, Dword(1));
    cRegistry reg = At("absent");
    reg.ValueType(RegistryValueType::RegBinary);
    reg.Default(std::string("none"));
    const Settings before = SettingsOf(reg);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("none")));
    EXPECT_EQ(SettingsOf(reg), before);
    reg.SectionKey(path + "\\missing");
    reg.Default(RegistryBytes{5});
    EXPECT_EQ(reg.Value(), RegistryValue(RegistryBytes{5}));
    EXPECT_EQ(reg.ValueType(), RegistryValueType::RegBinary);
}

TEST_F(ValueRead, InstallerLocationUnderLocalMachineAsTheCheckReadsIt) {
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer";
    const auto raw = ReadRaw(HKEY_LOCAL_MACHINE, key, "InstallerLocation");
    ASSERT_TRUE(raw && raw->type == REG_SZ && !raw->data.empty());
    cRegistry reg;
    reg.ClassKey(RegistryRoot::LocalMachine);
    reg.SectionKey(key);
    reg.ValueKey("InstallerLocation");
    reg.ValueType(RegistryValueType::RegSz);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string(raw->data.begin(), raw->data.end() - 1)));
}

using ValueWrite = ScratchKey;

RawValue Stored(DWORD type, const std::string& text) { return {type, Bytes(text + '\0')}; }

TEST_F(ValueWrite, TextTypesChooseSzOrExpandSzByContent) {
    cRegistry reg = At("v");
    reg.SectionKey(path + "\\new\\deeper");  // missing keys on the path are created
    const struct {
        RegistryValueType setting;
        RegistryValue value;
        RawValue expected;
    } cases[] = {
        {RegistryValueType::RegSz, std::string("abc"), Stored(REG_SZ, "abc")},
        {RegistryValueType::RegSz, std::string("%TEMP%\\x"), Stored(REG_EXPAND_SZ, "%TEMP%\\x")},
        {RegistryValueType::RegExpandSz, std::string("C:\\x"), Stored(REG_SZ, "C:\\x")},
        {RegistryValueType::RegSz, std::string("100%"), Stored(REG_SZ, "100%")},
        {RegistryValueType::RegSz, std::string("%%"), Stored(REG_SZ, "%%")},
        {RegistryValueType::RegExpandSz, std::string("%a%"), Stored(REG_EXPAND_SZ, "%a%")},
        {RegistryValueType::RegSz, std::int16_t{-42}, Stored(REG_SZ, "-42")},
        {RegistryValueType::RegSz, RegistryValue{}, Stored(REG_SZ, "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(registry::ValueToText(c.value));
        reg.ValueType(c.setting);
        const Settings before = SettingsOf(reg);
        reg.Value(c.value);
        EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, path + "\\new\\deeper", "v"), c.expected);
        EXPECT_EQ(SettingsOf(reg), before);
    }
}

TEST_F(ValueWrite, BinaryAndDwordTypesStoreTheirBytes) {
    cRegistry reg = At("v");
    reg.ValueType(RegistryValueType::RegBinary);
    reg.Value(RegistryBytes{0, 1, 2});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, path, "v"), (RawValue{REG_BINARY, {0, 1, 2}}));
    reg.ValueType(RegistryValueType::RegDword);
    reg.Value(std::int32_t{-2});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, path, "v"), (RawValue{REG_DWORD, Dword(-2)}));
    reg.Value(std::int16_t{300});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, path, "v"), (RawValue{REG_DWORD, Dword(300)}));
    reg.ValueType(RegistryValueType::RegDwordBigEndian);
    reg.Value(std::int32_t{7});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, path, "v"), (RawValue{REG_DWORD, Dword(7)}));
    EXPECT_EQ(reg.ValueType(), RegistryValueType::RegDwordBigEndian);
}

TEST_F(ValueWrite, WhatIsWrittenReadsBack) {
    cRegistry reg = At();
    reg.ValueType(RegistryValueType::RegSz);
    reg.Value(std::string("default value"));
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("default value")));
    reg.ValueKey("n");
    reg.ValueType(RegistryValueType::RegDword);
    reg.Value(std::int32_t{INT32_MIN});
    EXPECT_EQ(reg.Value(), RegistryValue(std::int32_t{INT32_MIN}));
}

TEST_F(ValueWrite, BinaryOfAnotherKindRaisesBareErrorAndKeepsTheValue) {
    WriteRaw(HKEY_CURRENT_USER, path, "v", REG_BINARY, {9, 9});
    cRegistry reg = At("v");
    reg.ValueType(RegistryValueType::RegBinary);
    const Settings before = SettingsOf(reg);
    const RegistryError error = ErrorOf([&] { reg.Value(std::string("text")); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), "");
    EXPECT_EQ(error.description(), "");
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, path, "v"), (RawValue{REG_BINARY, {9, 9}}));
    EXPECT_EQ(SettingsOf(reg), before);
}

TEST_F(ValueWrite, UnwritableTypeOrValueRaisesTheWriteErrorAfterCreatingTheKey) {
    const struct {
        std::int32_t type;
        RegistryValue value;
        const char* valueText;
    } cases[] = {
        {7, std::string("a"), "a"},   {0, std::int32_t{5}, "5"},
        {6, std::string("b"), "b"},   {8, RegistryValue{}, ""},
        {4, std::string("12"), "12"}, {5, RegistryBytes{'x', 'y'}, "xy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        DeleteTree(HKEY_CURRENT_USER, path);
        cRegistry reg = At("v");
        reg.ValueType(static_cast<RegistryValueType>(c.type));
        const Settings before = SettingsOf(reg);
        const RegistryError error = ErrorOf([&] { reg.Value(c.value); });
        EXPECT_EQ(error.number(), -2147194455);
        EXPECT_EQ(error.source(), kSource);
        EXPECT_EQ(error.description(),
                  "Failed to set registry value Key: '-2147483647',Section: '" + path +
                      "',Key: 'v' to value: '" + c.valueText + "'");
        EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, path));
        EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, path, "v"));
        EXPECT_EQ(SettingsOf(reg), before);
    }
}

TEST_F(ValueWrite, KeyThatCannotBeCreatedRaisesWithTheValueAsText) {
    cRegistry reg;
    reg.SectionKey("S");
    reg.ValueKey("K");
    reg.ValueType(RegistryValueType::RegDword);
    const Settings before = SettingsOf(reg);
    const RegistryError error = ErrorOf([&] { reg.Value(std::int32_t{77}); });
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(error.source(), kSource);
    EXPECT_EQ(error.description(),
              "Failed to set registry value Key: '0',Section: 'S',Key: 'K' to value: '77'");
    EXPECT_EQ(SettingsOf(reg), before);
}

}  // namespace
