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

// The most heap bytes held, beyond those held at the start, between the two calls (operator new
// counts them only then).
void start_heap_count();
std::size_t stop_heap_count();

}  // namespace qm_bench
