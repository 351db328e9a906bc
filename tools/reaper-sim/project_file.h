// REAPER project files on disk: opened into the simulated host with their media read through
// libsndfile, and saved so that an interrupted save never leaves a half-written project.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "rpp/project_file.h"

namespace reaper_sim {

// A name ending in .RPP, in any case.
bool is_project_file(std::string_view path);

// The format of a media file, as libsndfile reads it.
rpp::MediaInfo read_media(const std::string& path);

// Reads `path` into the host's current project (which must be empty). Null and a message naming
// the file and line on failure; the host is then left without the project's tracks.
std::unique_ptr<rpp::ProjectFile> open_project_file(sim::Host& host, const std::string& path,
                                                    std::string& error);

// Writes the project to a temporary file beside `path` and renames it into place; an existing
// `path` is kept first as `path`-bak.
bool save_project_file(const rpp::ProjectFile& file, const std::string& path, std::string& error);

}  // namespace reaper_sim
