// LeadingNumber on any text: never NaN, stops exactly where a number ends, and on plain
// decimal text agrees with the C library's correctly rounded strtod.
#include <cmath>
#include <cstdlib>
#include <string>

#include "FuzzSupport.h"
#include "checks/LeadingNumber.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string WithoutBlanks(std::string_view text) {
    std::string packed;
    for (const char c : text)
        if (!IsBlank(c)) packed.push_back(c);
    return packed;
}

// strtod's reading of the decimal characters at the start of `packed`. Only those characters
// are handed over, so strtod's extras (hexadecimal, "inf", "nan", leading blanks of other
// kinds) cannot come into play.
double DecimalByStrtod(const std::string& packed) {
    const std::size_t end = packed.find_first_not_of("0123456789.eE+-");
    const std::string decimal = packed.substr(0, end);
    return std::strtod(decimal.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzz::AsText(data, size));
    const double value = LeadingNumber(text);
    fuzz::Require(!std::isnan(value), "a leading number is never NaN");

    // 'x' continues no number of any kind, so whatever was read before it stays the same.
    fuzz::Require(LeadingNumber(text + "x") == value,
                  "reading stops at a character that cannot continue the number");

    const std::string packed = WithoutBlanks(text);
    if (packed.empty()) {
        fuzz::Require(value == 0, "a text of blanks reads as 0");
        return 0;
    }
    if (packed.front() == '&') {
        fuzz::Require(value >= 0, "hexadecimal and octal numbers have no sign");
        return 0;
    }
    fuzz::Require(DecimalByStrtod(packed) == value, "a decimal number reads as strtod reads it");

    const char first = packed.front();
    if ((first >= '0' && first <= '9') || first == '.') {
        fuzz::Require(LeadingNumber("-" + text) == -value, "a minus sign negates the number");
        fuzz::Require(LeadingNumber("+" + text) == value, "a plus sign changes nothing");
    }
    return 0;
}
