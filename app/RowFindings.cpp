#include "RowFindings.h"

#include "app/window/Rows.h"

void RowFindings::Record(Row row, const Finding& finding) {
    rows_[Slot(row)] = {finding.passed ? RowResult::Passed : RowResult::Failed, finding.detail,
                        ::Remedy(row, finding, release_), finding.certificate};
}

std::string RowFindings::Tip(Row row) const {
    std::string tip = Line(row);
    const std::string& remedy = Remedy(row);
    if (!remedy.empty()) tip.append("\r\n\r\n").append(kWhatToDoLabel).append(remedy);
    return tip;
}

std::string RowFindings::Line(Row row) const {
    const Entry& entry = rows_[Slot(row)];
    if (entry.detail.empty()) return std::string(ResultText(entry.result));
    return entry.detail;
}

std::vector<ReportRow> RowFindings::ReportRows() const {
    std::vector<ReportRow> report;
    report.reserve(kRowCount);
    for (int i = 0; i < kRowCount; ++i) {
        const Row row = static_cast<Row>(i);
        const Entry& entry = rows_[Slot(row)];
        report.push_back({std::string(rows::Caption(row)), entry.result, entry.detail, entry.remedy,
                          entry.certificate});
    }
    return report;
}
