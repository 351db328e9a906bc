#include "host_functions.h"

#include <vector>

#include "functions/families.h"

namespace reaper_sim {

std::span<const HostFamily> host_function_families() {
#define REAPER_SIM_FAMILY_ENTRY(name) HostFamily{#name, family_##name()},
    static const HostFamily families[] = {REAPER_SIM_FAMILIES(REAPER_SIM_FAMILY_ENTRY)};
#undef REAPER_SIM_FAMILY_ENTRY
    return families;
}

std::span<const HostFunctionRow> host_function_rows() {
    static const std::vector<HostFunctionRow> rows = [] {
        std::vector<HostFunctionRow> out;
        for (const HostFamily& family : host_function_families()) {
            out.insert(out.end(), family.rows.begin(), family.rows.end());
        }
        return out;
    }();
    return rows;
}

void provide_host_functions(sim::Host& host) {
    for (const HostFunctionRow& row : host_function_rows()) {
        if (row.address != nullptr && sim::host_function(row.name) == nullptr) {
            host.provide_function(row.name, row.address);
        }
    }
}

}  // namespace reaper_sim
