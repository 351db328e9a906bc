// The script author's reference and the Lua language server's definitions, both written from the
// definition texts the module registers, so they describe exactly what REAPER will show.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "definition.h"

namespace reaper_sim {

// What the reference says about a family: the members of every addressing form together.
struct Family {
    std::string key;      // the name without "QM_" and without its addressing form: "GetVolume"
    std::string group;    // the heading it stands under: "Volume"
    std::string title;    // what the family does, in a few words
    std::string note;     // more on what it does; may be empty
    std::string failure;  // the one line on what false (or nil) means
    bool known = false;   // false: no entry knows the family; described by its shape alone
};

// "QM_GetSelectedTrackMediaVolume" -> "GetVolume", "QM_DeleteAllTrackMedia" -> "DeleteAll",
// "QM_InsertMediaSelectedTrackIdFrame" -> "InsertFrame"; a name with no addressing form is its
// own key.
std::string family_key(std::string_view name);
Family family_of(const FunctionDef& def);

struct DocsSource {
    std::string product;  // "VORMELT_PLIVEN"
    std::string module;   // the extension, whatever the platform: "reaper_VORMELT_PLIVEN"
    std::string version;  // as get_version reports it; empty when the module has none
    std::vector<FunctionDef> functions;  // in registration order
};

std::string api_reference(const DocsSource& source);    // docs/API.md
std::string lua_definitions(const DocsSource& source);  // the LuaLS ---@meta file

// The call as a script writes it: `local ok, volume = reaper.QM_GetMediaVolume(projID, itemID)`.
std::string lua_call(const FunctionDef& def);

}  // namespace reaper_sim
