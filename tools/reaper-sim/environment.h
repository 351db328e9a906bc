// One Lua state as REAPER's ReaScript would give it: the standard libraries, a `reaper` table
// with the host's functions and every function the loaded module registered, and the `sim`
// table for building and observing the simulated session.
#pragma once

#include <lua.hpp>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "marshal.h"
#include "session.h"

namespace sim {
class Host;
}

namespace reaper_sim {

struct HostFunctionRow;

class Environment {
public:
    // A host function's call target: its row and the address GetFunc gave.
    struct HostTarget {
        const HostFunctionRow* row = nullptr;
        void* address = nullptr;
    };

    explicit Environment(sim::Host& host);
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // A Lua-only host function's Environment: its first upvalue.
    static Environment& of(lua_State* L) {
        return *static_cast<Environment*>(lua_touserdata(L, lua_upvalueindex(1)));
    }

    lua_State* state() { return L_; }
    sim::Host& host() { return host_; }
    Session& session() { return session_; }

    // ---- defer and atexit ----
    // The function at `index` runs after the script body, on a later round.
    void defer(int index);
    void at_exit(int index);
    bool ever_deferred() const { return ever_deferred_; }
    enum class DeferOutcome { Done, Error, Runaway };
    // Runs what was deferred, round by round, until nothing is left, then the atexit functions.
    // Runaway: still deferring after `max_rounds` rounds (the atexit functions ran, as when a
    // user stops a script). Error: a Lua error, message and traceback in `error`.
    DeferOutcome run_deferred(int max_rounds, std::string& error);

    // Adds reaper.<name> for every function registered now through APIdef_/APIvararg_.
    void install_registered_functions();
    // The host's functions are present exactly while GetFunc finds them (SWS installed, not
    // hidden); call after changing either.
    void refresh_host_functions();

    // Runs a chunk; on a Lua error returns false with the message and a traceback in `error`.
    bool run_file(const std::string& path, std::string& error);
    bool run_string(std::string_view code, const std::string& chunk_name, std::string& error);
    // The script's directory is searched by `require`.
    void add_module_directory(const std::string& directory);

private:
    bool run_loaded(int load_status, std::string& error);
    // Calls the function on top of the stack (popping it) with the traceback handler.
    bool call_protected(std::string& error);
    bool run_at_exit(std::string& error);

    sim::Host& host_;
    Session session_;
    lua_State* L_ = nullptr;
    int deferred_ = LUA_NOREF;  // registry: the functions for the next round, in order
    int at_exit_ = LUA_NOREF;
    bool ever_deferred_ = false;
    std::vector<std::unique_ptr<ScriptFunction>> host_functions_;
    std::vector<HostTarget> targets_;  // sized once: ScriptFunctions point into it
    std::vector<std::unique_ptr<ScriptFunction>> registered_;
};

}  // namespace reaper_sim
