// Items as scripts reach them: parameters, strings, splitting, positions and the track's order.
#include <algorithm>
#include <cstdint>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace {

// Read through the Info functions, never written.
bool read_only(std::string_view name) {
    return name == "IP_ITEMNUMBER" || name == "P_TRACK" || name == "I_LASTY" || name == "I_LASTH" ||
           name == "C_LANEPLAYS" || name == "B_FIXEDLANE_HIDDEN";
}

double* stored_value(Item* item, std::string_view name) {
    if (double* value = item->params.find(name)) return value;
    return item->script_params.find(name);
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
    if (name == "I_CURTAKE") return live->active_take;
    if (name == "IP_ITEMNUMBER") return index_on_track(live);
    if (name == "P_TRACK") {
        return static_cast<double>(reinterpret_cast<std::uintptr_t>(Host::handle(live->track)));
    }
    // Pixel positions and lanes: nothing is drawn and no track has fixed lanes here.
    const double* value = stored_value(live, name);
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
    double* value = read_only(name) ? nullptr : stored_value(live, name);
    if (value == nullptr) return false;
    *value = script::stored(name, newvalue);
    // One mute flag behind two names; writing B_MUTE also drops a solo override.
    if (name == "B_MUTE") {
        live->params["B_MUTE_ACTUAL"] = *value;
        live->script_params["C_MUTE_SOLO"] = 0.0;
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
    return script::ext_string(live->ext, script::ext_key(parmname), stringNeedBig, setNewValue);
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
    // Quarter notes need the project's tempo map, which the simulated project does not hold.
    if (live == nullptr || (qnInOptional != nullptr && *qnInOptional)) return nullptr;
    if (!std::isfinite(starttime) || !std::isfinite(endtime) || endtime <= starttime) {
        return nullptr;
    }
    ItemSpec spec;
    spec.position = starttime;
    spec.length = endtime - starttime;
    spec.loop = false;
    TakeSpec take;
    take.source = SourceSpec{"MIDI", "", 0, 0, 0, endtime - starttime};
    spec.takes.push_back(take);
    return Host::handle(host->add_item(live, spec));
}

MediaItem* SplitMediaItem(MediaItem* item, double position) {
    Host* host = enter("SplitMediaItem");
    Item* left = host != nullptr ? host->item(item) : nullptr;
    if (left == nullptr) return nullptr;
    const double start = left->params["D_POSITION"];
    const double end = start + left->params["D_LENGTH"];
    if (!(position > start && position < end)) return nullptr;

    Item* right = host->add_item(left->track, ItemSpec{});
    right->params = left->params;
    right->script_params = left->script_params;
    right->ext = left->ext;
    right->params["D_POSITION"] = position;
    right->params["D_LENGTH"] = end - position;
    right->params["D_FADEINLEN"] = 0.0;
    right->script_params["D_FADEINLEN_AUTO"] = 0.0;
    left->params["D_LENGTH"] = position - start;
    left->params["D_FADEOUTLEN"] = 0.0;
    left->script_params["D_FADEOUTLEN_AUTO"] = 0.0;
    // The right part follows the left one on the track.
    auto& items = left->track->items;
    items.pop_back();
    items.insert(std::find(items.begin(), items.end(), left) + 1, right);

    for (const Take* whole : left->takes) {
        Take* part = host->add_take(right, TakeSpec{});
        part->name = whole->name;
        part->params = whole->params;
        part->script_params = whole->script_params;
        part->ext = whole->ext;
        part->params["D_STARTOFFS"] += (position - start) * whole->params.at("D_PLAYRATE");
        if (whole->source != nullptr) {
            part->source = static_cast<Source*>(whole->source->Duplicate());
            if (part->source != nullptr) part->source->owner = part;
        }
    }
    right->active_take = left->active_take;
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
    };
    return functions;
}

}  // namespace sim
