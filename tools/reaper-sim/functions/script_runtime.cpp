// The Lua side of ReaScript: defer and atexit, the action context, time, versions, and the
// checks scripts make before using a function or a file.
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "environment.h"
#include "families.h"
#include "lua_support.h"
#include "session.h"

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

void require_function(lua_State* L, const char* name) {
    if (lua_type(L, 1) != LUA_TFUNCTION) {
        throw ScriptError(std::string("bad argument #1 to '") + name +
                          "' (function expected, got " + luaL_typename(L, 1) + ")");
    }
}

int defer_body(lua_State* L) {
    require_function(L, "defer");
    Environment::of(L).defer(1);
    lua_pushboolean(L, 1);
    return 1;
}

int runloop_body(lua_State* L) {
    require_function(L, "runloop");
    Environment::of(L).defer(1);
    lua_pushboolean(L, 1);
    return 1;
}

int atexit_body(lua_State* L) {
    require_function(L, "atexit");
    Environment::of(L).at_exit(1);
    return 0;
}

// As for a script run from the Main section of the action list by a menu or a shortcut.
int get_action_context_body(lua_State* L) {
    const std::string& path = Environment::of(L).session().script_path;
    lua_pushboolean(L, 0);
    lua_pushlstring(L, path.data(), path.size());
    lua_pushinteger(L, kScriptSection);
    lua_pushinteger(L, kScriptCommandId);
    lua_pushinteger(L, -1);  // mode, resolution, val: not triggered by MIDI or OSC
    lua_pushinteger(L, -1);
    lua_pushinteger(L, -1);
    lua_pushliteral(L, "");
    return 8;
}

double time_precise() {
    enter("time_precise");
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count();
}

const char* GetAppVersion() {
    enter("GetAppVersion");
#if defined(__aarch64__)
    return "7.78/linux-aarch64";
#elif defined(__arm__)
    return "7.78/linux-armv7l";
#else
    return "7.78/linux-x86_64";
#endif
}

const char* GetOS() {
    enter("GetOS");
    return "Other";
}

bool APIExists(const char* function_name) {
    sim::Host* host = enter("APIExists", function_name);
    return host != nullptr && function_name != nullptr && host->get_func(function_name) != nullptr;
}

bool file_exists(const char* path) {
    enter("file_exists", path);
    if (path == nullptr || *path == '\0') return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path, R_OK) == 0;
}

}  // namespace

std::span<const HostFunctionRow> family_script_runtime() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        lua_function("defer", &guarded<&defer_body>,
            "boolean retval = reaper.defer(function f)"),
        lua_function("runloop", &guarded<&runloop_body>,
            "boolean retval = reaper.runloop(function f)"),
        lua_function("atexit", &guarded<&atexit_body>,
            "reaper.atexit(function f)"),
        lua_function("get_action_context", &guarded<&get_action_context_body>,
            "boolean is_new_value, string filename, integer sectionID, integer cmdID, integer mode, integer resolution, integer val, string contextstr = reaper.get_action_context()"),
        c_function("time_precise", &time_precise,
            "double\0\0\0A high-resolution timestamp in seconds; only differences mean something."sv),
        c_function("GetAppVersion", &GetAppVersion,
            "const char*\0\0\0The version of REAPER and its platform."sv),
        c_function("GetOS", &GetOS,
            "const char*\0\0\0The operating system: Win32, Win64, OSX32, OSX64, macOS-arm64 or Other."sv),
        c_function("APIExists", &APIExists,
            "bool\0const char*\0function_name\0Whether a function of that name is registered."sv),
        c_function("file_exists", &file_exists,
            "bool\0const char*\0path\0Whether path names an existing, readable file."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
