// Opening the shipped module, loading it into a fresh host, unloading and closing it again.
#include <benchmark/benchmark.h>

#include <string>

#include "sim/host.h"

namespace {

void ModuleLoadUnload(benchmark::State& state) {
    for (auto _ : state) {
        sim::Host host;
        std::string error;
        auto module = sim::Module::open(QM_MODULE_PATH, error);
        if (module == nullptr || module->load(host) != 1) {
            state.SkipWithError(error.c_str());
            break;
        }
        module->unload();
    }
}
BENCHMARK(ModuleLoadUnload)->Unit(benchmark::kMicrosecond);

}  // namespace
