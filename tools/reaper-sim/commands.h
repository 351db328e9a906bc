// The command line: `list` and `run`, and finding the module.
#pragma once

#include <string>
#include <vector>

namespace reaper_sim {

inline constexpr int kExitOk = 0;
inline constexpr int kExitScriptError = 1;
inline constexpr int kExitUsage = 2;  // also: the module could not be opened or refused to load

// The module beside this executable (found through /proc/self/exe), or "" when unknown.
std::string default_module_path();

// `args` excludes the program name.
int run_command_line(const std::vector<std::string>& args);

}  // namespace reaper_sim
