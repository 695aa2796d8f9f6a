#pragma once
// The report of a run as a person or a program receives it: the header filled in from this PC
// and this moment, every text in UTF-8.
#include <string>

#include "app/RowFindings.h"

enum class ReportFormat { PlainText, Json };

std::string RunReport(const RowFindings& findings, ReportFormat format);
