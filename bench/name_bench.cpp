// The name getter strips in one pass; the same strip through std::regex_replace, as a reference
// for what the one pass saves at the name lengths scripts meet.
#include <benchmark/benchmark.h>

#include <regex>
#include <string>
#include <vector>

#include "api/api.h"
#include "loaded_host.h"
#include "utility/utility.h"

namespace {

struct Session : qm_bench::LoadedHost {
    explicit Session(std::size_t name_length) {
        sim::TakeSpec take;
        take.name = std::string(name_length - 4, 'n') + ".wav";
        sim::ItemSpec item;
        item.takes = {take};
        host.add_item(host.add_track(), item);
    }
};

void NameGetter(benchmark::State& state) {
    Session session(static_cast<std::size_t>(state.range(0)));
    std::vector<char> buffer(16384);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            GetMediaName(nullptr, 0, buffer.data(), static_cast<int>(buffer.size())));
    }
}
BENCHMARK(NameGetter)->Arg(64)->Arg(10000);

void NameByRegex(benchmark::State& state) {
    Session session(static_cast<std::size_t>(state.range(0)));
    std::vector<char> buffer(16384);
    for (auto _ : state) {
        const char* name = GetTakeName(GetActiveTake(GetMediaItem(nullptr, 0)));
        const std::string stripped = std::regex_replace(name, std::regex("\\..+"), "");
        qm_utility::strcpy(buffer.data(), static_cast<int>(buffer.size()), stripped);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(NameByRegex)->Arg(64)->Arg(10000);

}  // namespace
