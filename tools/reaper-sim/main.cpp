// reaper-sim: loads the extension into the simulated REAPER to list its script functions or run
// Lua scripts against it.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "commands.h"

int main(int argc, char** argv) {
    try {
        return reaper_sim::run_command_line(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "reaper-sim: %s\n", e.what());
        return reaper_sim::kExitUsage;
    }
}
