// Runs Lua chunks in tests. A Case is a chunk and either the tostring() texts of the values it
// returns (so 3 and 3.0 differ) or the exact error it raises.
#pragma once

#include <gtest/gtest.h>
#include <lua.hpp>

#include <cctype>
#include <ostream>
#include <string>
#include <utility>
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
    } else {
        o.ok = true;
        for (int i = base + 1; i <= lua_gettop(L); ++i) {
            std::size_t length = 0;
            const char* text = luaL_tolstring(L, i, &length);
            o.values.emplace_back(text, length);
            lua_pop(L, 1);
        }
    }
    lua_settop(L, base);
    return o;
}

struct Case {
    Case(std::string c, std::vector<std::string> v, std::string e = {})
        : code(std::move(c)), values(std::move(v)), error(std::move(e)) {}
    std::string code;
    std::vector<std::string> values;  // when error is empty
    std::string error;
};

inline Case fails(std::string code, std::string error) {
    return Case(std::move(code), {}, std::move(error));
}

// The chunk as one short line: ctest shows it as the case's name.
inline void PrintTo(const Case& c, std::ostream* os) {
    std::string out;
    for (char ch : c.code) {
        const bool blank = std::isspace(static_cast<unsigned char>(ch)) != 0;
        if (blank && (out.empty() || out.back() == ' ')) continue;
        out.push_back(blank ? ' ' : ch);
    }
    *os << (out.size() > 72 ? out.substr(0, 72) + "..." : out);
}

inline void expect_case(lua_State* L, const Case& c) {
    const Outcome o = eval(L, c.code);
    if (c.error.empty()) {
        ASSERT_TRUE(o.ok) << c.code << "\n" << o.error;
        EXPECT_EQ(o.values, c.values) << c.code;
    } else {
        ASSERT_FALSE(o.ok) << c.code;
        EXPECT_EQ(o.error, c.error) << c.code;
    }
}

inline void set_global(lua_State* L, const char* name, void* handle) {
    lua_pushlightuserdata(L, handle);
    lua_setglobal(L, name);
}

}  // namespace reaper_sim::testing
