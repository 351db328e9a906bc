// REAPER project files (.RPP): read into the simulated host, and written back with every line the
// host does not model (and every modelled line it did not change) kept byte for byte.
//
// Loaded: tracks (name, selection), items (position, length, loop, fades, mute, lock, selection,
// volume), takes (name, pan, volume, start offset, rate, preserve-pitch, pitch, pitch mode,
// channel mode, the active take; an empty slot becomes a take without a source), sources (type,
// file; a section's inner file), the edit cursor and the frame rate. Saved: those values where
// they changed, in REAPER's number format, into their own field of their own line; deleted items
// without their block; moved items' blocks on their new track in position order; new tracks,
// items and takes as REAPER writes them, with fresh GUIDs.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/host.h"

namespace sim::rpp {

struct Error {
    std::size_t line = 0;  // 1-based; 0 when no single line is at fault
    std::string message;
};

// What a media file holds. `undecodable`: the file opens but is no audio the reader knows.
struct MediaInfo {
    enum class Status { missing, undecodable, decoded } status = Status::missing;
    int sample_rate = 0;
    int channels = 0;
    int bit_depth = 0;
    double length = 0.0;
};
// Asked once per distinct resolved path.
using MediaReader = std::function<MediaInfo(const std::string& path)>;

class ProjectFile {
public:
    // Null, with the line at fault in `error`, for anything that is not a well-formed project:
    // unbalanced blocks, a truncated file, binary data, an item outside a track, a value the host
    // models that is not a number.
    static std::unique_ptr<ProjectFile> parse(std::string text, Error& error);
    ~ProjectFile();
    ProjectFile(const ProjectFile&) = delete;
    ProjectFile& operator=(const ProjectFile&) = delete;

    // Builds the file into `project`, which must hold no track, and names it `name`. Relative media
    // paths are resolved against `folder`. Once only.
    bool load(Host& host, Project* project, const std::string& name, const std::string& folder,
              const MediaReader& read_media, Error& error);
    // The file as the loaded project stands now.
    bool render(std::string& out, Error& error) const;

    const std::string& text() const;

private:
    ProjectFile();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// ---- the format's text rules ----

// A number as REAPER writes one: at most 14 decimals, no trailing zeros, no exponent.
std::string format_number(double value);
// A string field by the writing rule: bare when it can be, else "…", '…' or `…`.
std::string quote(std::string_view text);

struct Field {
    std::string_view raw;    // as written, quotes included
    std::string_view value;  // quotes removed
};
// The fields of a line after its key, by the reading rule.
std::vector<Field> split_fields(std::string_view text);

}  // namespace sim::rpp
