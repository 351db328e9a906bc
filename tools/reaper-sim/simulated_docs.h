// What reaper-sim offers a script of REAPER's own API, written from the host-function rows: the
// functions by family with their Lua forms, and the REAPER functions it does not simulate.
#pragma once

#include <string>

namespace reaper_sim {

std::string simulated_functions_reference();  // docs/reaper-sim.md

}  // namespace reaper_sim
