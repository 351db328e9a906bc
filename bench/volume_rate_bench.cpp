// A volume read and a rate change called as a script calls them, against the same host calls made
// directly: what the wrapper, the checks and the conversions add to REAPER's own work.
#include <benchmark/benchmark.h>

#include <cmath>

#include "api/api.h"
#include "loaded_host.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace {

struct Session : qm_bench::LoadedHost {
    Session() {
        sim::Track* track = host.add_track(nullptr, "T", true);
        sim::ItemSpec wanted;
        wanted.length = 8.0;
        wanted.fade_in = 1.0;
        wanted.fade_out = 2.0;
        wanted.vol = 0.5;
        wanted.takes = {sim::TakeSpec{}};
        for (int i = 0; i < 8; ++i) host.add_item(track, wanted);
    }
};

void DirectVolumeRead(benchmark::State& state) {
    Session session;
    for (auto _ : state) {
        MediaItem* item = GetMediaItem(nullptr, 5);
        double level = 0.0;
        if (item != nullptr) {
            level = qm_utility::round(qm_utility::to_dB(GetMediaItemInfo_Value(item, "D_VOL")), 2);
        }
        benchmark::DoNotOptimize(level);
    }
}
BENCHMARK(DirectVolumeRead);

void ScriptVolumeRead(benchmark::State& state) {
    Session session;
    double level = 0.0;
    void* args[] = {nullptr, qm_bench::slot(5), &level};
    for (auto _ : state) {
        benchmark::DoNotOptimize(args);
        benchmark::DoNotOptimize(__vararg_GetMediaVolume(args, 3));
    }
}
BENCHMARK(ScriptVolumeRead);

// Between 1 and 2 and back, so the item's length stays where it was.
void DirectRateChange(benchmark::State& state) {
    Session session;
    double rate = 1.0;
    for (auto _ : state) {
        rate = 3.0 - rate;
        MediaItem* item = GetMediaItem(nullptr, 5);
        if (item == nullptr) continue;
        MediaItem_Take* take = GetActiveTake(item);
        const double ratio = rate / GetMediaItemTakeInfo_Value(take, "D_PLAYRATE");
        const double length = GetMediaItemInfo_Value(item, "D_LENGTH") / ratio;
        benchmark::DoNotOptimize(GetMediaItemInfo_Value(item, "D_FADEINLEN") / ratio);
        benchmark::DoNotOptimize(GetMediaItemInfo_Value(item, "D_FADEOUTLEN") / ratio);
        bool ok = SetMediaItemInfo_Value(item, "D_LENGTH", length);
        ok = SetMediaItemTakeInfo_Value(take, "D_PLAYRATE", rate) && ok;
        const double fade_in = GetMediaItemInfo_Value(item, "D_FADEINLEN") / ratio;
        const double fade_out = GetMediaItemInfo_Value(item, "D_FADEOUTLEN") / ratio;
        ok = SetMediaItemInfo_Value(item, "D_FADEINLEN", fade_in) && ok;
        ok = SetMediaItemInfo_Value(item, "D_FADEOUTLEN", fade_out) && ok;
        UpdateArrange();
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(DirectRateChange);

void ScriptRateChange(benchmark::State& state) {
    Session session;
    double rate = 1.0;
    void* args[] = {nullptr, qm_bench::slot(5), &rate};
    for (auto _ : state) {
        rate = 3.0 - rate;
        benchmark::DoNotOptimize(args);
        benchmark::DoNotOptimize(__vararg_SetMediaRate(args, 3));
    }
}
BENCHMARK(ScriptRateChange);

}  // namespace
