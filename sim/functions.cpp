#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "sim/host.h"
#include "sim/script_functions.h"

namespace sim {

namespace {

// Every entry point starts here: the active host, with the call logged, or null without one.
Host* enter(const char* function, const char* detail = nullptr) {
    Host* host = Host::active();
    if (host != nullptr && host->logs_calls()) {
        host->log_call(function, detail != nullptr ? detail : "");
    }
    return host;
}

Item* nth_item(Project* project, int index, bool selected_only) {
    if (project == nullptr || index < 0) return nullptr;
    for (Track* track : project->tracks) {
        // As REAPER does: whole tracks are skipped, so the cost does not grow with the index.
        if (!selected_only) {
            const auto on_track = static_cast<int>(track->items.size());
            if (index < on_track) return track->items[static_cast<std::size_t>(index)];
            index -= on_track;
            continue;
        }
        for (Item* item : track->items) {
            if (!item->selected()) continue;
            if (index-- == 0) return item;
        }
    }
    return nullptr;
}

int count_items(Project* project, bool selected_only) {
    if (project == nullptr) return 0;
    int count = 0;
    for (const Track* track : project->tracks) {
        if (!selected_only) {
            count += static_cast<int>(track->items.size());
            continue;
        }
        for (const Item* item : track->items) count += item->selected() ? 1 : 0;
    }
    return count;
}

Track* nth_track(Project* project, int index, bool selected_only) {
    if (project == nullptr || index < 0) return nullptr;
    for (Track* track : project->tracks) {
        if (selected_only && !track->selected) continue;
        if (index-- == 0) return track;
    }
    return nullptr;
}

// Both stop and seek follow the play position only while the transport runs (playing, paused or
// recording): that is when GetPlayPositionEx reports it.
bool transport_running(const Project* project) {
    return project->play_state != 0;
}

}  // namespace

namespace reaper {

int plugin_register(const char* name, void* infostruct) {
    Host* host = enter("plugin_register", name);
    return host != nullptr ? host->plugin_register(name, infostruct) : 0;
}

MediaItem* GetMediaItem(ReaProject* proj, int itemidx) {
    Host* host = enter("GetMediaItem");
    if (host == nullptr) return nullptr;
    Item* item = nth_item(host->project(proj), itemidx, false);
    return item != nullptr ? Host::handle(item) : nullptr;
}

MediaItem* GetSelectedMediaItem(ReaProject* proj, int selitem) {
    Host* host = enter("GetSelectedMediaItem");
    if (host == nullptr) return nullptr;
    Item* item = nth_item(host->project(proj), selitem, true);
    return item != nullptr ? Host::handle(item) : nullptr;
}

MediaTrack* GetTrack(ReaProject* proj, int trackidx) {
    Host* host = enter("GetTrack");
    if (host == nullptr) return nullptr;
    Track* track = nth_track(host->project(proj), trackidx, false);
    return track != nullptr ? Host::handle(track) : nullptr;
}

MediaTrack* GetSelectedTrack(ReaProject* proj, int seltrackidx) {
    Host* host = enter("GetSelectedTrack");
    if (host == nullptr) return nullptr;
    Track* track = nth_track(host->project(proj), seltrackidx, true);
    return track != nullptr ? Host::handle(track) : nullptr;
}

MediaItem* GetTrackMediaItem(MediaTrack* tr, int itemidx) {
    Host* host = enter("GetTrackMediaItem");
    if (host == nullptr) return nullptr;
    Track* track = host->track(tr);
    if (track == nullptr || itemidx < 0 || itemidx >= static_cast<int>(track->items.size())) {
        return nullptr;
    }
    return Host::handle(track->items[static_cast<std::size_t>(itemidx)]);
}

int CountMediaItems(ReaProject* proj) {
    Host* host = enter("CountMediaItems");
    return host != nullptr ? count_items(host->project(proj), false) : 0;
}

int CountSelectedMediaItems(ReaProject* proj) {
    Host* host = enter("CountSelectedMediaItems");
    return host != nullptr ? count_items(host->project(proj), true) : 0;
}

int CountTrackMediaItems(MediaTrack* track) {
    Host* host = enter("CountTrackMediaItems");
    if (host == nullptr) return 0;
    Track* live = host->track(track);
    return live != nullptr ? static_cast<int>(live->items.size()) : 0;
}

int CountSelectedTracks(ReaProject* proj) {
    Host* host = enter("CountSelectedTracks");
    if (host == nullptr) return 0;
    Project* project = host->project(proj);
    if (project == nullptr) return 0;
    int count = 0;
    for (const Track* track : project->tracks) count += track->selected ? 1 : 0;
    return count;
}

int CountTracks(ReaProject* proj) {
    Host* host = enter("CountTracks");
    Project* project = host != nullptr ? host->project(proj) : nullptr;
    return project != nullptr ? static_cast<int>(project->tracks.size()) : 0;
}

MediaTrack* GetMediaItem_Track(MediaItem* item) {
    Host* host = enter("GetMediaItem_Track");
    if (host == nullptr) return nullptr;
    Item* live = host->item(item);
    return live != nullptr ? Host::handle(live->track) : nullptr;
}

ReaProject* GetItemProjectContext(MediaItem* item) {
    Host* host = enter("GetItemProjectContext");
    if (host == nullptr) return nullptr;
    Item* live = host->item(item);
    return live != nullptr ? Host::handle(live->track->project) : nullptr;
}

MediaItem_Take* GetActiveTake(MediaItem* item) {
    Host* host = enter("GetActiveTake");
    if (host == nullptr) return nullptr;
    Item* live = host->item(item);
    if (live == nullptr || live->active_take < 0 ||
        live->active_take >= static_cast<int>(live->takes.size()) ||
        (live->takes[static_cast<std::size_t>(live->active_take)]->empty &&
         live->takes[static_cast<std::size_t>(live->active_take)]->source == nullptr)) {
        return nullptr;
    }
    return Host::handle(live->takes[static_cast<std::size_t>(live->active_take)]);
}

PCM_source* GetMediaItemTake_Source(MediaItem_Take* take) {
    Host* host = enter("GetMediaItemTake_Source");
    if (host == nullptr) return nullptr;
    Take* live = host->take(take);
    return live != nullptr && live->source != nullptr ? Host::handle(live->source) : nullptr;
}

void* GetSetMediaItemTakeInfo(MediaItem_Take* tk, const char* parmname, void* setNewValue) {
    Host* host = enter("GetSetMediaItemTakeInfo", parmname);
    if (host == nullptr) return nullptr;
    Take* take = host->take(tk);
    if (take == nullptr || parmname == nullptr) return nullptr;
    const std::string_view name = parmname;
    if (name == "P_SOURCE") {
        if (setNewValue == nullptr) {
            return take->source != nullptr ? Host::handle(take->source) : nullptr;
        }
        Source* source = host->source(static_cast<PCM_source*>(setNewValue));
        if (source == nullptr || host->parameter_write_fails(name)) return nullptr;
        if (source->owner != nullptr && source->owner != take) {
            // Two takes on one source: REAPER would free it twice. Refuse and say so.
            host->record_misuse(
                "GetSetMediaItemTakeInfo: P_SOURCE given a source another take (\"" +
                source->owner->name + "\") already plays");
            return nullptr;
        }
        // The old source is the caller's to destroy; it only stops being played here.
        if (take->source != nullptr && take->source != source) take->source->owner = nullptr;
        take->source = source;
        source->owner = take;
        return setNewValue;
    }
    if (setNewValue != nullptr) return nullptr;  // the rest are read-only here
    if (name == "P_ITEM") return Host::handle(take->item);
    if (name == "P_TRACK") return Host::handle(take->item->track);
    return nullptr;
}

const char* GetTakeName(MediaItem_Take* take) {
    Host* host = enter("GetTakeName");
    if (host == nullptr) return nullptr;
    Take* live = host->take(take);
    return live != nullptr ? live->name.c_str() : nullptr;
}

void GetMediaSourceType(PCM_source* source, char* typebufOut, int typebufOut_sz) {
    Host* host = enter("GetMediaSourceType");
    if (typebufOut == nullptr || typebufOut_sz <= 0) return;
    // Whatever happens the caller gets a terminated text, never what its buffer held before.
    Source* live = host != nullptr ? host->source(source) : nullptr;
    const std::string_view type = live != nullptr ? std::string_view(live->media.type) : "";
    const std::size_t copied = std::min(type.size(), static_cast<std::size_t>(typebufOut_sz) - 1);
    std::memcpy(typebufOut, type.data(), copied);
    typebufOut[copied] = '\0';
}

int GetMediaSourceSampleRate(PCM_source* source) {
    Host* host = enter("GetMediaSourceSampleRate");
    if (host == nullptr) return 0;
    Source* live = host->source(source);
    return live != nullptr ? live->media.sample_rate : 0;
}

int GetMediaSourceNumChannels(PCM_source* source) {
    Host* host = enter("GetMediaSourceNumChannels");
    if (host == nullptr) return 0;
    Source* live = host->source(source);
    return live != nullptr ? live->media.channels : 0;
}

void PCM_Source_Destroy(PCM_source* src) {
    if (Host* host = enter("PCM_Source_Destroy")) host->destroy_source(src);
}

MediaItem* AddMediaItemToTrack(MediaTrack* tr) {
    Host* host = enter("AddMediaItemToTrack");
    if (host == nullptr) return nullptr;
    Track* track = host->track(tr);
    if (track == nullptr) return nullptr;
    ItemSpec empty;
    empty.length = 0.0;
    return Host::handle(host->add_item(track, empty));
}

MediaItem_Take* AddTakeToMediaItem(MediaItem* item) {
    Host* host = enter("AddTakeToMediaItem");
    if (host == nullptr) return nullptr;
    Item* live = host->item(item);
    return live != nullptr ? Host::handle(host->add_take(live, TakeSpec{})) : nullptr;
}

bool DeleteTrackMediaItem(MediaTrack* tr, MediaItem* it) {
    Host* host = enter("DeleteTrackMediaItem");
    if (host == nullptr) return false;
    Track* track = host->track(tr);
    Item* item = host->item(it);
    if (track == nullptr || item == nullptr || item->track != track) return false;
    host->delete_item(item);
    return true;
}

bool MoveMediaItemToTrack(MediaItem* item, MediaTrack* desttr) {
    Host* host = enter("MoveMediaItemToTrack");
    if (host == nullptr) return false;
    Item* live = host->item(item);
    Track* destination = host->track(desttr);
    if (live == nullptr || destination == nullptr) return false;
    host->move_item(live, destination);
    return true;
}

void SetMediaItemSelected(MediaItem* item, bool selected) {
    Host* host = enter("SetMediaItemSelected");
    if (host == nullptr) return;
    if (Item* live = host->item(item)) host->set_item_selected(live, selected);
}

void SetOnlyTrackSelected(MediaTrack* track) {
    Host* host = enter("SetOnlyTrackSelected");
    if (host == nullptr) return;
    Track* only = host->track(track);
    if (only == nullptr) return;
    for (Track* other : only->project->tracks) other->selected = other == only;
}

void SetTrackSelected(MediaTrack* track, bool selected) {
    Host* host = enter("SetTrackSelected");
    if (host == nullptr) return;
    if (Track* live = host->track(track)) host->set_track_selected(live, selected);
}

int InsertMedia(const char* file, int mode) {
    Host* host = enter("InsertMedia", file);
    return host != nullptr ? host->insert_media(file, mode) : 0;
}

double TimeMap_curFrameRate(ReaProject* proj, bool* dropFrameOut) {
    Host* host = enter("TimeMap_curFrameRate");
    if (host == nullptr) return 0.0;
    Project* project = host->project(proj);
    if (project == nullptr) return 0.0;
    if (dropFrameOut != nullptr) *dropFrameOut = project->drop_frame;
    return project->frame_rate;
}

int GetPlayState() {
    Host* host = enter("GetPlayState");
    return host != nullptr ? host->current_project()->play_state : 0;
}

double GetPlayPositionEx(ReaProject* proj) {
    Host* host = enter("GetPlayPositionEx");
    if (host == nullptr) return 0.0;
    Project* project = host->project(proj);
    if (project == nullptr) return 0.0;
    return transport_running(project) ? project->play_position : project->cursor;
}

double GetCursorPositionEx(ReaProject* proj) {
    Host* host = enter("GetCursorPositionEx");
    if (host == nullptr) return 0.0;
    Project* project = host->project(proj);
    return project != nullptr ? project->cursor : 0.0;
}

void SetEditCurPos2(ReaProject* proj, double time, bool /*moveview*/, bool seekplay) {
    Host* host = enter("SetEditCurPos2");
    if (host == nullptr || std::isnan(time)) return;
    Project* project = host->project(proj);
    if (project == nullptr) return;
    project->cursor = std::max(time, 0.0);
    if (seekplay && transport_running(project)) project->play_position = project->cursor;
}

void CSurf_GoEnd() {
    Host* host = enter("CSurf_GoEnd");
    if (host == nullptr) return;
    Project* project = host->current_project();
    project->cursor = project->end();
    if (transport_running(project)) project->play_position = project->cursor;
}

void UpdateArrange() {
    if (Host* host = enter("UpdateArrange")) host->redraw();
}

int ShowMessageBox(const char* msg, const char* title, int type) {
    Host* host = enter("ShowMessageBox", msg);
    return host != nullptr ? host->show_message_box(msg, title, type) : 0;
}

void ShowConsoleMsg(const char* msg) {
    if (Host* host = enter("ShowConsoleMsg", msg)) host->console_message(msg);
}

int CF_GetMediaSourceBitDepth(PCM_source* src) {
    Host* host = enter("CF_GetMediaSourceBitDepth");
    if (host == nullptr) return 0;
    Source* live = host->source(src);
    return live != nullptr ? live->media.bit_depth : 0;
}

}  // namespace reaper

namespace {

const HostFunction kHostFunctions[] = {
    QM_SIM_HOST_FUNCTION(plugin_register),
    QM_SIM_HOST_FUNCTION(GetMediaItem),
    QM_SIM_HOST_FUNCTION(GetSelectedMediaItem),
    QM_SIM_HOST_FUNCTION(GetTrack),
    QM_SIM_HOST_FUNCTION(GetSelectedTrack),
    QM_SIM_HOST_FUNCTION(GetTrackMediaItem),
    QM_SIM_HOST_FUNCTION(CountMediaItems),
    QM_SIM_HOST_FUNCTION(CountSelectedMediaItems),
    QM_SIM_HOST_FUNCTION(CountTrackMediaItems),
    QM_SIM_HOST_FUNCTION(CountSelectedTracks),
    QM_SIM_HOST_FUNCTION(CountTracks),
    QM_SIM_HOST_FUNCTION(GetMediaItem_Track),
    QM_SIM_HOST_FUNCTION(GetItemProjectContext),
    QM_SIM_HOST_FUNCTION(GetActiveTake),
    QM_SIM_HOST_FUNCTION(GetMediaItemTake_Source),
    QM_SIM_HOST_FUNCTION(GetMediaItemInfo_Value),
    QM_SIM_HOST_FUNCTION(SetMediaItemInfo_Value),
    QM_SIM_HOST_FUNCTION(GetMediaItemTakeInfo_Value),
    QM_SIM_HOST_FUNCTION(SetMediaItemTakeInfo_Value),
    QM_SIM_HOST_FUNCTION(GetSetMediaItemTakeInfo),
    QM_SIM_HOST_FUNCTION(GetSetMediaItemTakeInfo_String),
    QM_SIM_HOST_FUNCTION(GetMediaTrackInfo_Value),
    QM_SIM_HOST_FUNCTION(GetTakeName),
    QM_SIM_HOST_FUNCTION(GetMediaSourceType),
    QM_SIM_HOST_FUNCTION(GetMediaSourceSampleRate),
    QM_SIM_HOST_FUNCTION(GetMediaSourceNumChannels),
    QM_SIM_HOST_FUNCTION(PCM_Source_Destroy),
    QM_SIM_HOST_FUNCTION(AddMediaItemToTrack),
    QM_SIM_HOST_FUNCTION(AddTakeToMediaItem),
    QM_SIM_HOST_FUNCTION(DeleteTrackMediaItem),
    QM_SIM_HOST_FUNCTION(MoveMediaItemToTrack),
    QM_SIM_HOST_FUNCTION(SetMediaItemSelected),
    QM_SIM_HOST_FUNCTION(SetOnlyTrackSelected),
    QM_SIM_HOST_FUNCTION(SetTrackSelected),
    QM_SIM_HOST_FUNCTION(InsertMedia),
    QM_SIM_HOST_FUNCTION(TimeMap_curFrameRate),
    QM_SIM_HOST_FUNCTION(GetPlayState),
    QM_SIM_HOST_FUNCTION(GetPlayPositionEx),
    QM_SIM_HOST_FUNCTION(GetCursorPositionEx),
    QM_SIM_HOST_FUNCTION(SetEditCurPos2),
    QM_SIM_HOST_FUNCTION(CSurf_GoEnd),
    QM_SIM_HOST_FUNCTION(UpdateArrange),
    QM_SIM_HOST_FUNCTION(ShowMessageBox),
    QM_SIM_HOST_FUNCTION(ShowConsoleMsg),
    QM_SIM_HOST_FUNCTION(CF_GetMediaSourceBitDepth),
};

}  // namespace

// The extension's own functions first, then the script families.
const std::vector<std::span<const HostFunction>>& function_tables() {
    static const std::vector<std::span<const HostFunction>> tables = {
        kHostFunctions,     project_functions(), item_functions(), take_functions(),
        source_functions(), track_functions(),   misc_functions()};
    return tables;
}

void* host_function(std::string_view name) {
    for (std::span<const HostFunction> table : function_tables()) {
        for (const HostFunction& function : table) {
            if (name == function.name) return function.address;
        }
    }
    return nullptr;
}

const std::vector<std::string>& host_function_names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (std::span<const HostFunction> table : function_tables()) {
            for (const HostFunction& function : table) out.emplace_back(function.name);
        }
        return out;
    }();
    return names;
}

}  // namespace sim
