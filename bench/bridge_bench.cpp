// What a script call costs on top of the host calls it makes: a getter, a setter and a frame
// function through their registered script wrappers, against the same host calls made directly
// through the same slots (filled from the host's GetFunc at load), as an extension makes them.
#include <benchmark/benchmark.h>

#include "api/frames.h"
#include "loaded_host.h"

namespace {

struct Session : qm_bench::LoadedHost {
    Session() {
        sim::Track* track = host.add_track(nullptr, "T", true);
        sim::ItemSpec item;
        for (int i = 0; i < 8; ++i, item.position += 2.0) host.add_item(track, item);
    }
    // The wrapper a script reaches through QM_<name>.
    void* (*wrapper(const char* name))(void**, int) {
        return reinterpret_cast<void* (*)(void**, int)>(host.registered_function(name)->vararg);
    }
};

void Direct_GetMediaStartTimeSeconds(benchmark::State& state) {
    Session session;
    double seconds = 0.0;
    for (auto _ : state) {
        MediaItem* item = ::GetMediaItem(nullptr, 5);
        if (item != nullptr) seconds = ::GetMediaItemInfo_Value(item, "D_POSITION");
        benchmark::DoNotOptimize(seconds);
    }
}
BENCHMARK(Direct_GetMediaStartTimeSeconds);

void Wrapper_GetMediaStartTimeSeconds(benchmark::State& state) {
    Session session;
    auto call = session.wrapper("QM_GetMediaStartTimeSeconds");
    double seconds = 0.0;
    void* args[] = {nullptr, qm_bench::slot(5), &seconds};
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(args, 3));
        benchmark::DoNotOptimize(seconds);
    }
}
BENCHMARK(Wrapper_GetMediaStartTimeSeconds);

void Direct_SetMediaStartTimeSeconds(benchmark::State& state) {
    Session session;
    double seconds = 10.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(seconds);
        MediaItem* item = ::GetMediaItem(nullptr, 5);
        bool ok = item != nullptr && ::SetMediaItemInfo_Value(item, "D_POSITION", seconds);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(Direct_SetMediaStartTimeSeconds);

void Wrapper_SetMediaStartTimeSeconds(benchmark::State& state) {
    Session session;
    auto call = session.wrapper("QM_SetMediaStartTimeSeconds");
    double seconds = 10.0;
    void* args[] = {nullptr, qm_bench::slot(5), &seconds};
    for (auto _ : state) {
        benchmark::DoNotOptimize(seconds);
        benchmark::DoNotOptimize(call(args, 3));
    }
}
BENCHMARK(Wrapper_SetMediaStartTimeSeconds);

void Direct_GetMediaStartTimeFrame(benchmark::State& state) {
    Session session;
    int frame = 0;
    for (auto _ : state) {
        MediaItem* item = ::GetMediaItem(nullptr, 5);
        bool drop = false;
        const double rate = ::TimeMap_curFrameRate(nullptr, &drop);
        if (item != nullptr && rate > 0.0) {
            const double seconds = ::GetMediaItemInfo_Value(item, "D_POSITION");
            frame = qm_api::seconds_to_frame(seconds, rate).value_or(frame);
        }
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(Direct_GetMediaStartTimeFrame);

void Wrapper_GetMediaStartTimeFrame(benchmark::State& state) {
    Session session;
    auto call = session.wrapper("QM_GetMediaStartTimeFrame");
    int frame = 0;
    void* args[] = {nullptr, qm_bench::slot(5), &frame};
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(args, 3));
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(Wrapper_GetMediaStartTimeFrame);

// The floor the wrapper's cost is stated against: two calls through pointers to a function that
// does nothing, the least that going into a wrapper and out to the host can add. The pointer is
// read anew for each call, so the compiler can neither inline nor fold them.
[[gnu::noinline]] void* empty_call(void** arglist, int numparms) {
    benchmark::DoNotOptimize(arglist);
    benchmark::DoNotOptimize(numparms);
    return nullptr;
}

void Floor_TwoEmptyIndirectCalls(benchmark::State& state) {
    void* (*volatile call)(void**, int) = &empty_call;
    void* args[] = {nullptr, qm_bench::slot(5), nullptr};
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(args, 3));
        benchmark::DoNotOptimize(call(args, 3));
    }
}
BENCHMARK(Floor_TwoEmptyIndirectCalls);

// The simulated host itself: an item far along one track, and one parameter read.
void Host_GetMediaItem_9999_of_10000(benchmark::State& state) {
    sim::Host host;
    host.set_call_log(false);
    sim::Track* track = host.add_track();
    for (int i = 0; i < 10000; ++i) host.add_item(track, {});
    for (auto _ : state) benchmark::DoNotOptimize(sim::reaper::GetMediaItem(nullptr, 9999));
}
BENCHMARK(Host_GetMediaItem_9999_of_10000);

}  // namespace
