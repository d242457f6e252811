#pragma once
// The samples of a comparison: for each line (an operation), side (a control) and size (rows),
// every run's figure. Prints the medians with their spread, the ratios of the first side to
// the others and the growth of each line per tenfold size.
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace vel::bench {

struct Line {
    std::string name;
    std::string unit;  // what one figure of the line counts
    bool timed = true;  // drawn in the chart
};

class BenchResults {
public:
    BenchResults(std::vector<Line> lines, std::vector<std::string> sides, std::vector<long> sizes);

    void Add(int line, int side, int size, double value);
    // A note printed under the table (a line run fewer times, a line skipped).
    void Note(const std::string& note) { notes_.push_back(note); }
    bool Has(int line, int side, int size) const;
    double Median(int line, int side, int size) const;
    double Sum(int line, int side, int size) const;

    const std::vector<Line>& Lines() const { return lines_; }
    const std::vector<std::string>& Sides() const { return sides_; }
    const std::vector<long>& Sizes() const { return sizes_; }

    void PrintHeader(std::FILE* out) const;
    void PrintSize(std::FILE* out, int size) const;
    void PrintNotes(std::FILE* out) const;
    void PrintGrowth(std::FILE* out) const;

private:
    using Key = std::tuple<int, int, int>;
    const std::vector<double>* Samples(int line, int side, int size) const;
    std::string Cell(int line, int side, int size) const;

    std::vector<Line> lines_;
    std::vector<std::string> sides_;
    std::vector<long> sizes_;
    std::map<Key, std::vector<double>> samples_;
    std::vector<std::string> notes_;
};

}  // namespace vel::bench
