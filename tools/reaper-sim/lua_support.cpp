#include "lua_support.h"

#include <climits>
#include <cmath>

namespace reaper_sim {

int run_guarded(lua_State* L, int (*body)(lua_State*)) {
    int results = -1;
    try {
        results = body(L);
    } catch (const std::exception& e) {
        lua_pushstring(L, e.what());
    } catch (...) {
        lua_pushliteral(L, "reaper-sim: unexpected failure");
    }
    if (results >= 0) return results;
    return lua_error(L);
}

std::optional<int> to_int(lua_State* L, int index) {
    if (lua_type(L, index) != LUA_TNUMBER) return std::nullopt;
    if (lua_isinteger(L, index)) {
        const lua_Integer v = lua_tointeger(L, index);
        if (v < INT_MIN || v > INT_MAX) return std::nullopt;
        return static_cast<int>(v);
    }
    const double d = lua_tonumber(L, index);
    // A fraction is a script's mistake, not an index; and converting a non-finite or
    // out-of-range double to int is undefined.
    if (!std::isfinite(d) || d != std::trunc(d) || d < static_cast<double>(INT_MIN) ||
        d > static_cast<double>(INT_MAX))
        return std::nullopt;
    return static_cast<int>(d);
}

std::optional<double> to_number(lua_State* L, int index) {
    if (lua_type(L, index) != LUA_TNUMBER) return std::nullopt;
    return static_cast<double>(lua_tonumber(L, index));
}

std::optional<std::string> to_text(lua_State* L, int index) {
    const int type = lua_type(L, index);
    if (type != LUA_TSTRING && type != LUA_TNUMBER) return std::nullopt;
    std::size_t length = 0;
    const char* s = lua_tolstring(L, index, &length);
    return std::string(s, length);
}

bool is_nil(lua_State* L, int index) {
    return lua_type(L, index) <= LUA_TNIL;  // LUA_TNONE or LUA_TNIL
}

namespace {

// Pushes t[key] (raw) and pops it again when done.
class Field {
public:
    Field(lua_State* L, int table, const char* key) : L_(L) {
        const int t = lua_absindex(L, table);
        lua_pushstring(L, key);
        lua_rawget(L, t);
    }
    ~Field() { lua_pop(L_, 1); }
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;
    bool absent() const { return lua_isnil(L_, -1); }

private:
    lua_State* L_;
};

ScriptError wrong_field(std::string_view what, const char* key, const char* expected) {
    return ScriptError(std::string(what) + ": field '" + key + "' must be " + expected);
}

}  // namespace

std::optional<double> number_field(lua_State* L, int table, const char* key,
                                   std::string_view what) {
    Field f(L, table, key);
    if (f.absent()) return std::nullopt;
    if (auto v = to_number(L, -1)) return v;
    throw wrong_field(what, key, "a number");
}

std::optional<int> int_field(lua_State* L, int table, const char* key, std::string_view what) {
    Field f(L, table, key);
    if (f.absent()) return std::nullopt;
    if (auto v = to_int(L, -1)) return v;
    throw wrong_field(what, key, "an integer");
}

std::optional<bool> bool_field(lua_State* L, int table, const char* key, std::string_view what) {
    Field f(L, table, key);
    if (f.absent()) return std::nullopt;
    if (lua_type(L, -1) == LUA_TBOOLEAN) return lua_toboolean(L, -1) != 0;
    if (auto v = to_number(L, -1)) return *v != 0.0;
    throw wrong_field(what, key, "a boolean");
}

std::optional<std::string> text_field(lua_State* L, int table, const char* key,
                                      std::string_view what) {
    Field f(L, table, key);
    if (f.absent()) return std::nullopt;
    if (auto v = to_text(L, -1)) return v;
    throw wrong_field(what, key, "a string");
}

}  // namespace reaper_sim
