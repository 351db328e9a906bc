// Items as scripts reach them: parameters, strings, splitting, positions and the track's order.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace {

// Read through the Info functions, never written.
bool read_only(std::string_view name) {
    return name == "IP_ITEMNUMBER" || name == "P_TRACK" || name == "I_LASTY" || name == "I_LASTH" ||
           name == "C_LANEPLAYS" || name == "B_FIXEDLANE_HIDDEN";
}

// REAPER's own list spells this one with a trailing colon.
std::string_view script_name(std::string_view name) {
    return name == "C_AUTOSTRETCH:" ? std::string_view("C_AUTOSTRETCH") : name;
}

const double* read_value(const Item* item, std::string_view name) {
    if (const double* value = item->params.find(name)) return value;
    return script::read_state(item->script).params.find(script_name(name));
}

double* write_value(Item* item, std::string_view name) {
    if (double* value = item->params.find(name)) return value;
    name = script_name(name);
    if (script::read_state(item->script).params.find(name) == nullptr) return nullptr;
    return script::write_state(item->script).params.find(name);
}

// The item's values kept as fields of their own.
double* field_value(Item* item, std::string_view name, double& scratch) {
    if (name == "D_SNAPOFFSET") return &item->snap_offset;
    if (name == "I_GROUPID")
        scratch = item->group;
    else if (name == "I_CUSTOMCOLOR")
        scratch = item->color;
    else
        return nullptr;
    return &scratch;
}

bool set_field(Item* item, std::string_view name, double value) {
    if (name == "D_SNAPOFFSET")
        item->snap_offset = value;
    else if (name == "I_GROUPID")
        item->group = static_cast<int>(value);
    else if (name == "I_CUSTOMCOLOR")
        item->color = static_cast<int>(value);
    else
        return false;
    return true;
}

int index_on_track(const Item* item) {
    const auto& items = item->track->items;
    return static_cast<int>(std::find(items.begin(), items.end(), item) - items.begin());
}

}  // namespace

namespace reaper {

double GetMediaItemInfo_Value(MediaItem* item, const char* parmname) {
    Host* host = enter("GetMediaItemInfo_Value", parmname);
    Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr || parmname == nullptr) return 0.0;
    const std::string_view name = parmname;
    // The names the extension reads come first: they are the common case.
    if (const double* value = live->params.find(name)) return *value;
    if (name == "I_CURTAKE") return live->active_take;
    if (name == "IP_ITEMNUMBER") return index_on_track(live);
    if (name == "P_TRACK") {
        return static_cast<double>(reinterpret_cast<std::uintptr_t>(Host::handle(live->track)));
    }
    double scratch = 0.0;
    if (const double* field = field_value(live, name, scratch)) return *field;
    // Pixel positions and lanes: nothing is drawn and no track has fixed lanes here.
    const double* value = read_value(live, name);
    return value != nullptr ? *value : 0.0;
}

}  // namespace reaper

namespace {

bool set_value(Host* host, MediaItem* item, const char* parmname, double newvalue) {
    Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr || parmname == nullptr || host->parameter_write_fails(parmname)) {
        return false;
    }
    const std::string_view name = parmname;
    if (name == "I_CURTAKE") {
        const double index = script::stored(name, newvalue);
        if (index < 0 || index >= static_cast<double>(live->takes.size())) return false;
        live->active_take = static_cast<int>(index);
        return true;
    }
    if (set_field(live, name, script::stored(name, newvalue))) return true;
    double* value = read_only(name) ? nullptr : write_value(live, name);
    if (value == nullptr) return false;
    *value = script::stored(name, newvalue);
    // One mute flag behind two names; writing B_MUTE also drops a solo override.
    if (name == "B_MUTE") {
        live->params["B_MUTE_ACTUAL"] = *value;
        if (live->script) live->script->params["C_MUTE_SOLO"] = 0.0;
    } else if (name == "B_MUTE_ACTUAL") {
        live->params["B_MUTE"] = *value;
    }
    return true;
}

}  // namespace

namespace reaper {

bool SetMediaItemInfo_Value(MediaItem* item, const char* parmname, double newvalue) {
    return set_value(enter("SetMediaItemInfo_Value", parmname), item, parmname, newvalue);
}

bool GetSetMediaItemInfo_String(MediaItem* item, const char* parmname, char* stringNeedBig,
                                bool setNewValue) {
    Host* host = enter("GetSetMediaItemInfo_String", parmname);
    Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr || parmname == nullptr || stringNeedBig == nullptr) return false;
    const std::string_view name = parmname;
    if (name == "P_NOTES") return script::text_string(live->notes, stringNeedBig, setNewValue);
    if (name == "GUID") return script::guid_string(live->guid, stringNeedBig, setNewValue);
    const std::string_view key = script::ext_key(name);
    if (setNewValue)
        return script::set_ext(script::write_state(live->script).ext, key, stringNeedBig);
    return script::get_ext(script::read_state(live->script).ext, key, stringNeedBig);
}

MediaTrack* GetMediaItemTrack(MediaItem* item) {
    Host* host = enter("GetMediaItemTrack");
    Item* live = host != nullptr ? host->item(item) : nullptr;
    return live != nullptr ? Host::handle(live->track) : nullptr;
}

int GetTrackNumMediaItems(MediaTrack* tr) {
    Host* host = enter("GetTrackNumMediaItems");
    Track* live = host != nullptr ? host->track(tr) : nullptr;
    return live != nullptr ? static_cast<int>(live->items.size()) : 0;
}

MediaItem* CreateNewMIDIItemInProj(MediaTrack* track, double starttime, double endtime,
                                   const bool* qnInOptional) {
    Host* host = enter("CreateNewMIDIItemInProj");
    Track* live = host != nullptr ? host->track(track) : nullptr;
    if (live == nullptr) return nullptr;
    if (qnInOptional != nullptr && *qnInOptional) {
        const Tempo& tempo = live->project->tempo;
        starttime = tempo.qn_to_time(starttime);
        endtime = tempo.qn_to_time(endtime);
    }
    if (!std::isfinite(starttime) || !std::isfinite(endtime) || endtime <= starttime) {
        return nullptr;
    }
    ItemSpec wanted;
    wanted.position = starttime;
    wanted.length = endtime - starttime;
    wanted.loop = false;
    TakeSpec take;
    SourceSpec midi;
    midi.type = "MIDI";
    midi.sample_rate = 0;
    midi.channels = 0;
    midi.bit_depth = 0;
    midi.length = endtime - starttime;
    take.source = midi;
    wanted.takes.push_back(take);
    return Host::handle(host->add_item(live, wanted));
}

MediaItem* SplitMediaItem(MediaItem* item, double position) {
    Host* host = enter("SplitMediaItem");
    Item* left = host != nullptr ? host->item(item) : nullptr;
    if (left == nullptr) return nullptr;
    const double start = left->params["D_POSITION"];
    const double end = start + left->params["D_LENGTH"];
    if (!(position > start && position < end)) return nullptr;
    const double cut = position - start;

    Item* right = host->copy_item(left, left->track);
    right->script = script::copy_state(left->script);
    right->params["D_POSITION"] = position;
    right->params["D_LENGTH"] = end - position;
    right->params["D_FADEINLEN"] = 0.0;
    if (right->script) right->script->params["D_FADEINLEN_AUTO"] = 0.0;
    right->snap_offset = std::max(left->snap_offset - cut, 0.0);
    left->params["D_LENGTH"] = cut;
    left->params["D_FADEOUTLEN"] = 0.0;
    if (left->script) left->script->params["D_FADEOUTLEN_AUTO"] = 0.0;
    left->snap_offset = std::min(left->snap_offset, cut);
    // The right part follows the left one on the track.
    auto& items = left->track->items;
    items.pop_back();
    items.insert(std::find(items.begin(), items.end(), left) + 1, right);

    for (std::size_t k = 0; k < left->takes.size(); ++k) {
        Take* whole = left->takes[k];
        Take* part = right->takes[k];
        part->script = script::copy_state(whole->script);
        const double rate = whole->params.at("D_PLAYRATE");
        const double source_cut = whole->params.at("D_STARTOFFS") + cut * rate;
        part->params["D_STARTOFFS"] = source_cut;
        // Markers go to the part that plays them.
        std::erase_if(whole->markers,
                      [&](const TakeMarker& m) { return m.source_position >= source_cut; });
        std::erase_if(part->markers,
                      [&](const TakeMarker& m) { return m.source_position < source_cut; });
        std::erase_if(whole->stretch_markers,
                      [&](const StretchMarker& m) { return m.position >= cut; });
        std::erase_if(part->stretch_markers,
                      [&](const StretchMarker& m) { return m.position < cut; });
        for (StretchMarker& m : part->stretch_markers) m.position -= cut;
    }
    return Host::handle(right);
}

bool SetMediaItemPosition(MediaItem* item, double position, bool refreshUI) {
    Host* host = enter("SetMediaItemPosition");
    const bool ok = set_value(host, item, "D_POSITION", position);
    if (ok && refreshUI) host->redraw();
    return ok;
}

bool SetMediaItemLength(MediaItem* item, double length, bool refreshUI) {
    Host* host = enter("SetMediaItemLength");
    const bool ok = set_value(host, item, "D_LENGTH", length);
    if (ok && refreshUI) host->redraw();
    return ok;
}

void UpdateItemInProject(MediaItem* item) {
    Host* host = enter("UpdateItemInProject");
    Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr) return;
    auto& items = live->track->items;
    std::stable_sort(items.begin(), items.end(), [](const Item* a, const Item* b) {
        return a->params.at("D_POSITION") < b->params.at("D_POSITION");
    });
}

int GetDisplayedMediaItemColor(MediaItem* item) {
    Host* host = enter("GetDisplayedMediaItemColor");
    Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr) return 0;
    constexpr int kUsed = 0x1000000;
    const int active = live->active_take;
    if (active >= 0 && active < static_cast<int>(live->takes.size())) {
        const Take* take = live->takes[static_cast<std::size_t>(active)];
        if (!take->empty && (take->color & kUsed) != 0) return take->color;
    }
    if ((live->color & kUsed) != 0) return live->color;
    const int track = static_cast<int>(live->track->params.at("I_CUSTOMCOLOR"));
    return (track & kUsed) != 0 ? track : 0;
}

}  // namespace reaper

namespace {

enum NudgeWhat { kPosition = 0, kLeftTrim = 1, kRightEdge = 3, kContents = 4, kEditCursor = 6 };

// `value` in seconds for the units the simulated project can measure (milliseconds, seconds,
// samples at the project rate, frames, the item's length); nothing for grid, note, bar, pixel
// and selection units.
std::optional<double> nudge_seconds(const Project& project, int units, double value,
                                    const Item* item) {
    const auto per = [&](double rate) -> std::optional<double> {
        if (!(rate > 0.0) || !std::isfinite(rate)) return std::nullopt;
        return value / rate;
    };
    switch (units) {
        case 0:
            return value / 1000.0;
        case 1:
            return value;
        case 17:
            return per(project.settings.at("PROJECT_SRATE"));
        case 18:
            return per(project.frame_rate);
        case 20:
            if (item == nullptr) return std::nullopt;
            return value * item->params.at("D_LENGTH");
        default:
            return std::nullopt;
    }
}

bool nudge_item(Item* item, int what, bool set, double seconds) {
    Parameters<kItemParameters>& p = item->params;
    const double start = p["D_POSITION"];
    const double end = start + p["D_LENGTH"];
    switch (what) {
        case kPosition:
            p["D_POSITION"] = set ? seconds : start + seconds;
            return true;
        case kLeftTrim: {
            const double left = set ? seconds : start + seconds;
            if (!(left < end)) return false;  // no trim past the right edge
            for (Take* take : item->takes) {
                take->params["D_STARTOFFS"] += (left - start) * take->params.at("D_PLAYRATE");
            }
            p["D_POSITION"] = left;
            p["D_LENGTH"] = end - left;
            return true;
        }
        case kRightEdge: {
            const double right = set ? seconds : end + seconds;
            if (!(right > start)) return false;
            p["D_LENGTH"] = right - start;
            return true;
        }
        case kContents:
            if (set) return false;
            for (Take* take : item->takes) {
                take->params["D_STARTOFFS"] -= seconds * take->params.at("D_PLAYRATE");
            }
            return true;
        default:
            return false;
    }
}

}  // namespace

namespace reaper {

bool ApplyNudge(ReaProject* project, int nudgeflag, int nudgewhat, int nudgeunits, double value,
                bool reverse, int /*copies*/) {
    Host* host = enter("ApplyNudge");
    Project* live = host != nullptr ? host->project(project) : nullptr;
    // Snapping needs the grid, duplicating REAPER's duplicate placement: neither is simulated.
    if (live == nullptr || (nudgeflag & 2) != 0 || !std::isfinite(value)) return false;
    const bool set = (nudgeflag & 1) != 0;
    if (reverse && !set) value = -value;
    if (nudgewhat == kEditCursor) {
        const auto seconds = nudge_seconds(*live, nudgeunits, value, nullptr);
        if (!seconds) return false;
        live->cursor = std::max(set ? *seconds : live->cursor + *seconds, 0.0);
        return true;
    }
    if (nudgewhat != kPosition && nudgewhat != kLeftTrim && nudgewhat != kRightEdge &&
        nudgewhat != kContents) {
        return false;
    }
    std::vector<Item*> selected;
    for (Track* track : live->tracks) {
        for (Item* item : track->items) {
            if (item->selected()) selected.push_back(item);
        }
    }
    bool any = false;
    for (Item* item : selected) {
        const auto seconds = nudge_seconds(*live, nudgeunits, value, item);
        if (!seconds) return any;
        any = nudge_item(item, nudgewhat, set, *seconds) || any;
    }
    return any;
}

}  // namespace reaper

std::span<const HostFunction> item_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(GetSetMediaItemInfo_String),
        QM_SIM_HOST_FUNCTION(GetMediaItemTrack),
        QM_SIM_HOST_FUNCTION(GetTrackNumMediaItems),
        QM_SIM_HOST_FUNCTION(CreateNewMIDIItemInProj),
        QM_SIM_HOST_FUNCTION(SplitMediaItem),
        QM_SIM_HOST_FUNCTION(SetMediaItemPosition),
        QM_SIM_HOST_FUNCTION(SetMediaItemLength),
        QM_SIM_HOST_FUNCTION(UpdateItemInProject),
        QM_SIM_HOST_FUNCTION(GetDisplayedMediaItemColor),
        QM_SIM_HOST_FUNCTION(ApplyNudge),
    };
    return functions;
}

}  // namespace sim
