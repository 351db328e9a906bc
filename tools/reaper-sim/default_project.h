// The project `reaper-sim run` builds when no --project file is given. It is a setup script like
// any --project file, so what it builds is readable and reproducible by hand.
#pragma once

#include <string_view>

namespace reaper_sim {

std::string_view default_project_script();

}  // namespace reaper_sim
