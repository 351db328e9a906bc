// The `sim` Lua table: builds the simulated session (projects, tracks, items, takes, sources,
// transport, selection, scripted answers and failures) and observes what the host saw. Handles
// are the same light userdata the reaper.* functions take and return.
#pragma once

#include <lua.hpp>

#include <string>

namespace sim {
class Host;
struct Project;
}  // namespace sim

namespace reaper_sim {

class Environment;

// Pushes a new `sim` table bound to `env` (which must outlive the Lua state's use of it).
void push_sim_table(lua_State* L, Environment& env);

// A project as an aligned, human-readable table (sim.dump prints this).
std::string readable_dump(const sim::Project& project, bool current);

}  // namespace reaper_sim
