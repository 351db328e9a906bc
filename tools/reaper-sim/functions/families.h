// Every family file, one X(NAME) line each: functions/NAME.cpp defines family_NAME(). The
// families are listed (and documented) in this order.
#pragma once

#include <span>

#include "function_table.h"

// clang-format off
#define REAPER_SIM_FAMILIES(X) \
    X(project_selection)       \
    X(items)                   \
    X(takes)                   \
    X(sources)                 \
    X(tracks)                  \
    X(misc)                    \
    X(markers_time)            \
    X(take_extras)             \
    X(undo_refresh)            \
    X(dialogs_console)         \
    X(script_runtime)          \
    X(actions)                 \
    X(chunks)                  \
    X(chunks_ext_state)
// clang-format on

namespace reaper_sim {

#define REAPER_SIM_DECLARE_FAMILY(name) std::span<const HostFunctionRow> family_##name();
REAPER_SIM_FAMILIES(REAPER_SIM_DECLARE_FAMILY)
#undef REAPER_SIM_DECLARE_FAMILY

}  // namespace reaper_sim
