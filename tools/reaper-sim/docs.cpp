#include "docs.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace reaper_sim {
namespace {

// Only what a family's name cannot tell: its heading, its title, a note on what it does, and
// what its false or nil means (with this build's rules: refused input and refused writes are
// false). Everything else comes from the registered definition texts.
struct FamilyEntry {
    const char* key;
    const char* group;
    const char* title;
    const char* note;  // may be empty
    const char* failure;
};

constexpr const char* kNoItem = "`false`: no item at that index; the outputs are not written.";
constexpr const char* kNoItemOrRefused =
    "`false`: no item at that index (nothing changed, no redraw), or REAPER refused the write "
    "(the arrange view is redrawn all the same).";
constexpr const char* kNotFiniteOrRefused =
    "`false`: no item at that index or a number that is not finite (nothing changed, no "
    "redraw), or REAPER refused the write (redrawn all the same).";

constexpr std::array<FamilyEntry, 39> kFamilies{{
    {"GetSelect", "Item lookup", "Look up an item",
     "`mediaTypeID` 0 counts among all items (or tracks), 1 among the selected ones; on a "
     "track, `itemID` counts every item, selected or not.",
     "`nil`: no item at that index, or `mediaTypeID` is neither 0 nor 1."},
    {"GetTypeCount", "Media type counts", "Count items by source type",
     "`allCount` is every item in scope, `typeCount` those whose active take plays a source of "
     "`mediaType` (letters compared without case; \"WAV\" also counts \"WAVE\"; \"\" counts "
     "all).",
     "Always `true` from a script (a track that does not exist counts 0 items); `false` only "
     "for a null text or output from another extension."},
    {"GetBitRate", "Source formats", "Bit depth",
     "The bit depth of the active take's source, as the SWS extension reports it.",
     "`false`: no item at that index, or the SWS extension is not installed (the user is then "
     "asked whether to open its web page); the output is not written."},
    {"GetSampleRate", "Source formats", "Sample rate",
     "Of the active take's source, in samples per second.", kNoItem},
    {"GetNumChannels", "Source formats", "Channels as played",
     "The source's channel count under the take's channel mode: a mono source gives 1, modes "
     "2 to 66 give 1, modes 67 and above give 2.",
     kNoItem},
    {"GetChannelMode", "Source formats", "Read the channel mode",
     "The active take's channel mode: 0 normal, 1 reverse stereo, 2 downmix, 3 left, 4 right, "
     "higher values pick channels.",
     kNoItem},
    {"SetChannelMode", "Source formats", "Set the channel mode",
     "Stored as given; the arrange view is redrawn.", kNoItemOrRefused},
    {"GetName", "Take name and mute", "Read the take name",
     "The active take's name, cut at its first full stop that has something after it on its "
     "line: `Vocals.take2.wav` reads `Vocals`.",
     "`false`: no item at that index, or the item has no active take; the name is not "
     "written."},
    {"SetName", "Take name and mute", "Rename the take",
     "Stored as given, at most 1023 bytes, never cut inside a UTF-8 character; nothing is "
     "redrawn.",
     "`false`: no item at that index, no active take, or REAPER refused the name."},
    {"GetMute", "Take name and mute", "Read the mute state", "", kNoItem},
    {"SetMute", "Take name and mute", "Mute or unmute", "The arrange view is redrawn.",
     kNoItemOrRefused},
    {"GetStartTimeSeconds", "Item timing", "Start time in seconds", "", kNoItem},
    {"GetStartTimeFrame", "Item timing", "Start time in frames",
     "In video frames of the project's frame rate (the item's own project in the item form), "
     "truncated; a whole frame written reads back unchanged.",
     "`false`: no item at that index, a frame rate that is not a positive number, or a frame "
     "number that does not fit an integer; the output is not written."},
    {"SetStartTimeSeconds", "Item timing", "Move to a time in seconds", "Nothing is redrawn.",
     "`false`: no item at that index, a time that is not finite (or, in the item form, "
     "negative), or REAPER refused the write."},
    {"SetStartTimeFrame", "Item timing", "Move to a frame",
     "A fractional frame places the item between frames; nothing is redrawn.",
     "`false`: no item at that index, a frame that is not finite (or, in the item form, "
     "negative), a frame rate that is not a positive number, or REAPER refused the write."},
    {"GetLength", "Item timing", "Length in seconds", "", kNoItem},
    {"GetEndTime", "Item timing", "End time in seconds", "Start time plus length.", kNoItem},
    {"GetFade", "Fades", "Read the fades",
     "Shapes (REAPER's numbering, 0 = linear) and lengths in seconds rounded to 2 places, "
     "fade-in first.",
     kNoItem},
    {"SetFade", "Fades", "Set the fades",
     "Shapes and lengths in seconds, fade-in first; the arrange view is redrawn once.",
     "`false`: no item at that index or a length that is not finite (nothing changed, no "
     "redraw), or REAPER refused one of the four writes (all attempted, redrawn once)."},
    {"GetVolume", "Volume", "Read the volume in dB",
     "The item's own volume, rounded to 2 places; a silent item reads `-inf` with `true`.",
     kNoItem},
    {"SetVolume", "Volume", "Set the volume in dB", "The arrange view is redrawn.",
     kNotFiniteOrRefused},
    {"SetAddVolume", "Volume", "Change the volume by dB",
     "The offset is added to the unrounded level; the arrange view is redrawn.",
     kNotFiniteOrRefused},
    {"GetPitch", "Pitch and play rate", "Read the pitch", "The active take's pitch in semitones.",
     kNoItem},
    {"SetPitch", "Pitch and play rate", "Set the pitch",
     "In semitones; the arrange view is redrawn.", kNotFiniteOrRefused},
    {"SetAddPitch", "Pitch and play rate", "Shift the pitch",
     "By semitones; the arrange view is redrawn.", kNotFiniteOrRefused},
    {"GetRate", "Pitch and play rate", "Read the play rate",
     "The active take's play rate; 1 is normal speed.", kNoItem},
    {"SetRate", "Pitch and play rate", "Set the play rate",
     "The item's length and both fades are rescaled so that it plays the same material; the "
     "arrange view is redrawn once.",
     "`false`: no item at that index, or a new or current rate that is not a positive finite "
     "number (nothing changed, no redraw), or REAPER refused one of the length, rate and fade "
     "writes (all attempted, redrawn once)."},
    {"Delete", "Deleting, selecting and moving items", "Delete an item", "",
     "`false`: no item at that index (nothing deleted, no redraw), or REAPER refused the "
     "deletion (redrawn all the same)."},
    {"DeleteAll", "Deleting, selecting and moving items", "Delete a set of items",
     "Every item of the project, of the selection, of a track or of a selected track; the "
     "arrange view is redrawn once.",
     "`false`: there was nothing to delete (no redraw), or a single deletion failed (all "
     "attempted, redrawn once)."},
    {"SetSelected", "Deleting, selecting and moving items", "Select or deselect an item",
     "The arrange view is redrawn.", "`false`: no item at that index; nothing changed."},
    {"SetAllSelected", "Deleting, selecting and moving items", "Select or deselect every item",
     "The arrange view is redrawn once per item.",
     "Always `true`, also for a project without items."},
    {"SetMoveToTrack", "Deleting, selecting and moving items", "Move to another track",
     "`moveTrackID` counts all tracks of the project, also in the selected-track form.",
     "`false`: no item at that index, `moveTrackID` names no track, or REAPER refused the move; "
     "nothing is redrawn then."},
    {"SetActiveTakeCopy", "Active-take copy", "Copy the active take into a new item",
     "On track `setTrackID` (counting all tracks) at `setPosition` seconds; the new item gets "
     "the source item's length, fades, mute, loop, lock and volume, and one take that plays "
     "its own copy of the source.",
     "`false`: no item at that index, `setTrackID` names no track, a position that is not "
     "finite, no active take or source, or REAPER refused the copy; the project is left as it "
     "was."},
    {"InsertOutItem", "Inserting media files", "Insert a file where REAPER puts it",
     "Returns the new item; afterwards the item selection is the earlier one plus the new item.",
     "`nil`: the file could not be inserted; the item selection is as it was."},
    {"InsertSecond", "Inserting media files", "Insert a file at a time",
     "On the track, `setSecond` seconds from the project start (`startEndType` 0) or from its "
     "end (any other value; negative is before the end). Returns the new item; the item and "
     "track selections are restored (plus the new item), the edit cursor stays moved.",
     "`nil`: no track at that index or a time that is not finite (nothing moved or selected), "
     "or the file could not be inserted (selections restored, the edit cursor stays moved)."},
    {"InsertFrame", "Inserting media files", "Insert a file at a frame",
     "As at a time, with `setFrame` in video frames of the project's frame rate.",
     "`nil`: no track at that index or a frame rate that is not a positive number (nothing "
     "moved or selected), or the file could not be inserted (selections restored, the edit "
     "cursor stays moved)."},
    {"GetPlayCursorPosition", "Play cursor", "Read the cursor position",
     "The play position while the transport runs, otherwise the edit cursor, in seconds.",
     "Always `true` from a script; `false` only for a null output from another extension."},
    {"SetPlayCursorPosition", "Play cursor", "Move the edit cursor",
     "To `setPos` seconds from the project start (`startEndType` 0) or from its end (any other "
     "value); reports the cursor position afterwards.",
     "`false`: a time that is not finite; the cursor does not move."},
    {"SetPlayCursorPositionFrame", "Play cursor", "Move the edit cursor to a frame",
     "To `setFrame` frames from the project start (`startEndType` 0) or from its end; reports "
     "the frame aimed at.",
     "`false`: a frame rate that is not a positive number (the cursor does not move), or the "
     "frame aimed at does not fit an integer."},
}};

constexpr std::string_view kOtherGroup = "Other functions";

// How a name designates its item, longest first so that no form hides a longer one.
constexpr std::array<std::string_view, 9> kForms{
    "MediaSelectedTrackId", "SelectedTrackMedia", "TrackItemMedia",
    "MediaTrackItem",       "SelectedMedia",      "MediaTrackId",
    "TrackMedia",           "MediaItem",          "Media"};
constexpr std::array<std::string_view, 4> kVerbs{"Delete", "Insert", "Get", "Set"};

bool starts_with(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool ends_with(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

const ParamDef* first_returned(const FunctionDef& def) {
    for (const ParamDef& p : def.params) {
        if (def.returned(p)) return &p;
    }
    return nullptr;
}

// A family no entry knows is still described, from what its definition says it returns.
std::string failure_by_shape(const FunctionDef& def) {
    if (def.result.type == ValueType::Handle) return "`nil`: nothing was found or made.";
    if (def.result.type != ValueType::Bool) return "See the help text.";
    if (first_returned(def) != nullptr) {
        return "`false`: nothing was found or read; the outputs are not written.";
    }
    return "`false`: nothing was found, an argument was refused, or REAPER refused the change.";
}

bool is_lua_keyword(std::string_view s) {
    static const std::set<std::string_view> keywords{
        "and",      "break",  "do",   "else", "elseif", "end",  "false", "for",
        "function", "goto",   "if",   "in",   "local",  "nil",  "not",   "or",
        "repeat",   "return", "then", "true", "until",  "while"};
    return keywords.count(s) != 0;
}

// A definition's parameter name as a Lua identifier.
std::string lua_name(std::string_view name) {
    std::string out;
    for (char c : name) {
        const bool word =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        out.push_back(word ? c : '_');
    }
    if (out.empty() || (out[0] >= '0' && out[0] <= '9') || is_lua_keyword(out)) out += '_';
    return out;
}

struct Value {
    std::string type;  // Lua type
    std::string name;
    bool optional = false;
};

// What a script passes and what it gets back, named as a script would name them: the result
// `ok` (or `item`), each output without its `Out`.
struct LuaShape {
    std::vector<Value> args;
    std::vector<Value> results;
};

LuaShape lua_shape(const FunctionDef& def) {
    LuaShape shape;
    std::set<std::string> taken;
    for (const ParamDef& p : def.params) {
        if (def.visible(p)) {
            shape.args.push_back({lua_type_name(p.type), lua_name(p.name), p.optional});
            taken.insert(shape.args.back().name);
        }
    }
    if (def.result.type != ValueType::Void) {
        std::string name = "retval";
        if (def.result.type == ValueType::Bool) {
            name = "ok";
        } else if (def.result.type == ValueType::Handle) {
            name = lua_type_name(def.result);
            if (starts_with(name, "Media")) name = name.substr(5);
            if (name[0] >= 'A' && name[0] <= 'Z') name[0] = static_cast<char>(name[0] - 'A' + 'a');
        }
        if (taken.count(name) != 0) name = "retval";
        shape.results.push_back({lua_type_name(def.result), lua_name(name), false});
        taken.insert(shape.results.back().name);
    }
    for (const ParamDef& p : def.params) {
        if (!def.returned(p)) continue;
        std::string_view stem = p.name;
        for (std::string_view tail : {"Optional", "NeedBig", "InOut", "Out"}) {
            if (ends_with(stem, tail) && stem.size() > tail.size()) stem.remove_suffix(tail.size());
        }
        std::string name = lua_name(stem);
        if (taken.count(name) != 0) name = lua_name(p.name);
        shape.results.push_back({lua_type_name(p.type), name, false});
        taken.insert(name);
    }
    return shape;
}

std::string join_values(const std::vector<Value>& values, bool typed) {
    std::string out;
    for (const Value& v : values) {
        if (!out.empty()) out += ", ";
        if (typed) out += (v.optional ? "optional " : "") + v.type + " ";
        out += v.name;
    }
    return out;
}

// `text` as a Markdown code span, whatever backticks it holds.
std::string code_span(std::string_view text) {
    std::size_t longest = 0;
    for (std::size_t run = 0, i = 0; i < text.size(); ++i) {
        run = text[i] == '`' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const std::string fence(longest + 1, '`');
    const bool pad = !text.empty() && (text.front() == '`' || text.back() == '`');
    return fence + (pad ? " " : "") + std::string(text) + (pad ? " " : "") + fence;
}

// GitHub's heading anchors: lower case, blanks to hyphens, other punctuation dropped.
std::string anchor(std::string_view heading) {
    std::string out;
    for (char c : heading) {
        if (c >= 'A' && c <= 'Z') {
            out.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            out.push_back(c);
        } else if (c == ' ') {
            out.push_back('-');
        }
    }
    return out;
}

// Families in registration order, each with its members, grouped under their headings in the
// order the groups first appear.
struct Section {
    std::string group;
    std::vector<std::pair<Family, std::vector<const FunctionDef*>>> families;
};

std::vector<Section> sections(const std::vector<FunctionDef>& functions) {
    std::vector<Section> out;
    std::map<std::string, std::pair<std::size_t, std::size_t>> where;  // key -> section, family
    for (const FunctionDef& def : functions) {
        Family family = family_of(def);
        auto found = where.find(family.key);
        if (found == where.end()) {
            auto section = std::find_if(out.begin(), out.end(),
                                        [&](const Section& s) { return s.group == family.group; });
            if (section == out.end()) section = out.insert(out.end(), Section{family.group, {}});
            const std::size_t s = static_cast<std::size_t>(section - out.begin());
            found = where.emplace(family.key, std::make_pair(s, section->families.size())).first;
            section->families.emplace_back(std::move(family), std::vector<const FunctionDef*>{});
        }
        out[found->second.first].families[found->second.second].second.push_back(&def);
    }
    return out;
}

// Help texts go into comments and code spans, which end at a line break.
std::string one_line(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '\n', ' ');
    std::replace(out.begin(), out.end(), '\r', ' ');
    return out;
}

std::string product_title(const DocsSource& source) {
    return source.product + (source.version.empty() ? "" : " " + source.version);
}

std::string lua_definitions_file(const DocsSource& source) {
    return source.product + ".lua";
}

}  // namespace

std::string family_key(std::string_view name) {
    if (starts_with(name, "QM_")) name.remove_prefix(3);
    for (std::string_view verb : kVerbs) {
        if (!starts_with(name, verb)) continue;
        std::string_view rest = name.substr(verb.size());
        std::string key(verb);
        if (starts_with(rest, "All")) {
            key += "All";
            rest.remove_prefix(3);
        }
        for (std::string_view form : kForms) {
            if (starts_with(rest, form)) return key + std::string(rest.substr(form.size()));
        }
        break;
    }
    return std::string(name);
}

Family family_of(const FunctionDef& def) {
    Family family;
    family.key = family_key(def.name);
    for (const FamilyEntry& e : kFamilies) {
        if (family.key == e.key) {
            family.group = e.group;
            family.title = e.title;
            family.note = e.note;
            family.failure = e.failure;
            family.known = true;
            return family;
        }
    }
    family.group = kOtherGroup;
    family.title = family.key;
    family.failure = failure_by_shape(def);
    return family;
}

std::string lua_call(const FunctionDef& def) {
    const LuaShape shape = lua_shape(def);
    const std::string call = "reaper." + def.name + "(" + join_values(shape.args, false) + ")";
    if (shape.results.empty()) return call;
    return "local " + join_values(shape.results, false) + " = " + call;
}

std::string api_reference(const DocsSource& source) {
    const std::vector<Section> parts = sections(source.functions);
    std::string md;
    md += "# " + product_title(source) + ": script API reference\n\n";
    md += "<!-- Generated by `reaper-sim docs` from the definitions " + source.module +
          " registers. Do not edit: run `build/reaper-sim docs docs`. -->\n\n";
    md += std::to_string(source.functions.size()) + " functions, registered by `" + source.module +
          "` for ReaScript as `reaper.QM_*` and for other extensions through "
          "`GetFunc(\"QM_...\")`. Lua editors get completion and type checks from `" +
          lua_definitions_file(source) + "` beside this file (see the README).\n\n";
    md +=
        "## Reading this reference\n\n"
        "- Most families have five members that differ only in how the item is named: the item "
        "handle (`item`), its index among all items of a project (`projID, itemID`), among the "
        "selected items (`projID, selectItemID`), on a track (`projID, trackID, trackItemID`), "
        "or on a selected track (`projID, selectTrackID, trackItemID`). Indices count from 0; "
        "`0` or `nil` as the project means the current project.\n"
        "- The item form uses its handle as given; \"no item at that index\" in a family's "
        "`false` line is about the index forms.\n"
        "- Outputs (parameters ending in `Out`) are not passed: they come back after the result, "
        "in order. When the result is `false` they are not written and come back as `0`, "
        "`false` or `\"\"`.\n"
        "- A number that is NaN or infinite is refused: `false` (or `nil`), nothing changed. So "
        "is a null pointer for an output, a buffer or a text from another extension.\n"
        "- A change that REAPER refuses is reported as `false`.\n"
        "- Each block shows the call as a script writes it, its types, the C signature for "
        "other extensions (the native symbol is the name without `QM_`, with C++ linkage) and "
        "the help text REAPER shows.\n\n";
    md += "## Contents\n\n";
    for (const Section& s : parts) {
        md += "- [" + s.group + "](#" + anchor(s.group) + ")\n";
        for (const auto& [family, members] : s.families) {
            md += "  - [" + family.title + "](#" + anchor(family.title) + ")\n";
        }
    }
    for (const Section& s : parts) {
        md += "\n## " + s.group + "\n";
        for (const auto& [family, members] : s.families) {
            md += "\n### " + family.title + "\n\n";
            if (!family.note.empty()) md += family.note + "\n\n";
            md += family.failure + "\n";
            for (const FunctionDef* def : members) {
                const LuaShape shape = lua_shape(*def);
                md += "\n#### " + def->name + "\n\n```lua\n" + lua_call(*def) + "\n-- (" +
                      join_values(shape.args, true) + ")";
                if (!shape.results.empty()) md += " -> " + join_values(shape.results, true);
                md += "\n```\n\n```c\n" + c_signature(*def) +
                      ";\n```\n\nHelp: " + code_span(one_line(def->help)) + "\n";
            }
        }
    }
    return md;
}

std::string lua_definitions(const DocsSource& source) {
    std::string lua = "---@meta\n";
    lua += "-- " + product_title(source) + ": the reaper.QM_* functions of " + source.module +
           ", for the Lua\n-- language server (add this file or its folder to "
           "Lua.workspace.library).\n-- Generated by `reaper-sim docs` from the registered "
           "definitions. Do not edit.\n\n";
    std::set<std::string> handles;
    for (const FunctionDef& def : source.functions) {
        if (def.result.type == ValueType::Handle) handles.insert(lua_type_name(def.result));
        for (const ParamDef& p : def.params) {
            if (p.type.type == ValueType::Handle) handles.insert(lua_type_name(p.type));
        }
    }
    for (const std::string& h : handles) lua += "---@class " + h + " : userdata\n";
    lua += "\nreaper = {}\n";
    for (const FunctionDef& def : source.functions) {
        const Family family = family_of(def);
        const LuaShape shape = lua_shape(def);
        lua += "\n---" + family.title + "." + (family.note.empty() ? "" : " " + family.note) +
               "\n---\n---" + code_span(one_line(def.help)) + "\n---\n---" + family.failure + "\n";
        for (const Value& v : shape.args) {
            // A null project is the current one: scripts pass 0 or nil for it.
            const std::string type = v.type == "ReaProject" ? "ReaProject|0|nil" : v.type;
            lua += "---@param " + v.name + (v.optional ? "? " : " ") + type + "\n";
        }
        for (std::size_t i = 0; i < shape.results.size(); ++i) {
            const Value& v = shape.results[i];
            // A handle result is nil when nothing was found.
            const bool may_be_nil = i == 0 && def.result.type == ValueType::Handle;
            lua += "---@return " + v.type + (may_be_nil ? "|nil " : " ") + v.name + "\n";
        }
        lua += "function reaper." + lua_name(def.name) + "(" + join_values(shape.args, false) +
               ") end\n";
    }
    return lua;
}

}  // namespace reaper_sim
