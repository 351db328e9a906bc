// Writing: the loaded document again, each object's lines copied while it is as loaded and
// rewritten field by field when it is not; new objects as REAPER writes them.
#pragma once

#include <string>

#include "rpp/index.h"

namespace rpp {

// `project` as `index` (its file) now says it; false with the reason for a value the file
// cannot hold.
// New GUIDs come from `host`.
bool render_project(const Index& index, const sim::Project& project, sim::Host* host,
                    std::string& out, Error& error);
// One item's block, indented by `indent`, lines ended by `eol`, appended to `out`.
void render_item(sim::Host* host, const sim::Item& item, std::string_view indent,
                 std::string_view eol, std::string& out);
// One track's block as a save writes it, appended to `out`: a loaded track's lines as its file
// has them (line ends and indentation included), a new one's as REAPER writes a new track.
void render_track(sim::Host* host, const sim::Track& track, std::string& out);

}  // namespace rpp
