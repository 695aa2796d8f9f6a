#pragma once
// What the run has found so far, row by row: the source of the tooltips, the screen-reader names
// and the reports. Portable.
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CheckRun.h"
#include "app/Fixes.h"
#include "app/report/Report.h"

class RowFindings {
public:
    // `context` chooses among the instructions that depend on the Windows release, and what
    // their actions open on this PC.
    explicit RowFindings(FixContext context = {}) : context_(std::move(context)) {}

    void Record(Row row, const Finding& finding);
    // Every row back to "not checked yet", for a new run.
    void Clear() { rows_ = {}; }

    RowResult Result(Row row) const { return rows_[Slot(row)].result; }
    // The line the row's check gave; "Not checked yet" until then, and the result when the check
    // gave no line.
    std::string Line(Row row) const;
    // What to do about a failed row; empty for the others.
    const std::string& Remedy(Row row) const { return rows_[Slot(row)].remedy; }
    // What the failed row's link does; None for the others.
    const platform::FixAction& Action(Row row) const { return rows_[Slot(row)].action; }
    // Opening the row's fix failed: `why` joins the row's line (the latest failure only) until the
    // row is checked again; the instruction stays.
    void NoteFixFailure(Row row, std::string why) { rows_[Slot(row)].fixFailure = std::move(why); }
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
        platform::FixAction action;
        std::string fixFailure{};
        std::optional<CertificateNames> certificate{};
        std::optional<CardReaders> cardReaders{};
        std::optional<ClientTlsNote> clientTls{};
    };
    // What the check found and, after it, why its fix did not open.
    static std::string Detail(const Entry& entry);
    FixContext context_;
    std::array<Entry, kRowCount> rows_{};
};
