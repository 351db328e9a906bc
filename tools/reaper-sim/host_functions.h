// The simulated host's own functions as ReaScript shows them, gathered from the family files
// under functions/ (see functions/function_table.h for how to add one).
#pragma once

#include <span>

#include "functions/function_table.h"

namespace reaper_sim {

struct HostFamily {
    const char* name;  // "items", "undo_refresh", ...
    std::span<const HostFunctionRow> rows;
};

std::span<const HostFamily> host_function_families();
// Every family's rows, in family order.
std::span<const HostFunctionRow> host_function_rows();

// Makes the host's GetFunc find every function implemented in the family files, so a module
// loaded into it can import them as it would from REAPER.
void provide_host_functions(sim::Host& host);

}  // namespace reaper_sim
