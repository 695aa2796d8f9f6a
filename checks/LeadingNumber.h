#pragma once
// The number at the start of a text, read the way a version part is read.
#include <string_view>

// Blanks, tabs and line feeds anywhere in `text` are skipped. Then either an optional sign,
// digits with an optional decimal point, and an optional exponent ("e" or "E", an optional sign
// and digits), or a prefix &H or &O (either letter case) and hexadecimal or octal digits.
// Reading stops at the first character that cannot continue the number; a text without a
// leading number gives 0. A decimal number too large for a double gives infinity.
double LeadingNumber(std::string_view text);
