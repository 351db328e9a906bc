// Actions: the Main-section action IDs item scripts run, performed on the simulated project as
// REAPER performs them. An ID this table lacks, or one whose effect needs what the simulation does
// not have (the mouse, audio analysis, rendering), does nothing and is reported once on stderr.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <set>

#include "actions.h"

namespace reaper_sim {

namespace actions {

// ---- the actions ----

bool unselect_all_items(Context& c) {
    for (sim::Item* item : items_of(c.project, true)) c.host.set_item_selected(item, false);
    return true;
}

bool select_all_items(Context& c) {
    for (sim::Item* item : items_of(c.project, false)) c.host.set_item_selected(item, true);
    return true;
}

bool unselect_all_tracks(Context& c) {
    for (sim::Track* track : c.project.tracks) track->selected = false;
    return true;
}

bool first_selected_track_last_touched(Context& c) {
    for (sim::Track* track : c.project.tracks) {
        if (track->selected) {
            c.session.last_touched = track;
            break;
        }
    }
    return true;
}

bool cursor_to_items_start(Context& c) {
    const auto selected = items_of(c.project, true);
    if (selected.empty()) return true;
    double start = std::numeric_limits<double>::infinity();
    for (const sim::Item* item : selected) start = std::min(start, start_of(item));
    c.project.cursor = start;
    return true;
}

bool time_selection_to_items(Context& c) {
    const auto selected = items_of(c.project, true);
    if (selected.empty()) return true;
    sim::TimeRange range{std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity()};
    for (const sim::Item* item : selected) {
        range.start = std::min(range.start, start_of(item));
        range.end = std::max(range.end, end_of(item));
    }
    c.project.time_selection = range;
    return true;
}

bool remove_time_selection(Context& c) {
    c.project.time_selection = {};
    return true;
}

bool select_items_in_time_selection(Context& c) {
    const sim::TimeRange range = c.project.time_selection;
    if (range.end <= range.start) return true;
    for (sim::Track* track : c.project.tracks) {
        if (!track->selected) continue;
        for (sim::Item* item : track->items) {
            if (start_of(item) < range.end && end_of(item) > range.start) {
                c.host.set_item_selected(item, true);
            }
        }
    }
    return true;
}

bool select_groups(Context& c) {
    std::set<int> groups;
    for (const sim::Item* item : items_of(c.project, true)) {
        if (item->group != 0) groups.insert(item->group);
    }
    for (sim::Item* item : items_of(c.project, false)) {
        if (groups.count(item->group) != 0) c.host.set_item_selected(item, true);
    }
    return true;
}

sim::Track* touched_track(Context& c) {
    sim::Track* touched = c.session.last_touched;
    if (touched != nullptr && c.host.track(sim::Host::handle(touched)) != nullptr &&
        touched->project == &c.project) {
        return touched;
    }
    for (sim::Track* track : c.project.tracks) {
        if (track->selected) return track;
    }
    return nullptr;
}

// After the last-touched track (at the end without one), selected and touched.
bool insert_track(Context& c) {
    using Fn = void(int, bool);
    Fn* insert = host_fn<Fn>("InsertTrackAtIndex");
    if (insert == nullptr || &c.project != c.host.current_project()) return false;
    const sim::Track* after = touched_track(c);
    const int at = after != nullptr ? index_of(c.project, after) + 1
                                    : static_cast<int>(c.project.tracks.size());
    insert(at, true);
    if (at >= static_cast<int>(c.project.tracks.size())) return true;
    sim::Track* added = c.project.tracks[static_cast<std::size_t>(at)];
    for (sim::Track* track : c.project.tracks) track->selected = track == added;
    c.session.last_touched = added;
    return true;
}

bool play_stop(Context& c) {
    if (c.project.play_state != 0) {
        c.project.play_state = 0;
    } else {
        c.project.play_state = 1;
        c.project.play_position = c.project.cursor;
    }
    return true;
}

bool clear_razor_edits(Context& c) {
    using Fn = bool(MediaTrack*, const char*, char*, bool);
    Fn* set = host_fn<Fn>("GetSetMediaTrackInfo_String");
    if (set == nullptr) return false;
    for (sim::Track* track : c.project.tracks) {
        char none[1] = {'\0'};
        set(sim::Host::handle(track), "P_RAZOREDITS", none, true);
    }
    return true;
}

// Grid lines a half note apart (two quarter notes).
bool grid_to_half(Context& c) {
    c.project.grid_division = 2.0;
    return true;
}

bool display_only(Context&) {
    return true;
}

}  // namespace actions

namespace {

using namespace actions;
using namespace std::string_view_literals;

// ---- the table ----

struct Action {
    int id;
    const char* name;
    bool (*perform)(Context&);
    bool undo;  // adds an undo point named after the action (outside an undo block)
};

// Options whose toggle state the action flips, sets or clears.
struct OptionAction {
    int id;
    int option;
    int value;  // -1 flips
};
constexpr OptionAction kOptionActions[] = {
    {1156, 1156, -1},   {1157, 1157, -1},  {40041, 40041, -1}, {41117, 41117, -1},
    {41120, 41117, 1},  {41121, 41117, 0}, {40912, 40912, -1}, {41194, 41194, -1},
    {40145, 40145, -1}, {1068, 1068, -1},
};

// clang-format off
const Action kActions[] = {
    {40289, "Item: Unselect (clear selection of) all items", &unselect_all_items, true},
    {40297, "Track: Unselect (clear selection of) all tracks", &unselect_all_tracks, true},
    {40914, "Track: Set first selected track as last touched track", &first_selected_track_last_touched, false},
    {40034, "Item grouping: Select all items in groups", &select_groups, true},
    {40698, "Edit: Copy items", &copy_items, false},
    {40290, "Time selection: Set time selection to items", &time_selection_to_items, false},
    {41173, "Item navigation: Move cursor to start of items", &cursor_to_items_start, false},
    {40058, "Item: Paste items/tracks (old-style handling of hidden tracks)", &paste_items, true},
    {40635, "Time selection: Remove (unselect) time selection", &remove_time_selection, false},
    {40032, "Item grouping: Group items", &group_items, true},
    {40131, "Take: Crop to active take in items", &crop_to_active_take, true},
    {41059, "Item: Crossfade any overlapping items", &crossfade_overlaps, true},
    {42398, "Item: Paste items/tracks", &paste_items, true},
    {40129, "Take: Delete active take from items", &delete_active_take, true},
    {40061, "Item: Split items at time selection", &split_at_time_selection, true},
    {40757, "Item: Split items at edit cursor (no change selection)", &split_at_cursor, true},
    {40441, "Peaks: Rebuild peaks for selected items", &display_only, false},
    {40718, "Item: Select all items on selected tracks in current time selection", &select_items_in_time_selection, true},
    {40913, "Track: Vertical scroll selected tracks into view", &display_only, false},
    {40006, "Item: Remove items", &remove_items, true},
    {40044, "Transport: Play/stop", &play_stop, false},
    {40182, "Item: Select all items", &select_all_items, true},
    {40697, "Remove items/tracks/envelope points (depending on focus)", &remove_items, true},
    {40175, "Item properties: Toggle mute", &toggle_mute_items, true},
    {40118, "Item edit: Move items/envelope points down one track/a bit", &move_items_down, true},
    {40117, "Item edit: Move items/envelope points up one track/a bit", &move_items_up, true},
    {40001, "Track: Insert new track", &insert_track, true},
    {40033, "Item grouping: Remove items from group", &ungroup_items, true},
    {40719, "Item properties: Mute", &mute_items, true},
    {42406, "Razor edit: Clear all areas", &clear_razor_edits, true},
    {40548, "Item: Heal splits in items", &heal_splits, true},
    {41844, "Item: Remove all stretch markers", &remove_stretch_markers, true},
    {41842, "Item: Add stretch marker at cursor", &add_stretch_marker_at_cursor, true},
    {40100, "Item: Set all media offline", &media_offline, false},
    {40101, "Item: Set all media online", &media_online, false},
    {40780, "Grid: Set to 1/2", &grid_to_half, false},
};
// clang-format on

// Actions scripts run that need the mouse, audio analysis, rendering or an undo snapshot.
// clang-format off
constexpr std::pair<int, const char*> kUnsimulated[] = {
    {40514, "View: Move edit cursor to mouse cursor (no snapping)"},
    {41110, "Track: Select track under mouse"},
    {40528, "Item: Select item under mouse cursor"},
    {40029, "Edit: Undo"},
    {41588, "Item: Glue items"},
    {40375, "Item navigation: Move cursor to next transient in items"},
    {41995, "Move edit cursor to nearest zero crossing in items"},
};
// clang-format on

void report(Session& session, int command, const char* why) {
    if (!session.reported_actions.insert(command).second) return;
    std::string name;
    for (const auto& [id, known] : kUnsimulated) {
        if (id == command) name = std::string(" (") + known + ")";
    }
    for (const Action& action : kActions) {
        if (action.id == command) name = std::string(" (") + action.name + ")";
    }
    std::fprintf(stderr, "reaper-sim: action %d%s %s; it did nothing\n", command, name.c_str(),
                 why);
}

void perform(const char* function, int command, ReaProject* proj) {
    sim::Host* host = enter(function);
    Session* session = Session::active();
    sim::Project* project = host != nullptr ? host->project(proj) : nullptr;
    if (project == nullptr || session == nullptr || command == 0) return;
    for (const OptionAction& option : kOptionActions) {
        if (option.id != command) continue;
        int& state = session->toggles[option.option];
        state = option.value < 0 ? 1 - state : option.value;
        return;
    }
    for (const Action& action : kActions) {
        if (action.id != command) continue;
        Context context{*host, *project, *session};
        if (!action.perform(context)) {
            report(*session, command, "needs what reaper-sim does not simulate yet");
            return;
        }
        if (action.undo) session->add_undo_point(project, action.name);
        return;
    }
    report(*session, command, "is not simulated by reaper-sim");
}

void Main_OnCommand(int command, int /*flag*/) {
    perform("Main_OnCommand", command, nullptr);
}

void Main_OnCommandEx(int command, int /*flag*/, ReaProject* proj) {
    perform("Main_OnCommandEx", command, proj);
}

// No extension actions exist here; a numeric string names that action.
int NamedCommandLookup(const char* command_name) {
    enter("NamedCommandLookup", command_name);
    if (command_name == nullptr || *command_name == '\0') return 0;
    char* end = nullptr;
    const long id = std::strtol(command_name, &end, 10);
    return *end == '\0' && id > 0 && id <= std::numeric_limits<int>::max() ? static_cast<int>(id)
                                                                           : 0;
}

int toggle_state(int section_id, int command_id) {
    Session* session = Session::active();
    if (session == nullptr) return -1;
    if (section_id == 0 || section_id == 100) {
        const auto found = session->toggles.find(command_id);
        if (found != session->toggles.end()) return found->second;
    }
    const auto script = session->script_toggles.find({section_id, command_id});
    return script != session->script_toggles.end() ? script->second : -1;
}

int GetToggleCommandState(int command_id) {
    enter("GetToggleCommandState");
    return toggle_state(0, command_id);
}

int GetToggleCommandStateEx(int section_id, int command_id) {
    enter("GetToggleCommandStateEx");
    return toggle_state(section_id, command_id);
}

// Only a ReaScript action's state can be set: here, the running script's.
bool SetToggleCommandState(int section_id, int command_id, int state) {
    enter("SetToggleCommandState");
    Session* session = Session::active();
    if (session == nullptr || section_id != kScriptSection || command_id != kScriptCommandId) {
        return false;
    }
    session->script_toggles[{section_id, command_id}] = state;
    return true;
}

void RefreshToolbar2(int /*section_id*/, int /*command_id*/) {
    enter("RefreshToolbar2");
}

}  // namespace

std::span<const HostFunctionRow> family_actions() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("Main_OnCommand", &Main_OnCommand,
            "void\0int,int\0command,flag\0Run a Main-section action by its command ID."sv),
        c_function("Main_OnCommandEx", &Main_OnCommandEx,
            "void\0int,int,ReaProject*\0command,flag,proj\0Run a Main-section action by its command ID in a project."sv),
        c_function("NamedCommandLookup", &NamedCommandLookup,
            "int\0const char*\0command_name\0The command ID of a named command; 0 when unknown."sv),
        c_function("GetToggleCommandState", &GetToggleCommandState,
            "int\0int\0command_id\0An action's on/off state: 1 on, 0 off, -1 none."sv),
        c_function("GetToggleCommandStateEx", &GetToggleCommandStateEx,
            "int\0int,int\0section_id,command_id\0An action's on/off state in a section: 1 on, 0 off, -1 none."sv),
        c_function("SetToggleCommandState", &SetToggleCommandState,
            "bool\0int,int,int\0section_id,command_id,state\0Set the on/off state shown for a script's action; false for other actions."sv),
        c_function("RefreshToolbar2", &RefreshToolbar2,
            "void\0int,int\0section_id,command_id\0Redraw the toolbar buttons of an action."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
