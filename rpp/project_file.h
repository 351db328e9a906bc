// REAPER project files (.RPP): read into the simulated host, and written back with every line the
// host does not model (and every modelled line it did not change) kept byte for byte.
//
// Modelled: the edit cursor, the frame rate, the tempo and its map, the time selection and loop
// range, markers and regions, SetProjExtState's strings (<EXTSTATE); tracks (name, selection);
// items (position, length, snap offset, loop, fades, mute, lock, selection, volume, group, colour,
// notes, GUID); take slots, empty ones included (name, pan, volume, start offset, rate, pitch,
// modes, colour, GUID, take markers, stretch markers, FX, envelopes); sources (type, file; a
// section's inner file; MIDI events). Saved: changed values in REAPER's number format in their own
// field of their own line; changed lists (markers, points, events, FX) element by element; deleted
// items without their block; moved items on their new track in position order; new tracks, items,
// takes and markers as REAPER writes them.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "sim/host.h"

namespace rpp {

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
    // unbalanced or too deeply nested blocks, a truncated file, binary data, an item outside a
    // track, a value the host models that is not a number, a malformed marker, tempo point or
    // notes block.
    static std::unique_ptr<ProjectFile> parse(std::string text, Error& error);
    ~ProjectFile();
    ProjectFile(const ProjectFile&) = delete;
    ProjectFile& operator=(const ProjectFile&) = delete;

    // Builds the file into `project`, which must hold no track, and names it `name`. Relative media
    // paths are resolved against `folder`. Once only.
    bool load(sim::Host& host, sim::Project* project, const std::string& name,
              const std::string& folder, const MediaReader& read_media, Error& error);
    // The file as the loaded project stands now.
    bool render(std::string& out, Error& error) const;

    const std::string& text() const;

    struct Impl;

private:
    ProjectFile();
    std::unique_ptr<Impl> impl_;
};

// ---- state chunks: one block as GetItemStateChunk / GetTrackStateChunk give it ----

// The item's `<ITEM` block, written as a save writes it (unindented, "\n" line ends, ending
// ">\n"). False only for a stale item.
bool item_chunk(sim::Host& host, const sim::Item* item, std::string& out);
// Replaces the item's state with the block: what it models is read into the item (takes made
// anew, so old take handles go stale), and the block's other lines are kept for the next chunk or
// save. False, nothing changed, for anything that is not one well-formed `<ITEM` block.
bool set_item_chunk(sim::Host& host, sim::Item* item, std::string_view chunk, Error& error);
// The track's `<TRACK` block as a save writes it: its own lines (GUID, FX chain, envelopes and
// every line nothing models kept verbatim), then its items. False only for a stale track.
bool track_chunk(sim::Host& host, const sim::Track* track, std::string& out);

// ---- the format's text rules (rpp/text.h has the rest) ----
std::string format_number(double value);
std::string quote(std::string_view text);

}  // namespace rpp
