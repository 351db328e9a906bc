// Runs Lua chunks in tests. A Case is a chunk and either the tostring() texts of the values it
// returns (so 3 and 3.0 differ) or the exact error it raises.
#pragma once

#include <gtest/gtest.h>
#include <lua.hpp>

#include <string>
#include <utility>
#include <vector>

namespace reaper_sim::testing {

struct Case {
    Case(std::string c, std::vector<std::string> v = {}, std::string e = {})
        : code(std::move(c)), values(std::move(v)), error(std::move(e)) {}
    std::string code;
    std::vector<std::string> values;  // when no error is expected
    std::string error;
};

inline void expect_case(lua_State* L, const Case& c) {
    SCOPED_TRACE(c.code);
    const int base = lua_gettop(L);
    if (luaL_loadstring(L, c.code.c_str()) != LUA_OK || lua_pcall(L, 0, LUA_MULTRET, 0) != LUA_OK) {
        const char* message = lua_tostring(L, -1);
        EXPECT_EQ(message != nullptr ? message : "(no message)", c.error);
    } else {
        std::vector<std::string> values;
        for (int i = base + 1; i <= lua_gettop(L); ++i) {
            std::size_t length = 0;
            const char* text = luaL_tolstring(L, i, &length);
            values.emplace_back(text, length);
            lua_pop(L, 1);
        }
        EXPECT_EQ(c.error, "") << "the chunk raised nothing";
        EXPECT_EQ(values, c.values);
    }
    lua_settop(L, base);
}

}  // namespace reaper_sim::testing
