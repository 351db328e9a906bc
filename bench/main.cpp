// Runs the benchmarks, then prints the ratios the library promises, from the same runs.
#include <benchmark/benchmark.h>

#include "floor_ratios.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class Recorder : public benchmark::ConsoleReporter {
public:
    // Plain text: the figures end up in CI logs.
    Recorder() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
            cpu_time[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
    }
    std::map<std::string, double> cpu_time;
};

// An overhead is the time slow adds to fast and must stay at or below the floor measured in the
// same run: the simulated host answers in nanoseconds where REAPER takes far longer, so a share
// of its time would measure the host, not the wrapper. A speed-up is slow/fast and must reach its
// target (0: shown only).
struct Ratio {
    const char* what;
    const char* slow;
    const char* fast;
    const char* floor;  // overheads only
    double target;      // speed-ups only
};

constexpr const char* kWrapperFloor = "Floor_TwoEmptyIndirectCalls";

constexpr Ratio kRatios[] = {
    {"wrapper overhead, getter", "Wrapper_GetMediaStartTimeSeconds",
     "Direct_GetMediaStartTimeSeconds", kWrapperFloor, 0.0},
    {"wrapper overhead, setter", "Wrapper_SetMediaStartTimeSeconds",
     "Direct_SetMediaStartTimeSeconds", kWrapperFloor, 0.0},
    {"wrapper overhead, frame", "Wrapper_GetMediaStartTimeFrame", "Direct_GetMediaStartTimeFrame",
     kWrapperFloor, 0.0},
    {"name getter against regex, 64 bytes", "NameByRegex/64", "NameGetter/64", nullptr, 50.0},
    {"name getter against regex, 10,000 bytes", "NameByRegex/10000", "NameGetter/10000", nullptr,
     0.0},
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    benchmark::Shutdown();

    std::printf("\n");
    for (const Ratio& r : kRatios) {
        const auto slow = recorder.cpu_time.find(r.slow);
        const auto fast = recorder.cpu_time.find(r.fast);
        if (slow == recorder.cpu_time.end() || fast == recorder.cpu_time.end()) continue;
        const double ratio = slow->second / fast->second;
        if (r.floor != nullptr) {
            const auto floor = recorder.cpu_time.find(r.floor);
            if (floor == recorder.cpu_time.end()) continue;
            const double added = slow->second - fast->second;
            std::printf(
                "%-40s %+7.1f%%  %+.1f ns  (target <= %.1f ns, two empty indirect calls: "
                "%s)\n",
                r.what, (ratio - 1.0) * 100.0, added, floor->second,
                added <= floor->second ? "met" : "MISSED");
        } else if (r.target > 0.0) {
            std::printf("%-40s %7.1fx  (target >= %.0fx: %s)\n", r.what, ratio, r.target,
                        ratio >= r.target ? "met" : "MISSED");
        } else {
            std::printf("%-40s %7.1fx\n", r.what, ratio);
        }
    }
    for (const qm_bench::FloorRatio& r : qm_bench::floor_ratios()) {
        std::printf("%-48s %6.2fx  (target <= %.0fx: %s)  %s\n", r.what.c_str(), r.ratio, r.target,
                    r.ratio <= r.target ? "met" : "MISSED", r.detail.c_str());
    }
    return 0;
}
