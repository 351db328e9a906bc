// reaper-sim's reading of a definition text, on any bytes: it answers a definition or a reason,
// never reads past the text, and what it answers can be shown to a script author.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "definition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Registered texts always have their four fields; the extent must stop within them.
    std::string text(reinterpret_cast<const char*>(data), size);
    text.append(4, '\0');
    const std::string_view extent = reaper_sim::definition_extent(text.c_str());
    if (extent.size() >= text.size()) std::abort();

    std::string error;
    const auto def = reaper_sim::parse_definition("QM_Fuzz", extent, error);
    if (!def) {
        if (error.empty()) std::abort();
        return 0;
    }
    std::size_t sizes = 0;
    for (const reaper_sim::ParamDef& p : def->params) {
        if (p.name.empty()) std::abort();
        sizes += p.role == reaper_sim::Role::Size ? 1 : 0;
    }
    if (sizes > def->params.size() / 2) std::abort();  // every size follows its own buffer
    if (reaper_sim::lua_signature(*def).empty() || reaper_sim::c_signature(*def).empty()) {
        std::abort();
    }
    return 0;
}
