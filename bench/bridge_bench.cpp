// What a script call costs on top of the native call: the wrapper should add a few loads only.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "api/api.h"
#include "entry/entry.h"
#include "script_bridge/wrappers.h"
#include "sim/host.h"

namespace {

struct Session {
    sim::Host host;
    Session() {
        sim::Track* track = host.add_track(nullptr, "T", true);
        sim::ItemSpec selected;
        selected.selected = true;
        for (int i = 0; i < 8; ++i) host.add_item(track, selected);
        ReaperPluginEntry(nullptr, reinterpret_cast<reaper_plugin_info_t*>(host.plugin_info()));
    }
    ~Session() { ReaperPluginEntry(nullptr, nullptr); }
};

void* slot(int v) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(v));
}

void NativeLookup(benchmark::State& state) {
    Session session;
    for (auto _ : state) benchmark::DoNotOptimize(GetMediaItemSelect(nullptr, 5, 1));
}
BENCHMARK(NativeLookup);

void ScriptWrapperLookup(benchmark::State& state) {
    Session session;
    void* args[] = {nullptr, slot(5), slot(1)};
    for (auto _ : state) {
        benchmark::DoNotOptimize(args);
        benchmark::DoNotOptimize(__vararg_GetMediaItemSelect(args, 3));
    }
}
BENCHMARK(ScriptWrapperLookup);

}  // namespace
