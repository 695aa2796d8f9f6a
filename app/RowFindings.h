#pragma once
// What the run has found so far, row by row: the source of the tooltips, the screen-reader names
// and the reports. Portable.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/CheckRun.h"
#include "app/Remedies.h"
#include "app/report/Report.h"

class RowFindings {
public:
    // `release` chooses among the instructions that depend on the Windows release.
    explicit RowFindings(const WindowsRelease& release = {}) : release_(release) {}

    void Record(Row row, const Finding& finding);
    // Every row back to "not checked yet", for a new run.
    void Clear() { rows_ = {}; }

    RowResult Result(Row row) const { return rows_[Slot(row)].result; }
    // The line the row's check gave; "Not checked yet" until then, and the result when the check
    // gave no line.
    std::string Line(Row row) const;
    // What to do about a failed row; empty for the others.
    const std::string& Remedy(Row row) const { return rows_[Slot(row)].remedy; }
    // The row's tooltip: its line, and under it, for a failed row, what to do.
    std::string Tip(Row row) const;

    // All seven rows in window order, with their captions; details as the checks gave them.
    std::vector<ReportRow> ReportRows() const;

private:
    static std::size_t Slot(Row row) { return static_cast<std::size_t>(row); }
    struct Entry {
        RowResult result = RowResult::NotChecked;
        std::string detail;
        std::string remedy;
        std::optional<CertificateNames> certificate{};
    };
    WindowsRelease release_;
    std::array<Entry, kRowCount> rows_{};
};
