// The ordinary-file test that finds the installer library.
#include "platform/FileSearch.h"

#include <gtest/gtest.h>

#include "ScratchFolder.h"

namespace {

class NormalFileExistsTest : public ::testing::Test {
protected:
    checktest::ScratchFolder scratch{"filesearch"};

    // A file with these attributes; skips the test where the file system cannot keep them.
    std::string FileWith(DWORD attributes) {
        const std::string file = scratch / ("file" + std::to_string(attributes));
        checktest::WriteFile(file);
        if (!checktest::SetAttributes(file, attributes)) ADD_FAILURE() << "attributes not kept";
        return file;
    }
};

TEST_F(NormalFileExistsTest, FindsAnOrdinaryFile) {
    checktest::WriteFile(scratch / "plain.dll");
    EXPECT_TRUE(platform::NormalFileExists(scratch / "plain.dll"));
}

TEST_F(NormalFileExistsTest, CountsReadOnlyAndArchivedFilesAsOrdinary) {
    EXPECT_TRUE(platform::NormalFileExists(FileWith(FILE_ATTRIBUTE_READONLY)));
    EXPECT_TRUE(platform::NormalFileExists(FileWith(FILE_ATTRIBUTE_ARCHIVE)));
}

TEST_F(NormalFileExistsTest, DoesNotFindHiddenOrSystemFiles) {
    EXPECT_FALSE(platform::NormalFileExists(FileWith(FILE_ATTRIBUTE_HIDDEN)));
    EXPECT_FALSE(platform::NormalFileExists(FileWith(FILE_ATTRIBUTE_SYSTEM)));
    EXPECT_FALSE(platform::NormalFileExists(FileWith(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY)));
}

TEST_F(NormalFileExistsTest, DoesNotFindFoldersOrNothing) {
    EXPECT_FALSE(platform::NormalFileExists(scratch.path()));
    EXPECT_FALSE(platform::NormalFileExists(scratch / "missing.dll"));
    EXPECT_FALSE(platform::NormalFileExists(""));
}

}  // namespace
