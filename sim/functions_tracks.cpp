// Tracks as scripts reach them: parameters, strings, names, folders, insertion and deletion.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace script {

int track_number(const Track* track) {
    const auto& tracks = track->project->tracks;
    const auto found = std::find(tracks.begin(), tracks.end(), track);
    return found == tracks.end() ? 0 : static_cast<int>(found - tracks.begin()) + 1;
}

const std::string& track_guid(Host* host, Track* track) {
    if (track->guid.empty()) track->guid = host->fresh_guid();
    return track->guid;
}

}  // namespace script

namespace {

// Read-only names whose values only a drawn or playing REAPER has: pixels, meters, freezes.
bool drawn_only(std::string_view name) {
    static constexpr std::string_view names[] = {"B_RECMON_IN_EFFECT",
                                                 "I_WNDH",
                                                 "I_TCPH",
                                                 "I_TCPY",
                                                 "I_TCPSCREENY",
                                                 "I_MCPW",
                                                 "I_MCPH",
                                                 "I_MCPX",
                                                 "I_MCPY",
                                                 "I_MCPSCREENX",
                                                 "I_FREEZECOUNT"};
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

double address(const void* p) {
    return static_cast<double>(reinterpret_cast<std::uintptr_t>(p));
}

Track* parent_of(Track* track) {
    std::vector<Track*> folders;
    for (Track* t : track->project->tracks) {
        if (t == track) return folders.empty() ? nullptr : folders.back();
        const int depth = static_cast<int>(t->params.at("I_FOLDERDEPTH"));
        if (depth > 0) folders.push_back(t);
        for (long long closed = depth; closed < 0 && !folders.empty(); ++closed) folders.pop_back();
    }
    return nullptr;
}

// A razor area: a time range on the track itself (empty GUID) or on one of its envelopes,
// optionally limited to a band of fixed lanes (top and bottom from 0 to 1).
struct RazorArea {
    double start = 0.0;
    double end = 0.0;
    std::string guid;
    std::optional<std::pair<double, double>> band;
};

// The next field of a razor text: a number, or a quoted or bare word.
std::optional<std::string> next_field(std::string_view& text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    if (text.front() == '"') {
        const std::size_t close = text.find('"', 1);
        if (close == std::string_view::npos) return std::nullopt;
        std::string field(text.substr(1, close - 1));
        text.remove_prefix(close + 1);
        return field;
    }
    const std::size_t blank = std::min(text.find(' '), text.size());
    std::string field(text.substr(0, blank));
    text.remove_prefix(blank);
    return field;
}

std::optional<double> number_of(const std::optional<std::string>& field) {
    if (!field || field->empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(field->c_str(), &end);
    if (*end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}

// P_RAZOREDITS: `start end "guid"` triples; P_RAZOREDITS_EXT: comma-separated
// `start end [guid top bottom]`.
std::optional<std::vector<RazorArea>> parse_razor(std::string_view text, bool ext) {
    std::vector<RazorArea> areas;
    while (true) {
        std::string_view entry = text;
        if (ext) {
            const std::size_t comma = text.find(',');
            entry = text.substr(0, comma);
            text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        }
        auto first = next_field(entry);
        if (!first) {
            if (!ext) break;
            if (text.empty()) break;
            return std::nullopt;
        }
        RazorArea area;
        const auto start = number_of(first);
        const auto end = number_of(next_field(entry));
        if (!start || !end || *end < *start) return std::nullopt;
        area.start = *start;
        area.end = *end;
        auto guid = next_field(entry);
        if (!ext && !guid) return std::nullopt;
        if (guid) {
            area.guid = *guid;
            if (ext) {
                const auto top = number_of(next_field(entry));
                const auto bottom = number_of(next_field(entry));
                if (!top || !bottom) return std::nullopt;
                area.band = std::pair{*top, *bottom};
                if (next_field(entry)) return std::nullopt;
            }
        }
        areas.push_back(std::move(area));
        if (ext && text.empty()) break;
        if (!ext) text = entry;
    }
    return areas;
}

std::string razor_number(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14f", v);
    return text;
}

std::string render_razor(const std::vector<RazorArea>& areas, bool ext) {
    std::string out;
    for (const RazorArea& area : areas) {
        if (!out.empty()) out += ext ? "," : " ";
        out += razor_number(area.start) + " " + razor_number(area.end);
        if (!ext) {
            out += " \"" + area.guid + "\"";
        } else if (area.band || !area.guid.empty()) {
            // An envelope's area spans its whole height unless a band was given.
            const auto [top, bottom] = area.band.value_or(std::pair{0.0, 1.0});
            out += " \"" + area.guid + "\" " + razor_number(top) + " " + razor_number(bottom);
        }
    }
    return out;
}

bool razor_string(Track* track, bool ext, char* buffer, bool set) {
    std::string& kept = track->strings["P_RAZOREDITS_EXT"];
    if (!set) {
        const auto areas = parse_razor(kept, true);
        script::copy_out(areas ? render_razor(*areas, ext) : std::string(), buffer);
        return true;
    }
    const auto areas = parse_razor(buffer, ext);
    if (!areas) return false;
    kept = render_razor(*areas, true);
    return true;
}

Track* insert_track(Host* host, Project* project, int idx) {
    if (project == nullptr) return nullptr;
    Track* track = host->add_track(project);
    auto& tracks = project->tracks;
    const int at = std::clamp(idx, 0, static_cast<int>(tracks.size()) - 1);
    tracks.pop_back();
    tracks.insert(tracks.begin() + at, track);
    return track;
}

}  // namespace

namespace reaper {

int GetNumTracks() {
    Host* host = enter("GetNumTracks");
    return host != nullptr ? static_cast<int>(host->current_project()->tracks.size()) : 0;
}

double GetMediaTrackInfo_Value(MediaTrack* tr, const char* parmname) {
    Host* host = enter("GetMediaTrackInfo_Value", parmname);
    Track* track = host != nullptr ? host->track(tr) : nullptr;
    if (track == nullptr || parmname == nullptr) return 0.0;
    const std::string_view name = parmname;
    if (name == "P_PROJECT") return address(Host::handle(track->project));
    if (name == "P_PARTRACK") {
        Track* parent = parent_of(track);
        return parent != nullptr ? address(Host::handle(parent)) : 0.0;
    }
    if (name == "I_SELECTED") return track->selected ? 1.0 : 0.0;
    if (name == "IP_TRACKNUMBER") return script::track_number(track);
    const double* value = track->params.find(name);
    return value != nullptr ? *value : 0.0;
}

bool SetMediaTrackInfo_Value(MediaTrack* tr, const char* parmname, double newvalue) {
    Host* host = enter("SetMediaTrackInfo_Value", parmname);
    Track* track = host != nullptr ? host->track(tr) : nullptr;
    if (track == nullptr || parmname == nullptr || host->parameter_write_fails(parmname)) {
        return false;
    }
    const std::string_view name = parmname;
    if (name == "I_SELECTED") {
        host->set_track_selected(track, script::stored(name, newvalue) != 0.0);
        return true;
    }
    double* value = drawn_only(name) ? nullptr : track->params.find(name);
    if (value == nullptr) return false;
    *value = script::stored(name, newvalue);
    return true;
}

bool GetSetMediaTrackInfo_String(MediaTrack* tr, const char* parmname, char* stringNeedBig,
                                 bool setNewValue) {
    Host* host = enter("GetSetMediaTrackInfo_String", parmname);
    Track* track = host != nullptr ? host->track(tr) : nullptr;
    if (track == nullptr || parmname == nullptr || stringNeedBig == nullptr) return false;
    const std::string_view name = parmname;
    if (name == "P_NAME") {
        if (setNewValue) {
            track->name = stringNeedBig;
        } else {
            script::copy_out(track->name, stringNeedBig);
        }
        return true;
    }
    if (name == "GUID") {
        script::track_guid(host, track);
        return script::guid_string(track->guid, stringNeedBig, setNewValue);
    }
    if (name == "P_RAZOREDITS" || name == "P_RAZOREDITS_EXT") {
        return razor_string(track, name == "P_RAZOREDITS_EXT", stringNeedBig, setNewValue);
    }
    if (name == "P_ICON" || name == "P_MCP_LAYOUT" || name == "P_TCP_LAYOUT") {
        std::string& kept = track->strings[std::string(name)];
        if (setNewValue) {
            kept = stringNeedBig;
        } else {
            script::copy_out(kept, stringNeedBig);
        }
        return true;
    }
    const std::string_view key = script::ext_key(name);
    if (key.empty()) return false;
    if (setNewValue) return script::set_ext(track->strings, name, stringNeedBig);
    return script::get_ext(track->strings, name, stringNeedBig);
}

bool GetTrackName(MediaTrack* track, char* bufOut, int bufOut_sz) {
    Host* host = enter("GetTrackName");
    Track* live = host != nullptr ? host->track(track) : nullptr;
    if (live == nullptr || bufOut == nullptr || bufOut_sz <= 0) return false;
    const std::string name =
        live->name.empty() ? "Track " + std::to_string(script::track_number(live)) : live->name;
    script::copy_out(name, bufOut, static_cast<std::size_t>(bufOut_sz));
    return true;
}

MediaTrack* GetParentTrack(MediaTrack* track) {
    Host* host = enter("GetParentTrack");
    Track* live = host != nullptr ? host->track(track) : nullptr;
    Track* parent = live != nullptr ? parent_of(live) : nullptr;
    return parent != nullptr ? Host::handle(parent) : nullptr;
}

bool IsTrackVisible(MediaTrack* track, bool mixer) {
    Host* host = enter("IsTrackVisible");
    Track* live = host != nullptr ? host->track(track) : nullptr;
    if (live == nullptr) return false;
    return live->params.at(mixer ? "B_SHOWINMIXER" : "B_SHOWINTCP") != 0.0;
}

int CSurf_TrackToID(MediaTrack* track, bool mcpView) {
    Host* host = enter("CSurf_TrackToID");
    Track* live = host != nullptr ? host->track(track) : nullptr;
    if (live == nullptr) return -1;
    if (!mcpView) return script::track_number(live);
    // In the mixer's numbering only the tracks it shows count.
    if (live->params.at("B_SHOWINMIXER") == 0.0) return -1;
    int id = 0;
    for (const Track* t : live->project->tracks) {
        if (t->params.at("B_SHOWINMIXER") != 0.0) ++id;
        if (t == live) break;
    }
    return id;
}

void InsertTrackAtIndex(int idx, bool /*wantDefaults*/) {
    Host* host = enter("InsertTrackAtIndex");
    if (host != nullptr) insert_track(host, host->current_project(), idx);
}

void InsertTrackInProject(ReaProject* proj, int idx, int /*flags*/) {
    Host* host = enter("InsertTrackInProject");
    if (host != nullptr) insert_track(host, host->project(proj), idx);
}

void DeleteTrack(MediaTrack* tr) {
    Host* host = enter("DeleteTrack");
    if (host == nullptr) return;
    if (Track* live = host->track(tr)) host->delete_track(live);
}

void TrackList_AdjustWindows(bool /*isMinor*/) {
    if (Host* host = enter("TrackList_AdjustWindows")) host->redraw();
}

GUID* GetTrackGUID(MediaTrack* tr) {
    Host* host = enter("GetTrackGUID");
    Track* live = host != nullptr ? host->track(tr) : nullptr;
    if (live == nullptr) return nullptr;
    live->guid_value = script::guid_value(script::track_guid(host, live));
    return &live->guid_value;
}

}  // namespace reaper

std::span<const HostFunction> track_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(GetNumTracks),
        QM_SIM_HOST_FUNCTION(SetMediaTrackInfo_Value),
        QM_SIM_HOST_FUNCTION(GetSetMediaTrackInfo_String),
        QM_SIM_HOST_FUNCTION(GetTrackName),
        QM_SIM_HOST_FUNCTION(GetParentTrack),
        QM_SIM_HOST_FUNCTION(IsTrackVisible),
        QM_SIM_HOST_FUNCTION(CSurf_TrackToID),
        QM_SIM_HOST_FUNCTION(InsertTrackAtIndex),
        QM_SIM_HOST_FUNCTION(InsertTrackInProject),
        QM_SIM_HOST_FUNCTION(DeleteTrack),
        QM_SIM_HOST_FUNCTION(TrackList_AdjustWindows),
        QM_SIM_HOST_FUNCTION(GetTrackGUID),
    };
    return functions;
}

}  // namespace sim
