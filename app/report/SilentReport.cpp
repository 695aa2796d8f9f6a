#include "SilentReport.h"

#include "app/FixContextOfThisPc.h"
#include "app/RequirementChecks.h"
#include "app/RowFindings.h"
#include "app/report/RunReport.h"
#include "platform/ReportFile.h"

namespace {

// The run's host when there is no window: no pauses, nothing to show, only findings to keep.
class ReportOnlyHost final : public RunHost {
public:
    explicit ReportOnlyHost(RowFindings& findings) : findings_(findings) {}
    void Pause(unsigned) override {}
    bool PassMessages() override { return true; }
    void SetBusyPointer(bool) override {}
    void EnableClose() override {}
    void ShowResult(Row row, const Finding& finding) override { findings_.Record(row, finding); }
    void ClearResults() override { findings_.Clear(); }

private:
    RowFindings& findings_;
};

}  // namespace

int RunSilentReport(const std::string& utf8Path) {
    // No pacing to keep: both fetches go at once, each with its own limit, while the five other
    // checks are made; the rows stay in the window's order.
    const std::unique_ptr<PendingCheck> app = StartAppUrlCheck();
    const std::unique_ptr<PendingCheck> data = StartDataUrlCheck();
    RowFindings findings(FixContextOfThisPc());
    ReportOnlyHost host(findings);
    CheckRun run(host, ChecksWithoutWindow(*app, *data));
    run.OnActivate();

    const ReportFormat format = IsJsonReportPath(utf8Path) ? ReportFormat::Json : ReportFormat::PlainText;
    std::string report = RunReport(findings, format);
    // Notepad on older Windows takes a text file without this mark for the system code page.
    if (format == ReportFormat::PlainText) report.insert(0, "\xEF\xBB\xBF");
    if (!platform::WriteFileWhole(utf8Path, report)) return kReportNotWritten;
    return AllPassed(findings.ReportRows()) ? kAllPassed : kSomeFailed;
}
