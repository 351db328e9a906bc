// Calls a function from Lua the way REAPER's ReaScript does: every argument is read and packed by
// what the function's definition text declares, the call goes through an APIvararg_-style
// wrapper, and the result and outputs come back as Lua values. Nothing here knows any function.
#pragma once

#include <lua.hpp>

#include <cstddef>
#include <string>

#include "definition.h"

namespace sim {
class Host;
}

namespace reaper_sim {

// Buffer sizes for char* parameters: a plain text output, and a NeedBig buffer (functions given
// a NeedBig buffer write into it without knowing its size).
inline constexpr std::size_t kOutBufferSize = 1024;
inline constexpr std::size_t kNeedBigBufferSize = 64 * 1024;

// Where a call goes. `arglist` has numparms + 1 slots: the parameters, then the address of a
// double that receives a double result (a vararg wrapper returns only a pointer, so a double
// result is written through that extra slot).
struct Callee {
    void* (*invoke)(void* context, void** arglist, int numparms) = nullptr;
    void* context = nullptr;
};

// A module's `void* f(void** arglist, int numparms)`, as registered with APIvararg_.
Callee vararg_callee(void* vararg);

struct ScriptFunction {
    FunctionDef def;
    Callee callee;
    sim::Host* host = nullptr;  // validates handles, as REAPER's ValidatePtr2
    std::string unusable;       // non-empty: calling raises this instead
};

// Pushes a Lua function for `fn`; `fn` must outlive every call of it.
void push_script_function(lua_State* L, const ScriptFunction* fn);

// Reads arguments 1..top, calls, pushes the results; returns their count. Throws ScriptError.
int call_script_function(lua_State* L, const ScriptFunction& fn);

}  // namespace reaper_sim
