#pragma once
// The program's version record: one place for the numbers and names it shows.
#define QT_VERSION_NUMBERS 1, 0, 0, 0
#define QT_VERSION_TEXT "1.00"
#define QT_COMPANY_NAME "Quorvin Technologies"
#define QT_PRODUCT_NAME "Tessary Card System Check"
#define QT_INTERNAL_NAME "QTSysCheck"
#define QT_ORIGINAL_FILENAME "QTSysCheck.exe"
