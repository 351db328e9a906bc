// Loading and saving a REAPER project file: both must grow linearly with the file. The project has
// 50 tracks; the argument is its number of items, each with one take playing one of 16 files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "floor_ratios.h"

#include "rpp/project_file.h"
#include "sim/host.h"

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
rpp::MediaInfo offline(const std::string&) {
    return {};
}

std::unique_ptr<rpp::ProjectFile> load(sim::Host& host, std::string text) {
    rpp::Error error;
    auto file = rpp::ProjectFile::parse(std::move(text), error);
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
    rpp::Error error;
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

// ---- against the floor: the same file on the same disk, in the same run ----

std::string read_file(const std::string& path) {
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return text;
    text.resize(static_cast<std::size_t>(::lseek(fd, 0, SEEK_END)));
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n =
            ::pread(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(done);
    return text;
}

void write_file(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

double median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Seconds `work` took.
double timed(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Loading = reading the file and building the project; saving = rendering it and writing it.
// The floors: reading it and finding every line end; writing the same bytes. Each floor run is
// taken in turn with a run of the work and the median of each is kept (a best-of let one lucky
// write set the floor). A write's time depends on how
// much the system is still writing back, so every timed write starts with nothing left to write
// back (sync, untimed): the floor and the save then meet the same disk.
void RppAgainstFloor(benchmark::State& state) {
    constexpr int kRuns = 9;
    const std::string text = generated_project(50000);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("qm_rpp_bench_" + std::to_string(::getpid())))
            .string();
    const std::string out_path = path + "-out";
    write_file(path, text);
    std::vector<double> read_floors, loads, write_floors, saves, edited_saves;
    std::size_t peak = 0;
    const auto floor_read = [&] {
        const std::string read = read_file(path);
        std::size_t lines = 0;
        for (const char* p = read.data();
             (p = static_cast<const char*>(std::memchr(p, '\n', read.data() + read.size() - p)));
             ++p) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    };
    const auto floor_write = [&] { write_file(out_path, text); };
    const auto settled = [](const std::function<void()>& work) {
        ::sync();
        return timed(work);
    };
    for (auto _ : state) {
        for (int i = 0; i < kRuns; ++i) {
            read_floors.push_back(timed(floor_read));
            auto host = std::make_unique<sim::Host>();
            std::unique_ptr<rpp::ProjectFile> file;
            loads.push_back(timed([&] { file = load(*host, read_file(path)); }));
            if (file == nullptr) state.SkipWithError("cannot load");
        }
        {
            // Counted in a load of its own: the counting is not part of the time.
            auto host = std::make_unique<sim::Host>();
            qm_bench::start_heap_count();
            auto file = load(*host, read_file(path));
            peak = qm_bench::stop_heap_count();
        }
        sim::Host host;
        const auto file = load(host, text);
        std::string out;
        rpp::Error error;
        const auto save = [&] {
            if (file == nullptr || !file->render(out, error)) state.SkipWithError("cannot save");
            write_file(out_path, out);
        };
        for (int i = 0; i < kRuns; ++i) {
            write_floors.push_back(settled(floor_write));
            saves.push_back(settled(save));
        }
        for (sim::Track* track : host.current_project()->tracks) {
            for (sim::Item* item : track->items) item->params["D_VOL"] = 0.5;
        }
        for (int i = 0; i < kRuns; ++i) {
            write_floors.push_back(settled(floor_write));
            edited_saves.push_back(settled(save));
        }
    }
    const double read_floor = median(read_floors), load_time = median(loads),
                 write_floor = median(write_floors), save_time = median(saves),
                 edited_time = median(edited_saves);
    std::filesystem::remove(path);
    std::filesystem::remove(out_path);
    const auto ms = [](double s) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", s * 1e3);
        return std::string(text);
    };
    auto& ratios = qm_bench::floor_ratios();
    ratios.push_back({"project load, 50,000 items / read floor", load_time / read_floor, 8.0,
                      ms(load_time) + " ms against " + ms(read_floor) + " ms"});
    ratios.push_back({"project save unchanged / write floor", save_time / write_floor, 3.0,
                      ms(save_time) + " ms against " + ms(write_floor) + " ms"});
    ratios.push_back({"project save, every item edited / write floor", edited_time / write_floor,
                      10.0, ms(edited_time) + " ms against " + ms(write_floor) + " ms"});
    ratios.push_back(
        {"peak heap of a load / file size",
         static_cast<double>(peak) / static_cast<double>(text.size()), 4.0,
         std::to_string(peak >> 20) + " MiB for " + std::to_string(text.size() >> 20) + " MiB"});
}
BENCHMARK(RppAgainstFloor)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
