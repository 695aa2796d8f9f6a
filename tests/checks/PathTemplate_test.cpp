#include "checks/PathTemplate.h"

#include <gtest/gtest.h>

#include "checks/FolderTemplates.h"

namespace {

TEST(ExpandPathToken, PutsTheFolderInPlaceOfTheLeadingToken) {
    EXPECT_EQ(ExpandPathToken(kDotNetTemplate, kWinToken, "C:\\WINDOWS"),
              "C:\\WINDOWS\\Microsoft.NET\\Framework\\v3.5");
    EXPECT_EQ(ExpandPathToken(kGemplusToolsTemplate, kProgramFilesToken, "D:\\Programme"),
              "D:\\Programme\\Gemplus\\ReaderTools");
}

TEST(ExpandPathToken, ReplacesEveryOccurrence) {
    EXPECT_EQ(ExpandPathToken("$WIN$\\a\\$WIN$\\b$WIN$", kWinToken, "W"), "W\\a\\W\\bW");
}

TEST(ExpandPathToken, LeavesATokenInAnotherLetterCase) {
    EXPECT_EQ(ExpandPathToken("$win$\\Microsoft.NET", kWinToken, "C:\\WINDOWS"),
              "$win$\\Microsoft.NET");
    EXPECT_EQ(ExpandPathToken("$ProgramFiles$\\GemAlto", kProgramFilesToken, "C:\\Program Files"),
              "$ProgramFiles$\\GemAlto");
}

TEST(ExpandPathToken, KeepsTheDoubledBackslashOfADriveRoot) {
    EXPECT_EQ(ExpandPathToken(kDotNetTemplate, kWinToken, "C:\\"),
              "C:\\\\Microsoft.NET\\Framework\\v3.5");
}

TEST(ExpandPathToken, AnEmptyFolderLeavesThePathFromItsBackslash) {
    EXPECT_EQ(ExpandPathToken(kGemaltoToolsTemplate, kProgramFilesToken, ""),
              "\\GemAlto\\ReaderTools");
}

TEST(ExpandPathToken, DoesNothingElseToThePath) {
    EXPECT_EQ(ExpandPathToken("$WIN$\\..\\%TEMP%\\$PROGRAMFILES$\\\\x\\", kWinToken, "C:\\W "),
              "C:\\W \\..\\%TEMP%\\$PROGRAMFILES$\\\\x\\");
}

TEST(ExpandPathToken, DoesNotExpandTheInsertedFolderAgain) {
    EXPECT_EQ(ExpandPathToken("$WIN$\\a", kWinToken, "$WIN$"), "$WIN$\\a");
    EXPECT_EQ(ExpandPathToken("$WIN$WIN$", kWinToken, "X"), "XWIN$");
}

TEST(ExpandPathToken, AnEmptyTokenReplacesNothing) {
    EXPECT_EQ(ExpandPathToken("$WIN$\\a", "", "X"), "$WIN$\\a");
}

}  // namespace
