#include "Figures.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace bench {

namespace {
std::vector<double> Sorted(std::vector<double> values) {
    if (values.empty()) throw std::logic_error("no samples");
    std::sort(values.begin(), values.end());
    return values;
}
}  // namespace

double Samples::First() const {
    if (values_.empty()) throw std::logic_error("no samples");
    return values_.front();
}

double Samples::Median() const {
    const std::vector<double> v = Sorted(values_);
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

double Samples::Min() const { return Sorted(values_).front(); }

double Samples::Max() const { return Sorted(values_).back(); }

Verdict AtMost(double value, double limit) { return value <= limit ? Verdict::Met : Verdict::Missed; }

void PrintRow(const std::string& figure, const std::string& value, const std::string& target,
              Verdict verdict) {
    const char* said = verdict == Verdict::Met ? "met" : verdict == Verdict::Missed ? "MISSED" : "-";
    std::printf("ROW\t%s\t%s\t%s\t%s\n", figure.c_str(), value.c_str(), target.c_str(), said);
    std::fflush(stdout);
}

void PrintNote(const std::string& text) {
    std::printf("NOTE\t%s\n", text.c_str());
    std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(decimals) << value;
    return out.str();
}

std::string Milliseconds(double ms) { return Fixed(ms, ms < 10 ? 2 : ms < 100 ? 1 : 0) + " ms"; }

std::string Megabytes(double bytes) { return Fixed(bytes / (1024.0 * 1024.0), 2) + " MB"; }

}  // namespace bench
