// The program file's own records, read from the built QTSysCheck.exe as Explorer would read them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/ScopedHandle.h"
#include "support/Process.h"

namespace {

std::string ProgramPath() { return testsupport::ProgramFolder() + "QTSysCheck.exe"; }

class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), &ignored);
        ASSERT_GT(size, 0u);
        block_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(ProgramPath().c_str(), 0, size, block_.data()));
    }
    std::string String(const char* name) {
        void* data = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueA(block_.data(), path.c_str(), &data, &length) || !data) return "<missing>";
        return static_cast<const char*>(data);
    }
    std::vector<char> block_;
};

TEST_F(VersionRecord, NumbersAreOnePointZero) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
}

TEST_F(VersionRecord, OneUsEnglishUnicodeTableWithTheNames) {
    WORD* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block_.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u) << "exactly one translation";
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);
    EXPECT_EQ(String("FileVersion"), "1.00");
    EXPECT_EQ(String("ProductVersion"), "1.00");
    EXPECT_EQ(String("CompanyName"), "Quorvin Technologies");
    EXPECT_EQ(String("ProductName"), "Tessary Card System Check");
    EXPECT_EQ(String("InternalName"), "QTSysCheck");
    EXPECT_EQ(String("OriginalFilename"), "QTSysCheck.exe");
}

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_.reset(LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(module_);
    }
    std::string Resource(LPCSTR type, LPCSTR name) {
        HRSRC found = FindResourceA(module_.get(), name, type);
        if (!found) return {};
        const char* data = static_cast<const char*>(LockResource(LoadResource(module_.get(), found)));
        return std::string(data, SizeofResource(module_.get(), found));
    }
    platform::ScopedModule module_;
};

// Small and large icon at 100, 125, 150 and 200 %.
TEST_F(ProgramResources, TheIconHasTheSizesWindowsAsksForAtEachScale) {
    const std::string group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(group.size(), 6u);
    const int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) sizes.push_back(static_cast<unsigned char>(group[6 + 14 * i]));
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64}));
}

TEST_F(ProgramResources, TheManifestAsksForCommonControlsSixAsInvokerAndSystemDpi) {
    const std::string manifest = Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    // Per monitor on Windows 10 1703 and later, else one scale for the session.
    EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
    // The OS row relies on Windows 8 and later reporting 6.2 to a program that names no systems.
    EXPECT_EQ(manifest.find("supportedOS"), std::string::npos);
}

// 96 DPI at 101..104, then 120, 144 and 192 DPI ten ids apart. The larger ones may have a palette;
// the resource must hold exactly the header, the palette it declares and the padded rows.
TEST_F(ProgramResources, TheWindowImagesHaveTheirSizesAtEveryScale) {
    struct Expected {
        int id, width, height;
        bool mayHavePalette;
    };
    const Expected table[] = {
        {101, 11, 11, false}, {102, 19, 21, false}, {103, 19, 21, false}, {104, 40, 40, false},
        {111, 14, 14, true},  {112, 24, 26, true},  {113, 24, 26, true},  {114, 50, 50, true},
        {121, 17, 17, true},  {122, 29, 32, true},  {123, 29, 32, true},  {124, 60, 60, true},
        {131, 22, 22, true},  {132, 38, 42, true},  {133, 38, 42, true},  {134, 80, 80, true},
    };
    for (const Expected& e : table) {
        const std::string bitmap = Resource(RT_BITMAP, MAKEINTRESOURCEA(e.id));
        ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER)) << e.id;
        BITMAPINFOHEADER header{};
        std::memcpy(&header, bitmap.data(), sizeof header);
        EXPECT_EQ(header.biWidth, e.width) << e.id;
        EXPECT_EQ(std::abs(header.biHeight), e.height) << e.id;
        EXPECT_TRUE(header.biBitCount == 24 || (e.mayHavePalette && (header.biBitCount == 8 || header.biBitCount == 4)))
            << e.id << ": " << header.biBitCount << " bits";
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB)) << e.id;
        const size_t colours = header.biBitCount > 8 ? 0 : header.biClrUsed ? header.biClrUsed : size_t{1} << header.biBitCount;
        const size_t stride = (static_cast<size_t>(e.width) * header.biBitCount + 31) / 32 * 4;
        EXPECT_EQ(bitmap.size(), sizeof header + 4 * colours + stride * e.height) << e.id;
    }
}

}  // namespace
