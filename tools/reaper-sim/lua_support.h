// Lua raises errors with longjmp, which would skip the destructors of every C++ object between
// the error and the protected call. So C++ code here never raises a Lua error itself: it throws
// ScriptError, and `guarded` turns that into a Lua error once the C++ frames are gone.
#pragma once

#include <lua.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace reaper_sim {

struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int run_guarded(lua_State* L, int (*body)(lua_State*));

// A lua_CFunction running `Body` with C++ errors turned into Lua errors.
template <int (*Body)(lua_State*)>
int guarded(lua_State* L) {
    return run_guarded(L, Body);
}

// ---- reading values without raising Lua errors ----

// A Lua integer, or a number with an integral value, that fits `int`.
std::optional<int> to_int(lua_State* L, int index);
std::optional<double> to_number(lua_State* L, int index);
// A string or a number (Lua's own string coercion).
std::optional<std::string> to_text(lua_State* L, int index);
bool is_nil(lua_State* L, int index);  // nil or absent

// Fields of an options table, read raw so no metamethod can raise. Absent fields give nullopt;
// a field of the wrong type throws ScriptError naming `what`.
std::optional<double> number_field(lua_State* L, int table, const char* key, std::string_view what);
std::optional<int> int_field(lua_State* L, int table, const char* key, std::string_view what);
std::optional<bool> bool_field(lua_State* L, int table, const char* key, std::string_view what);
std::optional<std::string> text_field(lua_State* L, int table, const char* key,
                                      std::string_view what);

}  // namespace reaper_sim
