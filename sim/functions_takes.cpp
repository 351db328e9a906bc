// Takes as scripts reach them: slots, the active take, parameters and strings.
#include <algorithm>
#include <cctype>
#include <cstdint>

#include "sim/script_functions.h"

namespace sim {

using script::enter;

namespace {

bool read_only(std::string_view name) {
    return name == "IP_TAKENUMBER" || name == "P_TRACK" || name == "P_ITEM" || name == "P_SOURCE" ||
           name == "I_LASTY" || name == "I_LASTH";
}

const double* read_value(const Take* take, std::string_view name) {
    if (const double* value = take->params.find(name)) return value;
    return script::read_state(take->script).params.find(name);
}

double* write_value(Take* take, std::string_view name) {
    if (double* value = take->params.find(name)) return value;
    if (script::read_state(take->script).params.find(name) == nullptr) return nullptr;
    return script::write_state(take->script).params.find(name);
}

double address(const void* p) {
    return static_cast<double>(reinterpret_cast<std::uintptr_t>(p));
}

// An empty slot holds no take a script can have.
MediaItem_Take* slot(Host* host, MediaItem* item, int index) {
    Item* live = host != nullptr ? host->item(item) : nullptr;
    if (live == nullptr || index < 0 || index >= static_cast<int>(live->takes.size())) {
        return nullptr;
    }
    Take* take = live->takes[static_cast<std::size_t>(index)];
    return take->empty ? nullptr : Host::handle(take);
}

bool ends_with_midi_extension(std::string_view file) {
    const std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string extension(file.substr(dot + 1));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "mid" || extension == "midi";
}

}  // namespace

namespace reaper {

void SetActiveTake(MediaItem_Take* take) {
    Host* host = enter("SetActiveTake");
    Take* live = host != nullptr ? host->take(take) : nullptr;
    if (live == nullptr) return;
    const auto& takes = live->item->takes;
    live->item->active_take =
        static_cast<int>(std::find(takes.begin(), takes.end(), live) - takes.begin());
}

int CountTakes(MediaItem* item) {
    Host* host = enter("CountTakes");
    Item* live = host != nullptr ? host->item(item) : nullptr;
    return live != nullptr ? static_cast<int>(live->takes.size()) : 0;
}

MediaItem_Take* GetTake(MediaItem* item, int takeidx) {
    return slot(enter("GetTake"), item, takeidx);
}

MediaItem_Take* GetMediaItemTake(MediaItem* item, int tk) {
    return slot(enter("GetMediaItemTake"), item, tk);
}

MediaItem* GetMediaItemTake_Item(MediaItem_Take* take) {
    Host* host = enter("GetMediaItemTake_Item");
    Take* live = host != nullptr ? host->take(take) : nullptr;
    return live != nullptr ? Host::handle(live->item) : nullptr;
}

bool TakeIsMIDI(MediaItem_Take* take) {
    Host* host = enter("TakeIsMIDI");
    Take* live = host != nullptr ? host->take(take) : nullptr;
    if (live == nullptr || live->source == nullptr) return false;
    const SourceSpec& media = live->source->media;
    if (media.type == "MIDI" || media.type == "MIDIPOOL") return true;
    // A section of a MIDI file holds the file's name.
    return media.type == "SECTION" && ends_with_midi_extension(media.file);
}

double GetMediaItemTakeInfo_Value(MediaItem_Take* take, const char* parmname) {
    Host* host = enter("GetMediaItemTakeInfo_Value", parmname);
    Take* live = host != nullptr ? host->take(take) : nullptr;
    if (live == nullptr || parmname == nullptr) return 0.0;
    const std::string_view name = parmname;
    if (const double* value = live->params.find(name)) return *value;
    if (name == "IP_TAKENUMBER") {
        const auto& takes = live->item->takes;
        return static_cast<double>(std::find(takes.begin(), takes.end(), live) - takes.begin());
    }
    if (name == "P_ITEM") return address(Host::handle(live->item));
    if (name == "P_TRACK") return address(Host::handle(live->item->track));
    if (name == "P_SOURCE") {
        return live->source != nullptr ? address(Host::handle(live->source)) : 0.0;
    }
    if (name == "I_CUSTOMCOLOR") return live->color;
    const double* value = read_value(live, name);
    return value != nullptr ? *value : 0.0;
}

bool SetMediaItemTakeInfo_Value(MediaItem_Take* take, const char* parmname, double newvalue) {
    Host* host = enter("SetMediaItemTakeInfo_Value", parmname);
    Take* live = host != nullptr ? host->take(take) : nullptr;
    if (live == nullptr || parmname == nullptr || host->parameter_write_fails(parmname) ||
        read_only(parmname)) {
        return false;
    }
    if (std::string_view(parmname) == "I_CUSTOMCOLOR") {
        live->color = static_cast<int>(script::stored(parmname, newvalue));
        return true;
    }
    double* value = write_value(live, parmname);
    if (value == nullptr) return false;
    *value = script::stored(parmname, newvalue);
    return true;
}

bool GetSetMediaItemTakeInfo_String(MediaItem_Take* tk, const char* parmname, char* stringNeedBig,
                                    bool setNewValue) {
    Host* host = enter("GetSetMediaItemTakeInfo_String", parmname);
    Take* take = host != nullptr ? host->take(tk) : nullptr;
    if (take == nullptr || parmname == nullptr || stringNeedBig == nullptr) return false;
    const std::string_view name = parmname;
    if (name == "P_NAME") return script::text_string(take->name, stringNeedBig, setNewValue);
    if (name == "GUID") return script::guid_string(take->guid, stringNeedBig, setNewValue);
    const std::string_view key = script::ext_key(name);
    if (setNewValue)
        return script::set_ext(script::write_state(take->script).ext, key, stringNeedBig);
    return script::get_ext(script::read_state(take->script).ext, key, stringNeedBig);
}

MediaItem_Take* GetMediaItemTakeByGUID(ReaProject* project, const GUID* guid) {
    Host* host = enter("GetMediaItemTakeByGUID");
    Project* live = host != nullptr ? host->project(project) : nullptr;
    if (live == nullptr || guid == nullptr) return nullptr;
    const std::string wanted = script::guid_text(*guid);
    for (Track* track : live->tracks) {
        for (Item* item : track->items) {
            for (Take* take : item->takes) {
                if (!take->empty && take->guid == wanted) return Host::handle(take);
            }
        }
    }
    return nullptr;
}

}  // namespace reaper

std::span<const HostFunction> take_functions() {
    static const HostFunction functions[] = {
        QM_SIM_HOST_FUNCTION(SetActiveTake),
        QM_SIM_HOST_FUNCTION(CountTakes),
        QM_SIM_HOST_FUNCTION(GetTake),
        QM_SIM_HOST_FUNCTION(GetMediaItemTake),
        QM_SIM_HOST_FUNCTION(GetMediaItemTake_Item),
        QM_SIM_HOST_FUNCTION(TakeIsMIDI),
        QM_SIM_HOST_FUNCTION(GetMediaItemTakeByGUID),
    };
    return functions;
}

}  // namespace sim
