// A simulated REAPER with the extension loaded, for the benchmarks. Its call log is off: a log
// growing by every host call would be what the figures measure.
#pragma once

#include <cstdint>

#include "entry/entry.h"
#include "sim/host.h"

namespace qm_bench {

struct LoadedHost {
    sim::Host host;
    LoadedHost() {
        host.set_call_log(false);
        ReaperPluginEntry(nullptr, reinterpret_cast<reaper_plugin_info_t*>(host.plugin_info()));
    }
    ~LoadedHost() { ReaperPluginEntry(nullptr, nullptr); }
    LoadedHost(const LoadedHost&) = delete;
    LoadedHost& operator=(const LoadedHost&) = delete;
};

// An int argument slot as the host fills it for a script wrapper.
inline void* slot(int v) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(v));
}

}  // namespace qm_bench
