// The row machinery every family file uses. A family file (functions/NAME.cpp) holds REAPER
// functions of one family as rows: name, implementation, definition text.
//
// To add a function:
// 1. Write it in its family's file with REAPER's C signature, starting with `enter("Name")`
//    (the active host, the call logged when the log is on); REAPER's answer for bad handles.
// 2. Add `c_function("Name", &Name, "ret\0types\0names\0help"sv)` to the family's rows; the
//    definition text decides how Lua arguments and results travel (see marshal.h).
// 3. A Lua-only function (defer, ...) is `lua_function("name", &fn, "Lua form")` instead.
// A new family: functions/NAME.cpp defining family_NAME(), and X(NAME) in functions/families.h.
#pragma once

#include <lua.hpp>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "sim/host.h"

namespace reaper_sim {

struct HostFunctionRow {
    const char* name;
    std::string_view definition;  // four NUL-separated fields, REAPER's format; "" if Lua-only
    void* address = nullptr;      // the C implementation, as GetFunc hands it out
    // Calls `function` (of this row's C signature) with REAPER's vararg slots. A double result
    // is written to *(double*)arglist[numparms], as for registered functions.
    void* (*call)(void* function, void** arglist, int numparms) = nullptr;
    // The C signature's type names, result first, for checking the definition text against it.
    std::vector<std::string> (*signature)() = nullptr;
    lua_CFunction lua = nullptr;  // a Lua-only function: pushed as it is
    const char* lua_form = nullptr;

    bool lua_only() const { return lua != nullptr; }
};

// The active host, with the call logged when the log is on; null without a host.
inline sim::Host* enter(const char* function, const char* detail = nullptr) {
    sim::Host* host = sim::Host::active();
    if (host != nullptr && host->logs_calls()) host->log_call(function, detail ? detail : "");
    return host;
}

namespace detail {

template <class T>
struct type_text;
#define REAPER_SIM_TYPE_TEXT(type, text)           \
    template <>                                    \
    struct type_text<type> {                       \
        static constexpr const char* value = text; \
    };
REAPER_SIM_TYPE_TEXT(void, "void")
REAPER_SIM_TYPE_TEXT(int, "int")
REAPER_SIM_TYPE_TEXT(bool, "bool")
REAPER_SIM_TYPE_TEXT(double, "double")
REAPER_SIM_TYPE_TEXT(const char*, "const char*")
REAPER_SIM_TYPE_TEXT(char*, "char*")
REAPER_SIM_TYPE_TEXT(int*, "int*")
REAPER_SIM_TYPE_TEXT(double*, "double*")
REAPER_SIM_TYPE_TEXT(bool*, "bool*")
REAPER_SIM_TYPE_TEXT(const bool*, "const bool*")
REAPER_SIM_TYPE_TEXT(const int*, "const int*")
REAPER_SIM_TYPE_TEXT(const double*, "const double*")
REAPER_SIM_TYPE_TEXT(const char**, "const char**")
REAPER_SIM_TYPE_TEXT(TrackEnvelope*, "TrackEnvelope*")
REAPER_SIM_TYPE_TEXT(HWND, "HWND")
REAPER_SIM_TYPE_TEXT(ReaProject*, "ReaProject*")
REAPER_SIM_TYPE_TEXT(MediaTrack*, "MediaTrack*")
REAPER_SIM_TYPE_TEXT(MediaItem*, "MediaItem*")
REAPER_SIM_TYPE_TEXT(MediaItem_Take*, "MediaItem_Take*")
REAPER_SIM_TYPE_TEXT(PCM_source*, "PCM_source*")
#undef REAPER_SIM_TYPE_TEXT

template <class T>
T read_slot(void* slot) {
    if constexpr (std::is_same_v<T, int>) {
        return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(slot)));
    } else if constexpr (std::is_same_v<T, bool>) {
        return slot != nullptr;
    } else if constexpr (std::is_same_v<T, double>) {
        return slot != nullptr ? *static_cast<const double*>(slot) : 0.0;
    } else {
        static_assert(std::is_pointer_v<T>, "no slot rule for this parameter type");
        return static_cast<T>(slot);
    }
}

template <class Sig>
struct shim;

template <class R, class... A>
struct shim<R(A...)> {
    using Function = R (*)(A...);

    static void* call(void* function, void** arglist, int numparms) {
        if (function == nullptr || numparms < static_cast<int>(sizeof...(A))) return nullptr;
        Function f = nullptr;
        std::memcpy(&f, &function, sizeof f);
        return invoke(f, arglist, numparms, std::index_sequence_for<A...>{});
    }

    static std::vector<std::string> signature() {
        return {type_text<R>::value, type_text<A>::value...};
    }

private:
    template <std::size_t... I>
    static void* invoke(Function f, [[maybe_unused]] void** arglist, int numparms,
                        std::index_sequence<I...>) {
        if constexpr (std::is_void_v<R>) {
            f(read_slot<A>(arglist[I])...);
            return nullptr;
        } else {
            R r = f(read_slot<A>(arglist[I])...);
            if constexpr (std::is_same_v<R, double>) {
                if (arglist[numparms] != nullptr) *static_cast<double*>(arglist[numparms]) = r;
                return nullptr;
            } else if constexpr (std::is_same_v<R, bool>) {
                return reinterpret_cast<void*>(std::uintptr_t{r ? 1u : 0u});
            } else if constexpr (std::is_same_v<R, int>) {
                return reinterpret_cast<void*>(static_cast<std::intptr_t>(r));
            } else {
                return const_cast<void*>(static_cast<const void*>(r));
            }
        }
    }
};

}  // namespace detail

template <class R, class... A>
HostFunctionRow c_function(const char* name, R (*impl)(A...), std::string_view definition) {
    using Shim = detail::shim<R(A...)>;
    return HostFunctionRow{name, definition, reinterpret_cast<void*>(impl), &Shim::call,
                           &Shim::signature};
}

inline HostFunctionRow lua_function(const char* name, lua_CFunction fn, const char* lua_form) {
    HostFunctionRow row{name, {}};
    row.lua = fn;
    row.lua_form = lua_form;
    return row;
}

}  // namespace reaper_sim
