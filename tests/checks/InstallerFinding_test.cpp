// The installer check's verdict and line, with the library's file and version stood in for.
#include "checks/InstallerFinding.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// One library: what lies at its path and the FileVersion read there; the looks are counted.
struct FakeLibrary {
    FakeLibrary(LibraryFile f, std::string v) : file(f), version(std::move(v)) {}

    LibraryFile file;
    std::string version;
    std::vector<std::string> looked, read;

    InstallerLibraryLooks Looks() {
        return {[this](const std::string& path) {
                    looked.push_back(path);
                    return file;
                },
                [this](const std::string& path) {
                    read.push_back(path);
                    return version;
                }};
    }
    Finding Judge(std::string_view location) { return JudgeInstallerLibrary(location, Looks()); }
};

TEST(InstallerLibraryVersion, MetWhenTheVersionIs3Point1OrLater) {
    FakeLibrary library{LibraryFile::Ordinary, "3.1.4000.2435"};
    const Finding finding = library.Judge("C:\\windows\\system32");
    EXPECT_TRUE(finding.passed);
    EXPECT_EQ(finding.detail, "C:\\windows\\system32\\msi.dll: FileVersion 3.1.4000.2435");
    EXPECT_EQ(library.looked, std::vector<std::string>{"C:\\windows\\system32\\msi.dll"});
    EXPECT_EQ(library.read, library.looked);
}

TEST(InstallerLibraryVersion, UnmetSaysWhatIsNeeded) {
    FakeLibrary library{LibraryFile::Ordinary, "3.0.3790.2180"};
    const Finding finding = library.Judge("C:\\windows\\system32");
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail,
              "C:\\windows\\system32\\msi.dll: FileVersion 3.0.3790.2180, 3.1 or later needed");
}

TEST(InstallerLibraryVersion, VerdictFollowsTheVersionRule) {
    struct Case {
        const char* version;
        bool passed;
    };
    for (const Case& c : {Case{"3.01.5.6", true}, Case{"4.5.6001.22159", true},
                          Case{"5.0.1234.5678 (build note)", true}, Case{"3.10.1.1", true},
                          Case{"2.9.1.1", false}, Case{"3", false}, Case{"x3.5", false}}) {
        FakeLibrary library{LibraryFile::Ordinary, c.version};
        const Finding finding = library.Judge("C:\\w");
        EXPECT_EQ(finding.passed, c.passed) << c.version;
        EXPECT_EQ(finding.detail.find(", 3.1 or later needed") == std::string::npos, c.passed)
            << finding.detail;
    }
}

TEST(InstallerLibraryVersion, NoFileVersionIsUnmet) {
    FakeLibrary library{LibraryFile::Ordinary, ""};
    const Finding finding = library.Judge("C:\\w");
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, "C:\\w\\msi.dll: no FileVersion could be read");
}

TEST(InstallerLibraryFile, NoVersionIsReadUnlessAnOrdinaryFileIsThere) {
    struct Case {
        LibraryFile file;
        const char* line;
    };
    for (const Case& c : {Case{LibraryFile::Missing, "D:\\msi\\msi.dll: no such file"},
                          Case{LibraryFile::NotOrdinary,
                               "D:\\msi\\msi.dll: hidden or system file, or a folder"}}) {
        FakeLibrary library{c.file, "4.5.6001.22308"};
        const Finding finding = library.Judge("D:\\msi\\");  // as Windows writes it: no second '\'
        EXPECT_FALSE(finding.passed) << c.line;
        EXPECT_EQ(finding.detail, c.line);
        EXPECT_EQ(library.looked, std::vector<std::string>{"D:\\msi\\msi.dll"}) << c.line;
        EXPECT_TRUE(library.read.empty()) << c.line;
    }
}

TEST(InstallerLibraryFile, NoLocationFailsWithoutLooking) {
    FakeLibrary library{LibraryFile::Ordinary, "4.5.6001.22308"};  // as if "\msi.dll" were there
    const Finding finding = library.Judge("");
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, "no Windows Installer location in the registry");
    EXPECT_TRUE(library.looked.empty());
    EXPECT_TRUE(library.read.empty());
}

TEST(InstallerLibraryLine, StaysOnOneLine) {
    FakeLibrary library{LibraryFile::Ordinary, "3.0\r\n.1"};
    const Finding finding = library.Judge("C:\\a\nb\tc");
    EXPECT_FALSE(finding.passed);
    EXPECT_EQ(finding.detail, "C:\\a b c\\msi.dll: FileVersion 3.0  .1, 3.1 or later needed");
}

}  // namespace
