// Undo points and screen refreshes.
#include "families.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_undo_refresh() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("UpdateArrange", &sim::reaper::UpdateArrange,
            "void\0\0\0Redraw the arrange view."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
