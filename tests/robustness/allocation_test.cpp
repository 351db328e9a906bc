// Heap allocations of every registered function, called through its script wrapper with valid
// arguments again and again on one project (the host's call log off): none, except for the
// functions that keep a list (insertion, delete-all), a call that asks the user about SWS, and a
// call that makes the host create objects, whose allocations are the host's.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "calls.h"
#include "entry/entry.h"

namespace {
std::size_t g_allocations = 0;
bool g_counting = false;
}  // namespace

void* operator new(std::size_t size) {
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(size != 0 ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

constexpr int kCalls = 20;

int objects(sim::Host& host) {
    return sim::reaper::CountMediaItems(nullptr) + host.sources_created();
}

// Why a function may allocate, or empty when it may not.
std::string allowance(const std::string& name, bool asked, bool made) {
    for (std::string_view prefix : {"QM_Insert", "QM_DeleteAll"}) {
        if (name.starts_with(prefix)) return "keeps a list";
    }
    if (asked) return "asks the user about SWS";
    if (made) return "the host makes objects";
    return "";
}

}  // namespace

int main() {
    std::vector<qm_robust::Registered> functions;
    {
        sim::Host host;
        ReaperPluginEntry(nullptr, reinterpret_cast<reaper_plugin_info_t*>(host.plugin_info()));
        functions = qm_robust::registered(host);
        ReaperPluginEntry(nullptr, nullptr);
    }
    int failures = 0;
    for (const qm_robust::Registered& fn : functions) {
        for (bool sws : {false, true}) {
            sim::Host host;
            host.set_call_log(false);
            host.set_sws_installed(sws);
            ReaperPluginEntry(nullptr, reinterpret_cast<reaper_plugin_info_t*>(host.plugin_info()));
            const qm_robust::Fixture fixture = qm_robust::build(host);
            qm_robust::Arguments args(fn.def, host, fixture);
            for (int i = 0; i < 2; ++i) args.call(fn.vararg);  // what grows once, grows here
            const std::size_t boxes = host.message_boxes().size();
            const int made = objects(host);

            g_allocations = 0;
            g_counting = true;
            for (int i = 0; i < kCalls; ++i) args.call(fn.vararg);
            g_counting = false;

            const std::string allowed =
                allowance(fn.def.name, host.message_boxes().size() != boxes, objects(host) != made);
            if (g_allocations != 0) {
                const bool failed = allowed.empty();
                failures += failed ? 1 : 0;
                std::printf("%s %s%s: %.1f allocations per call%s%s\n", failed ? "FAIL" : "    ",
                            fn.def.name.c_str(), sws ? " (SWS)" : "",
                            static_cast<double>(g_allocations) / kCalls, failed ? "" : ", ",
                            allowed.c_str());
            }
            ReaperPluginEntry(nullptr, nullptr);
        }
    }
    std::printf("allocations: %zu functions called %d times each, %d allocating where none may\n",
                functions.size(), kCalls, failures);
    return failures == 0 && !functions.empty() ? 0 : 1;
}
