// The simulated host's own functions as ReaScript shows them: one row per function with REAPER's
// definition text and a call shim generated from its C signature.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace reaper_sim {

struct HostFunctionRow {
    const char* name;
    std::string_view definition;  // four NUL-separated fields, REAPER's format
    // Calls `function` (of this row's C signature) with REAPER's vararg slots. A double result
    // is written to *(double*)arglist[numparms], as for registered functions.
    void* (*call)(void* function, void** arglist, int numparms);
    // The C signature's type names, result first, for checking the definition text against it.
    std::vector<std::string> (*signature)();
};

std::span<const HostFunctionRow> host_function_rows();

}  // namespace reaper_sim
