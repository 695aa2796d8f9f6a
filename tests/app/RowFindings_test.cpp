// What the window keeps of each row for its tooltips, names and reports.
#include <gtest/gtest.h>

#include "app/RowFindings.h"
#include "app/window/Rows.h"

namespace {

TEST(RowFindings, EveryRowStartsNotCheckedAndTheReportListsThemInWindowOrder) {
    const RowFindings findings;
    const std::vector<ReportRow> rows = findings.ReportRows();
    const std::vector<std::string> captions{
        "Internet Access (Application)", "Internet Access (Secure Web Service)", "Operating System",
        "Windows Installer 3.1", "Dot Net Framework V3.5", "MS Interop Assembly", "Smart Card Driver"};
    ASSERT_EQ(rows.size(), captions.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].caption, captions[i]) << "the window's caption, less a closing colon";
        EXPECT_EQ(rows[i].result, RowResult::NotChecked);
        EXPECT_EQ(findings.Line(static_cast<Row>(i)), "Not checked yet");
    }
}

TEST(RowFindings, ARecordedFindingChangesOnlyItsOwnRow) {
    RowFindings findings;
    findings.Record(Row::DotNet, {false, "C:\\WINDOWS\\Microsoft.NET\\Framework\\v3.5: no folder there"});
    findings.Record(Row::Os, {true, "Windows XP SP3"});
    EXPECT_EQ(findings.Result(Row::DotNet), RowResult::Failed);
    EXPECT_EQ(findings.Line(Row::DotNet), "C:\\WINDOWS\\Microsoft.NET\\Framework\\v3.5: no folder there");
    EXPECT_EQ(findings.Result(Row::Os), RowResult::Passed);
    EXPECT_EQ(findings.Result(Row::SmartCard), RowResult::NotChecked);
    const std::vector<ReportRow> rows = findings.ReportRows();
    EXPECT_EQ(rows[rows::Index(Row::DotNet)].detail, "C:\\WINDOWS\\Microsoft.NET\\Framework\\v3.5: no folder there");
    EXPECT_EQ(rows[rows::Index(Row::Installer)].detail, "");
}

TEST(RowFindings, AFailedRowCarriesWhatToDoAndItsActionForThisReleaseUntilCleared) {
    RowFindings findings(FixContext{{2, 6, 1}, false, "C:\\Windows\\system32"});
    findings.Record(Row::DotNet, {false, "no folder there"});
    findings.Record(Row::SmartCard, {true, "folder present"});
    EXPECT_EQ(findings.Tip(Row::DotNet), "no folder there\r\n\r\nWhat to do: " + findings.Remedy(Row::DotNet));
    EXPECT_NE(findings.Remedy(Row::DotNet).find("Windows Features"), std::string::npos);
    const ReportRow dotNet = findings.ReportRows()[rows::Index(Row::DotNet)];
    EXPECT_EQ(dotNet.remedy, findings.Remedy(Row::DotNet));
    EXPECT_EQ(dotNet.action.label, "Turn on .NET Framework 3.5\u2026");
    EXPECT_EQ(dotNet.action.command, "C:\\Windows\\system32\\OptionalFeatures.exe");
    EXPECT_EQ(findings.Action(Row::SmartCard).kind, platform::FixAction::Kind::None);
    EXPECT_EQ(findings.ReportRows()[rows::Index(Row::SmartCard)].action.label, "");
    EXPECT_EQ(findings.Tip(Row::SmartCard), "folder present");
    findings.Clear();
    EXPECT_EQ(findings.Tip(Row::DotNet), "Not checked yet");
    EXPECT_EQ(findings.Result(Row::SmartCard), RowResult::NotChecked);
}

TEST(RowFindings, AFixThatDidNotOpenIsSaidOnTheLineBesideTheInstructionUntilCheckedAgain) {
    RowFindings findings;
    findings.Record(Row::DotNet, {false, "no folder there"});
    const std::string remedy = findings.Remedy(Row::DotNet);
    findings.NoteFixFailure(Row::DotNet, "Could not open Windows Features: first");
    findings.NoteFixFailure(Row::DotNet, "Could not open Windows Features: second");
    EXPECT_EQ(findings.Line(Row::DotNet), "no folder there; Could not open Windows Features: second");
    EXPECT_EQ(findings.Tip(Row::DotNet), findings.Line(Row::DotNet) + "\r\n\r\nWhat to do: " + remedy);
    EXPECT_EQ(findings.ReportRows()[rows::Index(Row::DotNet)].detail, findings.Line(Row::DotNet));
    findings.Record(Row::DotNet, {false, "no folder there"});
    EXPECT_EQ(findings.Line(Row::DotNet), "no folder there");
}

TEST(RowFindings, TheReportRowCarriesTheCertificateTheCheckWasGiven) {
    RowFindings findings;
    Finding finding{false, "https://h/: certificate not trusted", FindingKind::CertificateUntrusted};
    finding.certificate = CertificateNames{"h", "Contoso Inspection CA", "2027-03-01"};
    findings.Record(Row::InternetData, finding);
    const ReportRow row = findings.ReportRows()[rows::Index(Row::InternetData)];
    ASSERT_TRUE(row.certificate);
    EXPECT_EQ(row.certificate->issuer, "Contoso Inspection CA");
    EXPECT_NE(row.remedy.find("Contoso Inspection CA"), std::string::npos);
    EXPECT_FALSE(findings.ReportRows()[rows::Index(Row::InternetApp)].certificate);
}

TEST(RowFindings, AFindingWithoutALineShowsItsResultInstead) {
    RowFindings findings;
    findings.Record(Row::MsHtml, {true, ""});
    EXPECT_EQ(findings.Line(Row::MsHtml), "Passed");
}

TEST(Rows, EachRowsBoxAndCaptionShareItsLineInTheWindow) {
    // A row's picture box and caption sit on the same line of the window.
    for (int i = 0; i < kRowCount; ++i) {
        const auto find = [](layout::ControlId id) {
            for (const layout::Control& c : layout::kControls)
                if (c.id == id) return c;
            return layout::Control{};
        };
        const layout::Control box = find(rows::kBoxes[static_cast<std::size_t>(i)]);
        const layout::Control caption = find(rows::kCaptions[static_cast<std::size_t>(i)]);
        EXPECT_EQ(box.kind, layout::Kind::Picture) << i;
        EXPECT_EQ(caption.kind, layout::Kind::Label) << i;
        EXPECT_EQ(box.top, caption.top) << "row " << i;
        if (i > 0) {
            EXPECT_GT(box.top, find(rows::kBoxes[static_cast<std::size_t>(i - 1)]).top) << "rows top to bottom";
        }
    }
}

}  // namespace
