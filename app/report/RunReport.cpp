#include "RunReport.h"

#include "app/window/Layout.h"
#include "app/res/version.h"
#include "platform/ReportFile.h"
#include "platform/ReportStamp.h"

std::string RunReport(const RowFindings& findings, ReportFormat format) {
    // What the checks found is in the system code page, as the Windows calls gave it.
    std::vector<ReportRow> rows = findings.ReportRows();
    // So are the folders in the actions' commands; the labels are UTF-8 already.
    for (ReportRow& row : rows) {
        row.detail = platform::SystemTextToUtf8(row.detail);
        row.action.command = platform::SystemTextToUtf8(row.action.command);
        // The readers' names too, as the smart-card service's single-byte functions gave them.
        if (row.cardReaders && row.cardReaders->readers)
            for (CardReader& reader : *row.cardReaders->readers) reader.name = platform::SystemTextToUtf8(reader.name);
    }
    const ReportTimes now = FormatReportTimes(platform::ReadLocalClock());
    ReportHeader header;
    header.title = layout::kTitle;
    header.version = QT_VERSION_TEXT;
    header.computer = platform::SystemTextToUtf8(platform::ComputerName());
    header.localTime = now.localTime;
    header.isoTime = now.isoTime;
    return format == ReportFormat::Json ? JsonReport(header, rows) : PlainTextReport(header, rows);
}
