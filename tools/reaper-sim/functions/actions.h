// Actions: what the families of actions share, and the item and take edits action_items.cpp
// performs.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "families.h"
#include "host_functions.h"
#include "session.h"

namespace reaper_sim::actions {

struct Context {
    sim::Host& host;
    sim::Project& project;
    Session& session;
};

// A host function by name, wherever it is implemented; null while none is. Actions reach what
// the other families implement this way, as REAPER's actions use its own internals.
template <class F>
F* host_fn(const char* name) {
    void* address = sim::host_function(name);
    if (address == nullptr) {
        for (const HostFunctionRow& row : host_function_rows()) {
            if (std::strcmp(row.name, name) == 0) address = row.address;
        }
    }
    F* f = nullptr;
    std::memcpy(&f, &address, sizeof f);
    return f;
}

inline std::vector<sim::Item*> items_of(sim::Project& project, bool selected_only) {
    std::vector<sim::Item*> out;
    for (sim::Track* track : project.tracks) {
        for (sim::Item* item : track->items) {
            if (!selected_only || item->selected()) out.push_back(item);
        }
    }
    return out;
}

inline double start_of(const sim::Item* item) {
    return item->params.at("D_POSITION");
}
inline double end_of(const sim::Item* item) {
    return item->params.at("D_POSITION") + item->params.at("D_LENGTH");
}

inline int index_of(const sim::Project& project, const sim::Track* track) {
    const auto at = std::find(project.tracks.begin(), project.tracks.end(), track);
    return at == project.tracks.end() ? -1 : static_cast<int>(at - project.tracks.begin());
}

// In actions.cpp.
bool unselect_all_items(Context& c);
// The last-touched track if it is still there, else the first selected one, else null.
sim::Track* touched_track(Context& c);

// Item and take edits (action_items.cpp).
bool remove_items(Context& c);
bool toggle_mute_items(Context& c);
bool mute_items(Context& c);
bool crop_to_active_take(Context& c);
bool delete_active_take(Context& c);
bool move_items_down(Context& c);
bool move_items_up(Context& c);
bool crossfade_overlaps(Context& c);
bool split_at_cursor(Context& c);
bool split_at_time_selection(Context& c);
bool group_items(Context& c);
bool ungroup_items(Context& c);
bool copy_items(Context& c);
bool paste_items(Context& c);
bool heal_splits(Context& c);
bool remove_stretch_markers(Context& c);
bool add_stretch_marker_at_cursor(Context& c);
bool media_offline(Context& c);
bool media_online(Context& c);

}  // namespace reaper_sim::actions
