#include "sim_table.h"

#include <cstdio>
#include <iterator>
#include <string_view>

#include "environment.h"
#include "lua_support.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

Environment& env(lua_State* L) {
    return *static_cast<Environment*>(lua_touserdata(L, lua_upvalueindex(1)));
}

sim::Host& host(lua_State* L) {
    return env(L).host();
}

[[noreturn]] void fail(std::string_view function, int arg, std::string_view expected) {
    throw ScriptError("sim." + std::string(function) + " argument " + std::to_string(arg) +
                      ": expected " + std::string(expected));
}

void* handle_arg(lua_State* L, int index, std::string_view function, std::string_view expected) {
    if (is_nil(L, index)) return nullptr;
    if (lua_type(L, index) == LUA_TNUMBER && lua_tonumber(L, index) == 0) return nullptr;
    if (lua_type(L, index) == LUA_TLIGHTUSERDATA) return lua_touserdata(L, index);
    fail(function, index, expected);
}

// nil or 0: the current project.
sim::Project* project_arg(lua_State* L, int index, std::string_view function) {
    void* h = handle_arg(L, index, function, "ReaProject");
    sim::Project* p = host(L).project(static_cast<ReaProject*>(h));
    if (p == nullptr) fail(function, index, "a live ReaProject");
    return p;
}

sim::Track* track_arg(lua_State* L, int index, std::string_view function) {
    sim::Track* t = host(L).track(
        static_cast<MediaTrack*>(handle_arg(L, index, function, "a live MediaTrack")));
    if (t == nullptr) fail(function, index, "a live MediaTrack");
    return t;
}

sim::Item* item_arg(lua_State* L, int index, std::string_view function) {
    sim::Item* i =
        host(L).item(static_cast<MediaItem*>(handle_arg(L, index, function, "a live MediaItem")));
    if (i == nullptr) fail(function, index, "a live MediaItem");
    return i;
}

int int_arg(lua_State* L, int index, std::string_view function) {
    if (auto v = to_int(L, index)) return *v;
    fail(function, index, "integer");
}

double number_arg(lua_State* L, int index, std::string_view function) {
    if (auto v = to_number(L, index)) return *v;
    fail(function, index, "number");
}

std::string text_arg(lua_State* L, int index, std::string_view function) {
    if (auto v = to_text(L, index)) return *v;
    fail(function, index, "string");
}

bool bool_arg(lua_State* L, int index, bool fallback) {
    if (is_nil(L, index)) return fallback;
    if (lua_type(L, index) == LUA_TNUMBER) return lua_tonumber(L, index) != 0;
    return lua_toboolean(L, index) != 0;
}

void require_table(lua_State* L, int index, std::string_view what) {
    if (lua_type(L, index) != LUA_TTABLE) throw ScriptError(std::string(what) + " must be a table");
}

// A source: a type name ("MP3") or a table of SourceSpec fields.
sim::SourceSpec read_source(lua_State* L, int index, std::string_view what) {
    sim::SourceSpec desc;
    if (lua_type(L, index) == LUA_TSTRING) {
        desc.type = lua_tostring(L, index);
        return desc;
    }
    require_table(L, index, what);
    if (auto v = text_field(L, index, "type", what)) desc.type = *v;
    if (auto v = text_field(L, index, "file", what)) desc.file = *v;
    if (auto v = int_field(L, index, "sample_rate", what)) desc.sample_rate = *v;
    if (auto v = int_field(L, index, "channels", what)) desc.channels = *v;
    if (auto v = int_field(L, index, "bit_depth", what)) desc.bit_depth = *v;
    if (auto v = number_field(L, index, "length", what)) desc.length = *v;
    return desc;
}

sim::TakeSpec read_take(lua_State* L, int index, std::string_view what) {
    index = lua_absindex(L, index);
    require_table(L, index, what);
    sim::TakeSpec desc;
    if (auto v = text_field(L, index, "name", what)) desc.name = *v;
    lua_pushliteral(L, "source");
    lua_rawget(L, index);
    const bool has_source = !lua_isnil(L, -1) && !(lua_isboolean(L, -1) && !lua_toboolean(L, -1));
    if (has_source) {
        // Pop the field on every path: a ScriptError must not leave it on the stack.
        try {
            desc.source = read_source(L, -1, std::string(what) + ".source");
        } catch (...) {
            lua_pop(L, 1);
            throw;
        }
    }
    lua_pop(L, 1);
    if (auto v = number_field(L, index, "start_offset", what)) desc.start_offset = *v;
    if (auto v = number_field(L, index, "vol", what)) desc.vol = *v;
    if (auto v = number_field(L, index, "pan", what)) desc.pan = *v;
    if (auto v = number_field(L, index, "rate", what)) desc.rate = *v;
    if (auto v = number_field(L, index, "pitch", what)) desc.pitch = *v;
    if (auto v = bool_field(L, index, "preserve_pitch", what)) desc.preserve_pitch = *v;
    if (auto v = int_field(L, index, "chan_mode", what)) desc.chan_mode = *v;
    if (auto v = int_field(L, index, "pitch_mode", what)) desc.pitch_mode = *v;
    return desc;
}

sim::ItemSpec read_item(lua_State* L, int index, std::string_view what) {
    index = lua_absindex(L, index);
    sim::ItemSpec desc;
    if (is_nil(L, index)) return desc;
    require_table(L, index, what);
    if (auto v = number_field(L, index, "position", what)) desc.position = *v;
    if (auto v = number_field(L, index, "length", what)) desc.length = *v;
    if (auto v = number_field(L, index, "fade_in", what)) desc.fade_in = *v;
    if (auto v = number_field(L, index, "fade_out", what)) desc.fade_out = *v;
    if (auto v = int_field(L, index, "fade_in_shape", what)) desc.fade_in_shape = *v;
    if (auto v = int_field(L, index, "fade_out_shape", what)) desc.fade_out_shape = *v;
    if (auto v = bool_field(L, index, "mute", what)) desc.mute = *v;
    if (auto v = bool_field(L, index, "loop", what)) desc.loop = *v;
    if (auto v = int_field(L, index, "lock", what)) desc.lock = *v;
    if (auto v = number_field(L, index, "vol", what)) desc.vol = *v;
    if (auto v = bool_field(L, index, "selected", what)) desc.selected = *v;
    if (auto v = int_field(L, index, "active_take", what)) desc.active_take = *v;

    lua_pushliteral(L, "take");
    lua_rawget(L, index);
    lua_pushliteral(L, "takes");
    lua_rawget(L, index);
    try {
        if (!lua_isnil(L, -2)) desc.takes.push_back(read_take(L, -2, std::string(what) + ".take"));
        if (!lua_isnil(L, -1)) {
            require_table(L, -1, std::string(what) + ".takes");
            const auto count = static_cast<lua_Integer>(lua_rawlen(L, -1));
            for (lua_Integer i = 1; i <= count; ++i) {
                lua_rawgeti(L, -1, i);
                try {
                    desc.takes.push_back(
                        read_take(L, -1, std::string(what) + ".takes[" + std::to_string(i) + "]"));
                } catch (...) {
                    lua_pop(L, 1);
                    throw;
                }
                lua_pop(L, 1);
            }
        }
    } catch (...) {
        lua_pop(L, 2);
        throw;
    }
    lua_pop(L, 2);
    return desc;
}

// ---- building ----

int current_project(lua_State* L) {
    lua_pushlightuserdata(L, sim::Host::handle(host(L).current_project()));
    return 1;
}

int add_project(lua_State* L) {
    std::string name = is_nil(L, 1) ? std::string() : text_arg(L, 1, "add_project");
    lua_pushlightuserdata(L, sim::Host::handle(host(L).add_project(std::move(name))));
    return 1;
}

int set_current_project(lua_State* L) {
    host(L).set_current_project(project_arg(L, 1, "set_current_project"));
    return 0;
}

int projects(lua_State* L) {
    const auto& all = host(L).projects();
    lua_createtable(L, static_cast<int>(all.size()), 0);
    for (std::size_t i = 0; i < all.size(); ++i) {
        lua_pushlightuserdata(L, sim::Host::handle(all[i]));
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

// sim.add_track("Drums") or sim.add_track{name = "Drums", selected = true, project = p}
int add_track(lua_State* L) {
    std::string name;
    bool selected = false;
    sim::Project* project = host(L).current_project();
    if (lua_type(L, 1) == LUA_TTABLE) {
        if (auto v = text_field(L, 1, "name", "sim.add_track")) name = *v;
        if (auto v = bool_field(L, 1, "selected", "sim.add_track")) selected = *v;
        lua_settop(L, 1);
        lua_pushliteral(L, "project");
        lua_rawget(L, 1);
        project = project_arg(L, 2, "add_track");
    } else if (!is_nil(L, 1)) {
        name = text_arg(L, 1, "add_track");
        selected = bool_arg(L, 2, false);
        if (!is_nil(L, 3)) project = project_arg(L, 3, "add_track");
    }
    sim::Track* track = host(L).add_track(project, std::move(name), selected);
    lua_pushlightuserdata(L, sim::Host::handle(track));
    return 1;
}

int delete_track(lua_State* L) {
    host(L).delete_track(track_arg(L, 1, "delete_track"));
    return 0;
}

// Closing the last project opens an empty one, as REAPER always has a project.
int close_project(lua_State* L) {
    host(L).close_project(project_arg(L, 1, "close_project"));
    return 0;
}

int add_item(lua_State* L) {
    sim::Track* track = track_arg(L, 1, "add_item");
    const sim::ItemSpec desc = read_item(L, 2, "sim.add_item options");
    lua_pushlightuserdata(L, sim::Host::handle(host(L).add_item(track, desc)));
    return 1;
}

int add_take(lua_State* L) {
    sim::Item* item = item_arg(L, 1, "add_take");
    const sim::TakeSpec desc = read_take(L, 2, "sim.add_take options");
    lua_pushlightuserdata(L, sim::Host::handle(host(L).add_take(item, desc)));
    return 1;
}

int add_source(lua_State* L) {
    const sim::SourceSpec desc = read_source(L, 1, "sim.add_source options");
    lua_pushlightuserdata(L, sim::Host::handle(host(L).add_source(desc)));
    return 1;
}

int add_media_file(lua_State* L) {
    std::string path = text_arg(L, 1, "add_media_file");
    const sim::SourceSpec desc = read_source(L, 2, "sim.add_media_file source");
    host(L).add_media_file(std::move(path), desc);
    return 0;
}

int set_frame_rate(lua_State* L) {
    const double rate = number_arg(L, 1, "set_frame_rate");
    const bool drop = bool_arg(L, 2, false);
    sim::Project* p = project_arg(L, 3, "set_frame_rate");
    p->frame_rate = rate;
    p->drop_frame = drop;
    return 0;
}

int set_play_state(lua_State* L) {
    const int state = int_arg(L, 1, "set_play_state");
    sim::Project* p = project_arg(L, 3, "set_play_state");
    p->play_state = state;
    if (!is_nil(L, 2)) p->play_position = number_arg(L, 2, "set_play_state");
    return 0;
}

int set_cursor(lua_State* L) {
    const double position = number_arg(L, 1, "set_cursor");
    project_arg(L, 2, "set_cursor")->cursor = position;
    return 0;
}

int select_item(lua_State* L) {
    host(L).set_item_selected(item_arg(L, 1, "select_item"), bool_arg(L, 2, true));
    return 0;
}

int select_track(lua_State* L) {
    host(L).set_track_selected(track_arg(L, 1, "select_track"), bool_arg(L, 2, true));
    return 0;
}

int push_message_box_answer(lua_State* L) {
    const int count = lua_gettop(L);
    if (count == 0) fail("push_message_box_answer", 1, "integer");
    for (int i = 1; i <= count; ++i)
        host(L).push_message_box_answer(int_arg(L, i, "push_message_box_answer"));
    return 0;
}

int set_sws_installed(lua_State* L) {
    host(L).set_sws_installed(bool_arg(L, 1, true));
    env(L).refresh_host_functions();
    return 0;
}

int fail_parameter_writes(lua_State* L) {
    host(L).fail_parameter_writes(text_arg(L, 1, "fail_parameter_writes"));
    return 0;
}

int hide_function(lua_State* L) {
    host(L).hide_function(text_arg(L, 1, "hide_function"));
    env(L).refresh_host_functions();
    return 0;
}

// ---- observing ----

int redraw_count(lua_State* L) {
    lua_pushinteger(L, host(L).redraw_count());
    return 1;
}

int undo_history(lua_State* L) {
    sim::Project* project =
        is_nil(L, 1) ? host(L).current_project() : project_arg(L, 1, "undo_history");
    const auto& history = env(L).session().undo(project).history;
    lua_createtable(L, static_cast<int>(history.size()), 0);
    for (std::size_t i = 0; i < history.size(); ++i) {
        lua_pushlstring(L, history[i].data(), history[i].size());
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int call_log(lua_State* L) {
    const auto& log = host(L).call_log();
    lua_createtable(L, static_cast<int>(log.size()), 0);
    for (std::size_t i = 0; i < log.size(); ++i) {
        lua_createtable(L, 0, 2);
        lua_pushlstring(L, log[i].function.data(), log[i].function.size());
        lua_setfield(L, -2, "function");
        lua_pushlstring(L, log[i].detail.data(), log[i].detail.size());
        lua_setfield(L, -2, "detail");
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int set_call_log(lua_State* L) {
    host(L).set_call_log(bool_arg(L, 1, true));
    return 0;
}

int clear_call_log(lua_State* L) {
    host(L).clear_call_log();
    return 0;
}

int calls_to(lua_State* L) {
    lua_pushinteger(L, host(L).calls_to(text_arg(L, 1, "calls_to")));
    return 1;
}

void push_strings(lua_State* L, const std::vector<std::string>& texts) {
    lua_createtable(L, static_cast<int>(texts.size()), 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        lua_pushlstring(L, texts[i].data(), texts[i].size());
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
}

int console(lua_State* L) {
    push_strings(L, host(L).console());
    return 1;
}

int misuse(lua_State* L) {
    push_strings(L, host(L).misuse());
    return 1;
}

int message_boxes(lua_State* L) {
    const auto& boxes = host(L).message_boxes();
    lua_createtable(L, static_cast<int>(boxes.size()), 0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        lua_createtable(L, 0, 3);
        lua_pushlstring(L, boxes[i].text.data(), boxes[i].text.size());
        lua_setfield(L, -2, "text");
        lua_pushlstring(L, boxes[i].title.data(), boxes[i].title.size());
        lua_setfield(L, -2, "title");
        lua_pushinteger(L, boxes[i].type);
        lua_setfield(L, -2, "type");
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    return 1;
}

int sources_created(lua_State* L) {
    lua_pushinteger(L, host(L).sources_created());
    return 1;
}

int sources_destroyed(lua_State* L) {
    lua_pushinteger(L, host(L).sources_destroyed());
    return 1;
}

int unowned_sources(lua_State* L) {
    lua_pushinteger(L, host(L).unowned_sources());
    return 1;
}

int dump_text(lua_State* L) {
    const std::string text = host(L).dump(project_arg(L, 1, "dump_text"));
    lua_pushlstring(L, text.data(), text.size());
    return 1;
}

int dump(lua_State* L) {
    const sim::Project* p = project_arg(L, 1, "dump");
    const std::string text = readable_dump(*p, p == host(L).current_project());
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    return 0;
}

const luaL_Reg functions[] = {
    {"current_project", &guarded<&current_project>},
    {"add_project", &guarded<&add_project>},
    {"set_current_project", &guarded<&set_current_project>},
    {"projects", &guarded<&projects>},
    {"add_track", &guarded<&add_track>},
    {"delete_track", &guarded<&delete_track>},
    {"close_project", &guarded<&close_project>},
    {"add_item", &guarded<&add_item>},
    {"add_take", &guarded<&add_take>},
    {"add_source", &guarded<&add_source>},
    {"add_media_file", &guarded<&add_media_file>},
    {"set_frame_rate", &guarded<&set_frame_rate>},
    {"set_play_state", &guarded<&set_play_state>},
    {"set_cursor", &guarded<&set_cursor>},
    {"select_item", &guarded<&select_item>},
    {"select_track", &guarded<&select_track>},
    {"push_message_box_answer", &guarded<&push_message_box_answer>},
    {"set_sws_installed", &guarded<&set_sws_installed>},
    {"fail_parameter_writes", &guarded<&fail_parameter_writes>},
    {"hide_function", &guarded<&hide_function>},
    {"redraw_count", &guarded<&redraw_count>},
    {"undo_history", &guarded<&undo_history>},
    {"call_log", &guarded<&call_log>},
    {"clear_call_log", &guarded<&clear_call_log>},
    {"set_call_log", &guarded<&set_call_log>},
    {"calls_to", &guarded<&calls_to>},
    {"console", &guarded<&console>},
    {"misuse", &guarded<&misuse>},
    {"message_boxes", &guarded<&message_boxes>},
    {"sources_created", &guarded<&sources_created>},
    {"sources_destroyed", &guarded<&sources_destroyed>},
    {"unowned_sources", &guarded<&unowned_sources>},
    {"dump_text", &guarded<&dump_text>},
    {"dump", &guarded<&dump>},
    {nullptr, nullptr},
};

template <class P>
double param(const P& params, std::string_view key) {
    const double* value = params.find(key);
    return value == nullptr ? 0.0 : *value;
}

std::string format(const char* pattern, auto... values) {
    char line[512];
    std::snprintf(line, sizeof line, pattern, values...);
    return line;
}

std::string describe_source(const sim::Source* source) {
    if (source == nullptr) return "(no source)";
    const sim::SourceSpec& s = source->media;
    // IsAvailable only reads, but the interface REAPER defines is not const.
    if (!const_cast<sim::Source*>(source)->IsAvailable()) return s.type + " offline";
    return format("%s %dHz %dch %dbit", s.type.c_str(), s.sample_rate, s.channels, s.bit_depth);
}

}  // namespace

void push_sim_table(lua_State* L, Environment& environment) {
    lua_createtable(L, 0, static_cast<int>(std::size(functions)));
    lua_pushlightuserdata(L, &environment);
    luaL_setfuncs(L, functions, 1);
}

std::string readable_dump(const sim::Project& project, bool current) {
    std::string out =
        format("Project \"%s\"%s: frame rate %g%s, edit cursor %.3f s, play state %d at %.3f s\n",
               project.name.c_str(), current ? " (current)" : "", project.frame_rate,
               project.drop_frame ? " drop-frame" : "", project.cursor, project.play_state,
               project.play_position);
    for (std::size_t t = 0; t < project.tracks.size(); ++t) {
        const sim::Track& track = *project.tracks[t];
        out += format("Track %zu \"%s\"%s, %zu item%s\n", t + 1, track.name.c_str(),
                      track.selected ? " (selected)" : "", track.items.size(),
                      track.items.size() == 1 ? "" : "s");
        if (track.items.empty()) continue;
        out += format("  %3s %3s %9s %9s %6s %7s %7s %4s %4s %5s  %-18s %-24s %5s\n", "#", "sel",
                      "position", "length", "vol", "fadein", "fadeout", "mute", "lock", "takes",
                      "active take", "source", "rate");
        for (std::size_t i = 0; i < track.items.size(); ++i) {
            const sim::Item& item = *track.items[i];
            const sim::Take* take =
                item.active_take >= 0 &&
                        static_cast<std::size_t>(item.active_take) < item.takes.size()
                    ? item.takes[static_cast<std::size_t>(item.active_take)]
                    : nullptr;
            out +=
                format("  %3zu %3s %9.3f %9.3f %6.3f %7.3f %7.3f %4s %4s %5zu  %-18s %-24s %5.3f\n",
                       i, item.selected() ? "*" : "", param(item.params, "D_POSITION"),
                       param(item.params, "D_LENGTH"), param(item.params, "D_VOL"),
                       param(item.params, "D_FADEINLEN"), param(item.params, "D_FADEOUTLEN"),
                       param(item.params, "B_MUTE") != 0 ? "yes" : "",
                       (static_cast<int>(param(item.params, "C_LOCK")) & 1) != 0 ? "yes" : "",
                       item.takes.size(), take != nullptr ? take->name.c_str() : "(none)",
                       describe_source(take != nullptr ? take->source : nullptr).c_str(),
                       take != nullptr ? param(take->params, "D_PLAYRATE") : 0.0);
        }
    }
    return out;
}

}  // namespace reaper_sim
