#pragma once
// What the benchmark programs measure and print: repeated timings summed up, and the rows that
// scripts/benchmark.sh lays out as one table. Figures, not verdicts on the build: nothing here
// fails a run.
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

// Repeated measurements of one figure, in the order taken.
class Samples {
public:
    void Add(double value) { values_.push_back(value); }
    bool Empty() const { return values_.empty(); }
    std::size_t Count() const { return values_.size(); }
    double First() const;
    double Median() const;  // of an even count, the mean of the middle two
    double Min() const;
    double Max() const;

private:
    std::vector<double> values_;
};

enum class Verdict { Met, Missed, None };

// Met when `value` is at most `limit`.
Verdict AtMost(double value, double limit);

// One row of the table on standard output: "ROW", figure, value, target and verdict, separated
// by tabs (so none of them may hold a tab).
void PrintRow(const std::string& figure, const std::string& value, const std::string& target = "-",
              Verdict verdict = Verdict::None);
// A line printed under the table.
void PrintNote(const std::string& text);

std::string Fixed(double value, int decimals);
std::string Milliseconds(double ms);  // "12.3 ms"
std::string Megabytes(double bytes);  // "5.21 MB", a megabyte being 2^20 bytes

}  // namespace bench
