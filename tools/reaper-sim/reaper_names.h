// The names of REAPER's functions that item scripts use: a script calling one that reaper-sim
// does not offer is told that the simulation lacks it, not that the name is unknown.
#pragma once

#include <span>
#include <string_view>

namespace reaper_sim {

bool is_reaper_function(std::string_view name);
std::span<const std::string_view> reaper_function_names();  // sorted

}  // namespace reaper_sim
