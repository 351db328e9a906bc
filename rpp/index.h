// Where the loaded project sits in its document: one node per track, item, take slot and source
// the host was given, which the host object's `origin` points at. A save copies an object's lines
// untouched while the object still hashes as it did when loaded, and re-reads them to rewrite
// only the fields that changed when it does not.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "rpp/document.h"
#include "sim/host.h"

namespace rpp {

struct Index;

struct TrackNode {
    const Index* index = nullptr;
    std::uint32_t open = 0, close = 0;
    std::uint32_t first_item = 0, item_count = 0;
    std::uint32_t head_end = 0;  // its first item's line, or its close
    // Its own first NAME and SEL lines, wherever among its lines (an item moved away must not
    // make a later one the track's).
    std::uint32_t name = kNone, sel = kNone;
};

struct ItemNode {
    const Index* index = nullptr;
    std::uint32_t open = 0, close = 0;
    std::uint32_t first_take = 0, take_count = 0;
    std::uint64_t hash = 0;  // of the host item's own state as loaded (hash_item_own)
    double position = 0.0;   // as loaded: an item that kept it keeps its place among the lines
};

struct TakeNode {
    const Index* index = nullptr;
    const sim::Source* loaded_source = nullptr;
    std::uint64_t hash = 0;  // of the host take as loaded (hash_take)
};

struct SourceNode {
    const Index* index = nullptr;
    std::uint32_t open = 0, close = 0;
};

// How this file writes lines that come in more than one form.
struct Format {
    std::size_t fade_fields = 0;  // 6 or 7; 0 until seen
    std::size_t mute_fields = 0;  // 1 or 2
    long long max_iid = 0;
};

// A project-level line: where it is and what the host got from it.
struct ProjectLines {
    std::uint32_t cursor = kNone, timemode = kNone, tempo = kNone, selection = kNone,
                  selection2 = kNone;
    std::uint32_t tempo_env_open = kNone, tempo_env_close = kNone;
    std::vector<std::uint32_t> tempo_points;  // PT lines of the tempo envelope
    // Each marker as read: its line and, for a region, its end line.
    struct MarkerLines {
        std::uint32_t line = kNone, end_line = kNone;
    };
    std::vector<MarkerLines> markers;
    std::uint32_t marker_after = kNone;  // where a first marker goes when the file has none
    std::uint32_t ext_state_open = kNone, ext_state_close = kNone;  // the <EXTSTATE block
};

struct Index {
    Document doc;
    Format format;
    ProjectLines project;
    std::vector<TrackNode> tracks;
    std::vector<ItemNode> items;
    std::vector<TakeNode> takes;
    std::vector<SourceNode> sources;
    sim::Project loaded;  // the project-level values as read (no tracks)
    std::uint32_t root_close = 0;
    // What the read found in each item, kept from the reading until the load builds it.
    struct ReadTake {
        bool guid_line = false;   // a GUID line of its own
        bool file_line = false;   // a FILE line in its source
        bool audio_type = false;  // that source a format REAPER decodes itself
        double section_length = -1.0;
    };
    std::vector<std::unique_ptr<sim::ItemSpec>> read_items;  // each freed once built
    std::vector<ReadTake> read_takes;
    // GUIDs made on loading for items and takes the file gave none, by node.
    std::unordered_map<const void*, std::string> made_guids;
    const std::string& made_guid(const void* node) const {
        static const std::string none;
        const auto found = made_guids.find(node);
        return found == made_guids.end() ? none : found->second;
    }

    Index();
    ~Index();
    Index(const Index&) = delete;
    Index& operator=(const Index&) = delete;

    // The node `origin` points at, in any live index; null for none.
    static const ItemNode* item_of(const void* origin);
    static const TakeNode* take_of(const void* origin);
    static const SourceNode* source_of(const void* origin);
    static const TrackNode* track_of(const void* origin);
};

// A loaded track's name and selection as its file has them.
std::string loaded_name(const TrackNode& node);
bool loaded_selected(const TrackNode& node);

// Hashes of what a save writes, equal hashes for equal lines: an item's own state (its takes'
// number and order included, their contents not), and one take's.
std::uint64_t hash_item_own(const sim::Item& item);
std::uint64_t hash_take(const sim::Take& take);
// Records the item's hashes as loaded in its node and its takes' nodes, all of `index`.
void record_loaded(Index& index, ItemNode& node, const sim::Item& item);

}  // namespace rpp
