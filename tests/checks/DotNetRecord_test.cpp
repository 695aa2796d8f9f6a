// The words the .NET line ends with: what the registry records, and the TLS versions its programs use.
#include "checks/DotNetRecord.h"

#include <gtest/gtest.h>

namespace {

TEST(DotNetRecordWords, NameServicePackAndVersionOnlyWhenRecorded) {
    const std::string none = "; the registry has no record of .NET Framework 3.5";
    struct Case {
        std::optional<DotNetSetupRecord> record;
        std::string words;
    };
    const Case cases[] = {
        {DotNetSetupRecord{1u, 1u, "3.5.30729.4926"},
         "; the registry records .NET Framework 3.5 SP1, version 3.5.30729.4926"},
        {DotNetSetupRecord{1u, 0u, "3.5.21022.8"}, "; the registry records .NET Framework 3.5, version 3.5.21022.8"},
        {DotNetSetupRecord{1u, std::nullopt, std::nullopt}, "; the registry records .NET Framework 3.5"},
        {DotNetSetupRecord{1u, 2u, ""}, "; the registry records .NET Framework 3.5 SP2"},
        {DotNetSetupRecord{1u, 1u, std::string("3.5\r\n30729\0x", 12)},
         "; the registry records .NET Framework 3.5 SP1, version 3.5  30729 x"},
        {DotNetSetupRecord{0u, 1u, "3.5.30729.4926"}, none},
        {DotNetSetupRecord{2u, 1u, "3.5.30729.4926"}, none},
        {DotNetSetupRecord{std::nullopt, 1u, "3.5.30729.4926"}, none},
        {std::nullopt, none},
    };
    for (const Case& c : cases) EXPECT_EQ(DotNetRecordWords(c.record), c.words);
}

TEST(DotNetRecordWords, AVersionFromOutsideIsBounded) {
    const std::string words = DotNetRecordWords(DotNetSetupRecord{1u, 1u, std::string(5000, '9')});
    EXPECT_EQ(words, "; the registry records .NET Framework 3.5 SP1, version " + std::string(kLongestDotNetVersion, '9'));
}

TEST(DotNetTlsWords, SaysWhichProgramsUseWindowsTlsVersions) {
    const std::string uses = "; .NET 3.5 programs use Windows' TLS versions (SystemDefaultTlsVersions)";
    const std::string offers = "; .NET 3.5 programs offer only SSL 3.0 and TLS 1.0 unless they ask for more";
    struct Case {
        TlsDefaultViews views;
        std::string words;
    };
    const Case cases[] = {
        {{true, std::nullopt}, uses},  // 32-bit Windows: its one view
        {{false, std::nullopt}, offers},
        {{true, true}, uses},
        {{false, false}, offers},
        {{true, false},
         "; 32-bit .NET 3.5 programs use Windows' TLS versions (SystemDefaultTlsVersions), 64-bit ones offer only "
         "SSL 3.0 and TLS 1.0 unless they ask for more"},
        {{false, true},
         "; 64-bit .NET 3.5 programs use Windows' TLS versions (SystemDefaultTlsVersions), 32-bit ones offer only "
         "SSL 3.0 and TLS 1.0 unless they ask for more"},
    };
    for (const Case& c : cases) EXPECT_EQ(DotNetTlsWords(c.views), c.words);
}

}  // namespace
