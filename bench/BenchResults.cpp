#include "BenchResults.h"

#include <algorithm>

namespace vel::bench {

BenchResults::BenchResults(std::vector<Line> lines, std::vector<std::string> sides, std::vector<long> sizes)
    : lines_(std::move(lines)), sides_(std::move(sides)), sizes_(std::move(sizes)) {}

void BenchResults::Add(int line, int side, int size, double value) { samples_[{line, side, size}].push_back(value); }

const std::vector<double>* BenchResults::Samples(int line, int side, int size) const {
    auto found = samples_.find({line, side, size});
    return found == samples_.end() || found->second.empty() ? nullptr : &found->second;
}

bool BenchResults::Has(int line, int side, int size) const { return Samples(line, side, size) != nullptr; }

double BenchResults::Median(int line, int side, int size) const {
    const auto* samples = Samples(line, side, size);
    if (!samples) return 0;
    std::vector<double> sorted = *samples;
    std::sort(sorted.begin(), sorted.end());
    size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

double BenchResults::Sum(int line, int side, int size) const {
    const auto* samples = Samples(line, side, size);
    double sum = 0;
    if (samples)
        for (double v : *samples) sum += v;
    return sum;
}

// "median [min..max] xN", or "-" where the side has no such operation.
std::string BenchResults::Cell(int line, int side, int size) const {
    const auto* samples = Samples(line, side, size);
    if (!samples) return "-";
    auto [low, high] = std::minmax_element(samples->begin(), samples->end());
    char text[96];
    std::snprintf(text, sizeof text, "%.4g [%.3g..%.3g] x%zu", Median(line, side, size), *low, *high, samples->size());
    return text;
}

void BenchResults::PrintHeader(std::FILE* out) const {
    std::fprintf(out, "%-30s %-10s %8s", "operation", "unit", "rows");
    for (const auto& side : sides_) std::fprintf(out, " | %-34s", side.c_str());
    for (size_t s = 1; s < sides_.size(); ++s) std::fprintf(out, " | ratio/%zu", s + 1);
    std::fprintf(out, "\n");
    std::fflush(out);
}

// The lines of one size, printed as soon as the size is measured.
void BenchResults::PrintSize(std::FILE* out, int z) const {
    for (int l = 0; l < static_cast<int>(lines_.size()); ++l) {
        std::fprintf(out, "%-30s %-10s %8ld", lines_[l].name.c_str(), lines_[l].unit.c_str(), sizes_[z]);
        for (int s = 0; s < static_cast<int>(sides_.size()); ++s) std::fprintf(out, " | %-34s", Cell(l, s, z).c_str());
        for (int s = 1; s < static_cast<int>(sides_.size()); ++s) {
            if (Has(l, 0, z) && Has(l, s, z) && Median(l, s, z) > 0)
                std::fprintf(out, " | %7.3f", Median(l, 0, z) / Median(l, s, z));
            else
                std::fprintf(out, " | %7s", "-");
        }
        std::fprintf(out, "\n");
    }
    std::fflush(out);
}

void BenchResults::PrintNotes(std::FILE* out) const {
    std::fprintf(out, "Each figure: median [min..max] xN of N runs, the sides' order rotated from run to run.\n");
    std::fprintf(out, "ratio/2: the first side's median over the second's (below 1: the first is faster).\n");
    for (const auto& note : notes_) std::fprintf(out, "%s\n", note.c_str());
    std::fflush(out);
}

// The factor from each size to the next: 10 for a cost that grows with the rows, 1 for one that does not.
void BenchResults::PrintGrowth(std::FILE* out) const {
    std::fprintf(out, "\nGrowth per tenfold rows (median at n x10 over median at n)\n%-30s %-24s", "operation", "side");
    for (size_t z = 1; z < sizes_.size(); ++z) std::fprintf(out, " %9ld", sizes_[z]);
    std::fprintf(out, "\n");
    for (int l = 0; l < static_cast<int>(lines_.size()); ++l) {
        for (int s = 0; s < static_cast<int>(sides_.size()); ++s) {
            bool any = false;
            for (size_t z = 0; z < sizes_.size(); ++z) any = any || Has(l, s, static_cast<int>(z));
            if (!any) continue;
            std::fprintf(out, "%-30s %-24s", lines_[l].name.c_str(), sides_[s].c_str());
            for (int z = 1; z < static_cast<int>(sizes_.size()); ++z) {
                if (Has(l, s, z) && Has(l, s, z - 1) && Median(l, s, z - 1) > 0)
                    std::fprintf(out, " %9.2f", Median(l, s, z) / Median(l, s, z - 1));
                else
                    std::fprintf(out, " %9s", "-");
            }
            std::fprintf(out, "\n");
        }
    }
    std::fflush(out);
}

}  // namespace vel::bench
