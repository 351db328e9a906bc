// Figures measured against the machine's own floor in the same run, printed by main after the
// benchmarks: a ratio and the most it may be.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qm_bench {

struct FloorRatio {
    std::string what;
    double ratio = 0.0;
    double target = 0.0;  // the ratio must stay at or below it
    std::string detail;
};

inline std::vector<FloorRatio>& floor_ratios() {
    static std::vector<FloorRatio> ratios;
    return ratios;
}

// Heap bytes held now and at most since the last reset_peak_heap() (operator new counts them).
std::size_t heap_in_use();
std::size_t peak_heap();
void reset_peak_heap();

}  // namespace qm_bench
