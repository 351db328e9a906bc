// Takes: the active take, parameters and names.
#include "families.h"
#include "lua_support.h"
#include "sim/script_functions.h"

namespace reaper_sim {

using namespace std::string_view_literals;

namespace {

// Scripts pass the GUID as its text, which the binding has no type for: read it here.
int take_by_guid_body(lua_State* L) {
    const bool current = is_nil(L, 1) || (lua_type(L, 1) == LUA_TNUMBER && lua_tonumber(L, 1) == 0);
    if (!current && !lua_islightuserdata(L, 1)) {
        throw ScriptError(std::string("bad argument #1 to 'GetMediaItemTakeByGUID' (ReaProject "
                                      "expected, got ") +
                          luaL_typename(L, 1) + ")");
    }
    sim::Host* host = sim::Host::active();
    if (!current && (host == nullptr ||
                     host->project(static_cast<ReaProject*>(lua_touserdata(L, 1))) == nullptr)) {
        throw ScriptError("GetMediaItemTakeByGUID argument 1: expected ReaProject*");
    }
    const std::optional<std::string> text = to_text(L, 2);
    if (!text) {
        throw ScriptError(std::string("bad argument #2 to 'GetMediaItemTakeByGUID' (string "
                                      "expected, got ") +
                          luaL_typename(L, 2) + ")");
    }
    const std::string guid = sim::script::normalised_guid(*text);
    MediaItem_Take* take = nullptr;
    if (!guid.empty()) {
        const sim::GUID g = sim::script::guid_value(guid);
        auto* project = static_cast<ReaProject*>(current ? nullptr : lua_touserdata(L, 1));
        take = sim::reaper::GetMediaItemTakeByGUID(project, &g);
    }
    if (take == nullptr) {
        lua_pushnil(L);
    } else {
        lua_pushlightuserdata(L, take);
    }
    return 1;
}

}  // namespace

std::span<const HostFunctionRow> family_takes() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetActiveTake", &sim::reaper::GetActiveTake,
            "MediaItem_Take*\0MediaItem*\0item\0Get the active take of an item."sv),
        c_function("GetMediaItemTakeInfo_Value", &sim::reaper::GetMediaItemTakeInfo_Value,
            "double\0MediaItem_Take*,const char*\0take,parmname\0Get a take parameter by name (D_STARTOFFS, D_VOL, D_PLAYRATE, IP_TAKENUMBER, ...), as a number; 0 for an unknown name."sv),
        c_function("SetMediaItemTakeInfo_Value", &sim::reaper::SetMediaItemTakeInfo_Value,
            "bool\0MediaItem_Take*,const char*,double\0take,parmname,newvalue\0Set a take parameter, stored as its type stores it; false for an unknown or read-only name."sv),
        c_function("GetSetMediaItemTakeInfo_String", &sim::reaper::GetSetMediaItemTakeInfo_String,
            "bool\0MediaItem_Take*,const char*,char*,bool\0tk,parmname,stringNeedBig,setNewValue\0Get or set a take text parameter: P_NAME, GUID, P_EXT:name (extension data); false for a missing key or a malformed GUID."sv),
        c_function("GetTakeName", &sim::reaper::GetTakeName,
            "const char*\0MediaItem_Take*\0take\0Get the name of a take; nil for no take."sv),
        c_function("AddTakeToMediaItem", &sim::reaper::AddTakeToMediaItem,
            "MediaItem_Take*\0MediaItem*\0item\0Add a take without a source to an item."sv),
        c_function("SetActiveTake", &sim::reaper::SetActiveTake,
            "void\0MediaItem_Take*\0take\0Make a take the active take of its item."sv),
        c_function("CountTakes", &sim::reaper::CountTakes,
            "int\0MediaItem*\0item\0Count the take slots of an item."sv),
        c_function("GetTake", &sim::reaper::GetTake,
            "MediaItem_Take*\0MediaItem*,int\0item,takeidx\0Get a take of an item by its slot, from 0; nil out of range."sv),
        c_function("GetMediaItemTake", &sim::reaper::GetMediaItemTake,
            "MediaItem_Take*\0MediaItem*,int\0item,tk\0Get a take of an item by its slot, from 0; nil out of range."sv),
        c_function("GetMediaItemTake_Item", &sim::reaper::GetMediaItemTake_Item,
            "MediaItem*\0MediaItem_Take*\0take\0Get the item holding a take."sv),
        c_function("TakeIsMIDI", &sim::reaper::TakeIsMIDI,
            "bool\0MediaItem_Take*\0take\0Whether a take plays MIDI."sv),
        lua_function("GetMediaItemTakeByGUID", &guarded<&take_by_guid_body>,
            "MediaItem_Take take = reaper.GetMediaItemTakeByGUID(ReaProject project, string guidGUID)"),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
