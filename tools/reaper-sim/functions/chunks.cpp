// State chunks: an item or a track as the RPP text REAPER gives scripts, through the project files'
// writer and reader.
#include <algorithm>
#include <cstring>
#include <string>

#include "families.h"
#include "rpp/project_file.h"
#include "sim/script_functions.h"

namespace reaper_sim {

namespace {

using namespace std::string_view_literals;

// REAPER hands chunks over without indentation: scripts match "\nPOSITION", "\n>".
std::string unindented(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool line_start = true;
    for (char c : text) {
        if (line_start && (c == ' ' || c == '\t')) continue;
        out += c;
        line_start = c == '\n';
    }
    return out;
}

// A script's chunk laid out as a project file nests it, two spaces a level, so the item's lines
// go into the file as REAPER writes them whatever indentation the script kept.
std::string reindented(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    int depth = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line == ">" || line == ">\r") depth = std::max(depth - 1, 0);
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += line;
        out += '\n';
        if (!line.empty() && line.front() == '<') ++depth;
    }
    return out;
}

// The text into a NeedBig buffer of `size` bytes; too small, the host is asked for a bigger one.
bool give_text(sim::Host& host, const std::string& text, char* out, int size) {
    if (out == nullptr) return false;
    if (size < 0 || text.size() + 1 > static_cast<std::size_t>(size)) {
        host.request_buffer(text.size() + 1);
        return false;
    }
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

bool GetItemStateChunk(MediaItem* item, char* strNeedBig, int strNeedBig_sz,
                       bool /*isundoOptional*/) {
    sim::Host* host = enter("GetItemStateChunk");
    sim::Item* live = host != nullptr ? host->item(item) : nullptr;
    std::string chunk;
    if (live == nullptr || !rpp::item_chunk(*host, live, chunk)) return false;
    return give_text(*host, unindented(chunk), strNeedBig, strNeedBig_sz);
}

bool GetTrackStateChunk(MediaTrack* track, char* strNeedBig, int strNeedBig_sz,
                        bool /*isundoOptional*/) {
    sim::Host* host = enter("GetTrackStateChunk");
    sim::Track* live = host != nullptr ? host->track(track) : nullptr;
    if (live == nullptr) return false;
    // A new track's GUID is made now, so this chunk, GetTrackGUID and the save agree.
    sim::script::track_guid(host, live);
    std::string chunk;
    if (!rpp::track_chunk(*host, live, chunk)) return false;
    return give_text(*host, chunk, strNeedBig, strNeedBig_sz);
}

bool SetItemStateChunk(MediaItem* item, const char* str, bool /*isundoOptional*/) {
    sim::Host* host = enter("SetItemStateChunk");
    sim::Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr || str == nullptr) return false;
    rpp::Error error;
    if (!rpp::set_item_chunk(*host, live, reindented(str), error)) return false;
    // Cloning scripts drop the GUID lines so that REAPER makes new ones: fresh ones, then, which
    // the project file gets too.
    std::string chunk(1, '\n');  // ("\n" + text trips g++ 12's -Wrestrict at -O3)
    chunk += unindented(str);
    if (chunk.find("\nIGUID ") == std::string::npos) live->guid = host->fresh_guid();
    for (sim::Take* take : live->takes) {
        if (chunk.find("\nGUID ") == std::string::npos && take != nullptr) {
            take->guid = host->fresh_guid();
        }
    }
    return true;
}

}  // namespace

std::span<const HostFunctionRow> family_chunks() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetItemStateChunk", &GetItemStateChunk,
            "bool\0MediaItem*,char*,int,bool\0item,strNeedBig,strNeedBig_sz,isundoOptional\0The item's whole state as RPP text, from <ITEM to its closing >."sv),
        c_function("GetTrackStateChunk", &GetTrackStateChunk,
            "bool\0MediaTrack*,char*,int,bool\0track,strNeedBig,strNeedBig_sz,isundoOptional\0The track's whole state as RPP text, from <TRACK to its closing >: its own lines, FX chain, envelopes and items."sv),
        c_function("SetItemStateChunk", &SetItemStateChunk,
            "bool\0MediaItem*,const char*,bool\0item,str,isundoOptional\0Replace the item's whole state (takes, sources, FX, envelopes) with an <ITEM block; the handle and track stay, take handles are made anew."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
