#pragma once
// What the run has found so far, row by row: the source of the tooltips, the screen-reader names
// and the reports. Portable.
#include <array>
#include <string>
#include <vector>

#include "app/CheckRun.h"
#include "app/Report.h"

class RowFindings {
public:
    void Record(Row row, const Finding& finding);

    RowResult Result(Row row) const { return rows_[Slot(row)].result; }
    // The line the row's check gave; "Not checked yet" until then, and the result when the check
    // gave no line.
    std::string Line(Row row) const;

    // All seven rows in window order, with their captions; details as the checks gave them.
    std::vector<ReportRow> ReportRows() const;

private:
    static std::size_t Slot(Row row) { return static_cast<std::size_t>(row); }
    struct Entry {
        RowResult result = RowResult::NotChecked;
        std::string detail;
    };
    std::array<Entry, kRowCount> rows_{};
};
