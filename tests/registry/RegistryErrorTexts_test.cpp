// Error descriptions for any root number, the error source and the text form of values.
#include <gtest/gtest.h>

#include <climits>

#include "registry/RegistryError.h"
#include "registry/RegistryErrorTexts.h"
#include "registry/RegistryValue.h"

namespace {

using namespace registry;

TEST(RegistryErrorTexts, RootsOutsideThePredefinedOnesShowTheirNumber) {
    EXPECT_EQ(DeleteKeyFailedText(RegistryRoot{}, "X"),
              "Failed to delete registry Key: '0',Section: 'X");
    EXPECT_EQ(DeleteKeyFailedText(static_cast<RegistryRoot>(INT32_MAX), ""),
              "Failed to delete registry Key: '2147483647',Section: '");
}

TEST(RegistryErrorSource, IsTheProgramNameWithoutExtension) {
    EXPECT_EQ(ErrorSourceFromModulePath("C:\\Program Files\\Quorvin\\QTSysCheck.exe"),
              "QTSysCheck.cRegistry");
    EXPECT_EQ(ErrorSourceFromModulePath("C:\\tools.d\\my.check.EXE"), "my.check.cRegistry");
    EXPECT_EQ(ErrorSourceFromModulePath("C:/x/NoExtension"), "NoExtension.cRegistry");
    EXPECT_EQ(ErrorSourceFromModulePath(""), ".cRegistry");
}

TEST(RegistryValueText, EachKindHasItsTextForm) {
    EXPECT_EQ(ValueToText(RegistryValue{}), "");
    EXPECT_EQ(ValueToText(std::string("C:\\x")), "C:\\x");
    EXPECT_EQ(ValueToText(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(ValueToText(std::int32_t{INT32_MIN}), "-2147483648");
    EXPECT_EQ(ValueToText(RegistryBytes{'a', 0, 'b'}), std::string("a\0b", 3));
}

}  // namespace
