// Miscellaneous: REAPER's folder, the audio device, native colours, GUIDs and handle checks.
#include "families.h"
#include "lua_support.h"
#include "sim/script_functions.h"

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

// A handle argument of ValidatePtr: any value; only a live handle can pass.
void* any_pointer(lua_State* L, int index) {
    return lua_islightuserdata(L, index) ? lua_touserdata(L, index) : nullptr;
}

const char* type_name(lua_State* L, int index, const char* function) {
    if (lua_type(L, index) != LUA_TSTRING) {
        throw ScriptError("bad argument #" + std::to_string(index) + " to '" + function +
                          "' (string expected, got " + luaL_typename(L, index) + ")");
    }
    return lua_tostring(L, index);
}

int validate_ptr_body(lua_State* L) {
    const char* type = type_name(L, 2, "ValidatePtr");
    lua_pushboolean(L, sim::reaper::ValidatePtr(any_pointer(L, 1), type));
    return 1;
}

// The project: nil, 0 or a handle; anything else names no project, so nothing validates.
int validate_ptr2_body(lua_State* L) {
    const char* type = type_name(L, 3, "ValidatePtr2");
    const bool current = is_nil(L, 1) || (lua_type(L, 1) == LUA_TNUMBER && lua_tonumber(L, 1) == 0);
    if (!current && !lua_islightuserdata(L, 1)) {
        lua_pushboolean(L, 0);
        return 1;
    }
    auto* project = static_cast<ReaProject*>(current ? nullptr : lua_touserdata(L, 1));
    lua_pushboolean(L, sim::reaper::ValidatePtr2(project, any_pointer(L, 2), type));
    return 1;
}

// GUIDs travel as text in Lua, so these two are bound by hand.
int gen_guid_body(lua_State* L) {
    sim::GUID g{};
    sim::reaper::genGuid(&g);
    lua_pushstring(L, sim::script::guid_text(g).c_str());
    return 1;
}

// Text that is no GUID reads as the zero GUID.
int guid_to_string_body(lua_State* L) {
    const std::optional<std::string> text = to_text(L, 1);
    if (!text) {
        throw ScriptError(std::string("bad argument #1 to 'guidToString' (string expected, got ") +
                          luaL_typename(L, 1) + ")");
    }
    const std::string normalised = sim::script::normalised_guid(*text);
    const sim::GUID g = normalised.empty() ? sim::GUID{} : sim::script::guid_value(normalised);
    char out[64] = {};
    sim::reaper::guidToString(&g, out);
    lua_pushstring(L, out);
    return 1;
}

}  // namespace

std::span<const HostFunctionRow> family_misc() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetResourcePath", &sim::reaper::GetResourcePath,
            "const char*\0\0\0Get REAPER's resource folder, without a trailing separator."sv),
        c_function("GetAudioDeviceInfo", &sim::reaper::GetAudioDeviceInfo,
            "bool\0const char*,char*,int\0attribute,descOut,descOut_sz\0Get a fact about the open audio device; false when there is none, as when REAPER runs headless."sv),
        c_function("ColorToNative", &sim::reaper::ColorToNative,
            "int\0int,int,int\0r,g,b\0Pack red, green and blue (0-255) into a native colour, without the 0x1000000 flag."sv),
        c_function("ColorFromNative", &sim::reaper::ColorFromNative,
            "void\0int,int*,int*,int*\0col,rOut,gOut,bOut\0Unpack a native colour into red, green and blue."sv),
        lua_function("ValidatePtr", &guarded<&validate_ptr_body>,
            "boolean = reaper.ValidatePtr(identifier pointer, string ctypename)"),
        lua_function("ValidatePtr2", &guarded<&validate_ptr2_body>,
            "boolean = reaper.ValidatePtr2(ReaProject proj, identifier pointer, string ctypename)"),
        lua_function("genGuid", &guarded<&gen_guid_body>,
            "string gGUID = reaper.genGuid(string gGUID)"),
        lua_function("guidToString", &guarded<&guid_to_string_body>,
            "string destNeed64 = reaper.guidToString(string gGUID, string destNeed64)"),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
