#include "RunReport.h"

#include "app/window/Layout.h"
#include "app/res/version.h"
#include "platform/ReportFile.h"
#include "platform/ReportStamp.h"

std::string RunReport(const RowFindings& findings, ReportFormat format) {
    std::vector<ReportRow> rows = findings.ReportRows();
    const ReportTimes now = FormatReportTimes(platform::ReadLocalClock());
    ReportHeader header;
    header.title = layout::kTitle;
    header.version = QT_VERSION_TEXT;
    header.computer = platform::ComputerName();
    header.localTime = now.localTime;
    header.isoTime = now.isoTime;
    // What the checks found, the computer's name and the folders in the actions' commands are in
    // the system code page, as the Windows calls gave them.
    SystemTextsToUtf8(header, rows, &platform::SystemTextToUtf8);
    return format == ReportFormat::Json ? JsonReport(header, rows) : PlainTextReport(header, rows);
}
