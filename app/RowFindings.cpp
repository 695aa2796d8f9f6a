#include "RowFindings.h"

#include <utility>

#include "app/window/Rows.h"

void RowFindings::Record(Row row, const Finding& finding) {
    // One lookup: the instruction and its action come from the same entry.
    Instruction instruction = InstructionFor(row, finding, context_.release);
    rows_[Slot(row)] = {finding.passed ? RowResult::Passed : RowResult::Failed, finding.detail,
                        std::move(instruction.text), ActionFor(instruction.fix, context_), {}, finding.certificate,
                        finding.cardReaders, finding.clientTls};
}

std::string RowFindings::Tip(Row row) const {
    std::string tip = Line(row);
    const std::string& remedy = Remedy(row);
    if (!remedy.empty()) tip.append("\r\n\r\n").append(kWhatToDoLabel).append(remedy);
    return tip;
}

std::string RowFindings::Detail(const Entry& entry) {
    if (entry.fixFailure.empty()) return entry.detail;
    return entry.detail.empty() ? entry.fixFailure : entry.detail + "; " + entry.fixFailure;
}

std::string RowFindings::Line(Row row) const {
    const Entry& entry = rows_[Slot(row)];
    const std::string detail = Detail(entry);
    if (detail.empty()) return std::string(ResultText(entry.result));
    return detail;
}

std::vector<ReportRow> RowFindings::ReportRows() const {
    std::vector<ReportRow> report;
    report.reserve(kRowCount);
    for (int i = 0; i < kRowCount; ++i) {
        const Row row = static_cast<Row>(i);
        const Entry& entry = rows_[Slot(row)];
        report.push_back({std::string(rows::Caption(row)), entry.result, Detail(entry), entry.remedy,
                          {entry.action.label, entry.action.Command()}, entry.certificate,
                          entry.cardReaders, entry.clientTls});
    }
    return report;
}
