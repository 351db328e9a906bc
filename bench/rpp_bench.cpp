// Loading and saving a REAPER project file: both must grow linearly with the file. The project has
// 50 tracks; the argument is its number of items, each with one take playing one of 16 files.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "sim/host.h"
#include "sim/rpp_project.h"

namespace {

constexpr int kTracks = 50;

std::string generated_project(int items) {
    std::string text = "<REAPER_PROJECT 0.1 \"7.14/linux-x86_64\" 1721405411\n  CURSOR 0\n";
    char line[160];
    for (int t = 0; t < kTracks; ++t) {
        std::snprintf(
            line, sizeof line,
            "  <TRACK {00000000-0000-0000-0000-%012d}\n    NAME \"Track %d\"\n    SEL 0\n", t,
            t + 1);
        text += line;
        for (int i = t; i < items; i += kTracks) {
            std::snprintf(line, sizeof line,
                          "    <ITEM\n      POSITION %d.25\n      SNAPOFFS 0\n      LENGTH 1.5\n"
                          "      LOOP 1\n      ALLTAKES 0\n      FADEIN 1 0.01 0 1 0 0 0\n",
                          i);
            text += line;
            text += "      FADEOUT 1 0.01 0 1 0 0 0\n      MUTE 0 0\n      SEL 0\n";
            std::snprintf(line, sizeof line,
                          "      IGUID {10000000-0000-0000-0000-%012d}\n      IID %d\n"
                          "      NAME \"take %d.wav\"\n      VOLPAN 1 0 1 -1\n      SOFFS 0\n",
                          i, i + 1, i);
            text += line;
            text += "      PLAYRATE 1 1 0 -1 0 0.0025\n      CHANMODE 0\n";
            std::snprintf(line, sizeof line,
                          "      GUID {20000000-0000-0000-0000-%012d}\n      <SOURCE WAVE\n"
                          "        FILE \"media/file %d.wav\"\n      >\n    >\n",
                          i, i % 16);
            text += line;
        }
        text += "  >\n";
    }
    return text + ">\n";
}

// Files are not looked for: the figures are the reader's and the writer's own.
sim::rpp::MediaInfo offline(const std::string&) {
    return {};
}

std::unique_ptr<sim::rpp::ProjectFile> load(sim::Host& host, const std::string& text) {
    sim::rpp::Error error;
    auto file = sim::rpp::ProjectFile::parse(text, error);
    if (file == nullptr ||
        !file->load(host, host.current_project(), "bench.RPP", "/", &offline, error)) {
        return nullptr;
    }
    return file;
}

void RppLoad(benchmark::State& state) {
    const std::string text = generated_project(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto host = std::make_unique<sim::Host>();
        auto file = load(*host, text);
        benchmark::DoNotOptimize(file.get());
        state.PauseTiming();  // tearing the host down is not loading
        file.reset();
        host.reset();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(RppLoad)
    ->Unit(benchmark::kMillisecond)
    ->RangeMultiplier(2)
    ->Range(6250, 50000)
    ->Complexity(benchmark::oN);

// `edited`: every item's volume changed, so every item block is rewritten field by field.
void RppSave(benchmark::State& state, bool edited) {
    const std::string text = generated_project(static_cast<int>(state.range(0)));
    sim::Host host;
    const auto file = load(host, text);
    if (edited) {
        for (sim::Track* track : host.current_project()->tracks) {
            for (sim::Item* item : track->items) item->params["D_VOL"] = 0.5;
        }
    }
    std::string out;
    sim::rpp::Error error;
    for (auto _ : state) {
        if (file == nullptr || !file->render(out, error)) state.SkipWithError("cannot save");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK_CAPTURE(RppSave, unchanged, false)
    ->Unit(benchmark::kMillisecond)
    ->RangeMultiplier(2)
    ->Range(6250, 50000)
    ->Complexity(benchmark::oN);
BENCHMARK_CAPTURE(RppSave, every_item_edited, true)
    ->Unit(benchmark::kMillisecond)
    ->RangeMultiplier(2)
    ->Range(6250, 50000)
    ->Complexity(benchmark::oN);

}  // namespace
