// Runs a Lua chunk in a test and returns its results as tostring() texts (so 3 and 3.0 differ).
#pragma once

#include <lua.hpp>

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace reaper_sim::testing {

struct Outcome {
    bool ok = false;
    std::vector<std::string> values;
    std::string error;
};

inline Outcome eval(lua_State* L, const std::string& code) {
    const int base = lua_gettop(L);
    Outcome o;
    if (luaL_loadstring(L, code.c_str()) != LUA_OK || lua_pcall(L, 0, LUA_MULTRET, 0) != LUA_OK) {
        const char* message = lua_tostring(L, -1);
        o.error = message != nullptr ? message : "(non-string error)";
        lua_settop(L, base);
        return o;
    }
    o.ok = true;
    for (int i = base + 1; i <= lua_gettop(L); ++i) {
        std::size_t length = 0;
        const char* text = luaL_tolstring(L, i, &length);
        o.values.emplace_back(text, length);
        lua_pop(L, 1);
    }
    lua_settop(L, base);
    return o;
}

// A test parameter's text as one short line: ctest names value-parameterised tests after it.
inline std::string label(std::string_view text) {
    std::string out;
    for (char c : text) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out.push_back(blank ? ' ' : c);
        if (out.size() >= 72) return out + "...";
    }
    return out;
}

inline void set_global(lua_State* L, const char* name, void* handle) {
    lua_pushlightuserdata(L, handle);
    lua_setglobal(L, name);
}

}  // namespace reaper_sim::testing
