// The text-type choice of writes and what reads make of stored bytes that do not fit their type
// (each type itself is read and written against the registry in the Windows tests).
#include <gtest/gtest.h>

#include <cstring>

#include "registry/SwapEndian.h"
#include "registry/ValueDecoding.h"
#include "registry/ValueEncoding.h"

namespace {

using namespace registry;

RegistryBytes Bytes(const std::string& s) { return RegistryBytes(s.begin(), s.end()); }

RegistryBytes MachineOrder(std::int32_t n) {
    RegistryBytes bytes(4);
    std::memcpy(bytes.data(), &n, 4);
    return bytes;
}

TEST(TextValueType, ExpandSzOnlyWithTwoPercentsAtLeastTwoApart) {
    EXPECT_EQ(ChooseTextValueType("%TEMP%\\x"), RegistryValueType::RegExpandSz);
    EXPECT_EQ(ChooseTextValueType("%a%"), RegistryValueType::RegExpandSz);
    EXPECT_EQ(ChooseTextValueType("x%%%"), RegistryValueType::RegExpandSz);
    EXPECT_EQ(ChooseTextValueType("C:\\x"), RegistryValueType::RegSz);
    EXPECT_EQ(ChooseTextValueType("100%"), RegistryValueType::RegSz);
    EXPECT_EQ(ChooseTextValueType("%%"), RegistryValueType::RegSz);
    EXPECT_EQ(ChooseTextValueType("a%%b"), RegistryValueType::RegSz);
    EXPECT_EQ(ChooseTextValueType(""), RegistryValueType::RegSz);
}

TEST(ValueDecoding, TextWithoutNulOrBytesIsReadWhole) {
    EXPECT_EQ(std::get<std::string>(DecodeStoredValue(RegistryValueType::RegSz, Bytes("abc"))),
              "abc");
    for (RegistryValueType type :
         {RegistryValueType::RegSz, RegistryValueType::RegExpandSz, RegistryValueType::RegMultiSz})
        EXPECT_EQ(std::get<std::string>(DecodeStoredValue(type, {})), "");
}

TEST(ValueDecoding, DwordOfTheWrongSizeNeverReadsPastItsBytes) {
    RegistryBytes eight = MachineOrder(0x01020304);
    eight.insert(eight.end(), {9, 9, 9, 9});
    EXPECT_EQ(std::get<std::int32_t>(DecodeStoredValue(RegistryValueType::RegDword, eight)),
              0x01020304);
    RegistryBytes two = MachineOrder(0x0304);
    two.resize(2);
    EXPECT_EQ(std::get<std::int32_t>(DecodeStoredValue(RegistryValueType::RegDword, two)), 0x0304);
    EXPECT_EQ(std::get<std::int32_t>(DecodeStoredValue(RegistryValueType::RegDword, {})), 0);
    // Big-endian: the stored bytes 12 34, padded with zeros, then reversed.
    EXPECT_EQ(std::get<std::int32_t>(DecodeStoredValue(RegistryValueType::RegDwordBigEndian,
                                                       RegistryBytes{0x12, 0x34})),
              0x12340000);
}

TEST(SwapEndian, ReversesTheFourBytes) {
    EXPECT_EQ(SwapEndian(0x78563412), 0x12345678);
    EXPECT_EQ(SwapEndian(static_cast<std::int32_t>(0x000000FFu)),
              static_cast<std::int32_t>(0xFF000000u));
    EXPECT_EQ(SwapEndian(static_cast<std::int32_t>(0x80FF0001u)),
              static_cast<std::int32_t>(0x0100FF80u));
    EXPECT_EQ(SwapEndian(SwapEndian(-123456789)), -123456789);
}

}  // namespace
