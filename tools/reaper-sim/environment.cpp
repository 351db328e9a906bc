#include "environment.h"

#include <stdexcept>

#include "host_functions.h"
#include "lua_support.h"
#include "reaper_names.h"
#include "sim/host.h"
#include "sim_table.h"

namespace reaper_sim {
namespace {

// A call of a REAPER function this simulation lacks says so, instead of Lua's bare "attempt to
// call a nil value (field 'X')".
std::string explain_missing(lua_State* L, std::string message) {
    static constexpr std::string_view kNilCall = "attempt to call a nil value (field '";
    const std::size_t at = message.find(kNilCall);
    if (at == std::string::npos) return message;
    const std::size_t start = at + kNilCall.size();
    const std::size_t end = message.find('\'', start);
    if (end == std::string::npos) return message;
    const std::string name = message.substr(start, end - start);
    if (!is_reaper_function(name)) return message;
    auto* env = static_cast<Environment*>(lua_touserdata(L, lua_upvalueindex(1)));
    const bool hidden = env->host().function_hidden(name);
    return message.substr(0, at) + "reaper." + name +
           (hidden ? " is hidden in this run (--hide)"
                   : " is a REAPER function that reaper-sim does not simulate") +
           " (" + message.substr(at) + ")";
}

int traceback(lua_State* L) {
    const char* message = lua_tostring(L, 1);
    if (message == nullptr) {
        if (luaL_callmeta(L, 1, "__tostring") && lua_type(L, -1) == LUA_TSTRING) {
            message = lua_tostring(L, -1);
        } else {
            message = lua_pushfstring(L, "(error object is a %s value)", luaL_typename(L, 1));
        }
    }
    const std::string explained = explain_missing(L, message);
    luaL_traceback(L, L, explained.c_str(), 1);
    return 1;
}

void* invoke_host(void* context, void** arglist, int numparms) {
    const auto* target = static_cast<const Environment::HostTarget*>(context);
    return target->row->call(target->address, arglist, numparms);
}

}  // namespace

Environment::Environment(sim::Host& host) : host_(host) {
    L_ = luaL_newstate();
    if (L_ == nullptr) throw std::runtime_error("cannot create a Lua state");
    luaL_openlibs(L_);

    lua_newtable(L_);
    lua_setglobal(L_, "reaper");
    lua_newtable(L_);
    deferred_ = luaL_ref(L_, LUA_REGISTRYINDEX);
    lua_newtable(L_);
    at_exit_ = luaL_ref(L_, LUA_REGISTRYINDEX);

    provide_host_functions(host_);
    targets_.resize(host_function_rows().size());
    for (const HostFunctionRow& row : host_function_rows()) {
        auto fn = std::make_unique<ScriptFunction>();
        std::string error;
        if (row.lua_only()) {
            fn->def.name = row.name;
        } else if (auto def = parse_definition(row.name, row.definition, error)) {
            fn->def = std::move(*def);
        } else {
            fn->def.name = row.name;
            fn->unusable = std::string(row.name) + ": " + error;
        }
        fn->host = &host_;
        host_functions_.push_back(std::move(fn));
    }
    refresh_host_functions();
    push_sim_table(L_, *this);
    lua_setglobal(L_, "sim");
}

Environment::~Environment() {
    lua_close(L_);
}

void Environment::refresh_host_functions() {
    lua_getglobal(L_, "reaper");
    const auto rows = host_function_rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const HostFunctionRow& row = rows[i];
        ScriptFunction& fn = *host_functions_[i];
        if (row.lua_only()) {
            if (host_.function_hidden(row.name)) {
                lua_pushnil(L_);
            } else {
                lua_pushlightuserdata(L_, this);
                lua_pushcclosure(L_, row.lua, 1);
            }
            lua_setfield(L_, -2, row.name);
            continue;
        }
        // Present while GetFunc finds it; called as the row implements it.
        void* address = host_.get_func(row.name) != nullptr ? row.address : nullptr;
        targets_[i] = HostTarget{&row, address};
        if (address == nullptr) {
            lua_pushnil(L_);
        } else {
            fn.callee = Callee{&invoke_host, &targets_[i]};
            push_script_function(L_, &fn);
        }
        lua_setfield(L_, -2, row.name);
    }
    lua_pop(L_, 1);
}

void Environment::install_registered_functions() {
    lua_getglobal(L_, "reaper");
    for (const sim::RegisteredFunction& reg : host_.registered_functions()) {
        // Without an APIdef_ text REAPER does not show a function to scripts at all.
        if (reg.definition == nullptr) continue;
        auto fn = std::make_unique<ScriptFunction>();
        fn->host = &host_;
        fn->def.name = reg.name;
        std::string error;
        if (auto def = parse_definition(reg.name, definition_extent(reg.definition), error)) {
            fn->def = std::move(*def);
        } else {
            fn->unusable = reg.name + " has an unreadable definition text: " + error;
        }
        if (reg.vararg == nullptr && fn->unusable.empty()) {
            fn->unusable = reg.name + " has no APIvararg_ wrapper; scripts cannot call it";
        }
        fn->callee = vararg_callee(reg.vararg);
        push_script_function(L_, fn.get());
        lua_setfield(L_, -2, reg.name.c_str());
        registered_.push_back(std::move(fn));
    }
    lua_pop(L_, 1);
}

void Environment::add_module_directory(const std::string& directory) {
    lua_getglobal(L_, "package");
    lua_getfield(L_, -1, "path");
    const char* current = lua_tostring(L_, -1);
    const std::string path = directory + "/?.lua;" + (current != nullptr ? current : "");
    lua_pop(L_, 1);
    lua_pushlstring(L_, path.data(), path.size());
    lua_setfield(L_, -2, "path");
    lua_pop(L_, 1);
}

bool Environment::call_protected(std::string& error) {
    lua_pushlightuserdata(L_, this);
    lua_pushcclosure(L_, &traceback, 1);
    lua_insert(L_, -2);
    const int handler = lua_gettop(L_) - 1;
    const int status = lua_pcall(L_, 0, 0, handler);
    if (status != LUA_OK) {
        error = lua_tostring(L_, -1) != nullptr ? lua_tostring(L_, -1) : "unknown error";
        lua_pop(L_, 1);
    }
    lua_remove(L_, handler);
    return status == LUA_OK;
}

bool Environment::run_loaded(int load_status, std::string& error) {
    if (load_status != LUA_OK) {
        error = lua_tostring(L_, -1) != nullptr ? lua_tostring(L_, -1) : "cannot load the chunk";
        lua_pop(L_, 1);
        return false;
    }
    return call_protected(error);
}

namespace {

void append_to(lua_State* L, int table_ref, int index) {
    index = lua_absindex(L, index);
    lua_rawgeti(L, LUA_REGISTRYINDEX, table_ref);
    lua_pushvalue(L, index);
    lua_rawseti(L, -2, static_cast<lua_Integer>(lua_rawlen(L, -2)) + 1);
    lua_pop(L, 1);
}

}  // namespace

void Environment::defer(int index) {
    ever_deferred_ = true;
    append_to(L_, deferred_, index);
}

void Environment::at_exit(int index) {
    append_to(L_, at_exit_, index);
}

bool Environment::run_at_exit(std::string& error) {
    lua_rawgeti(L_, LUA_REGISTRYINDEX, at_exit_);
    const auto count = static_cast<lua_Integer>(lua_rawlen(L_, -1));
    for (lua_Integer i = 1; i <= count; ++i) {
        lua_rawgeti(L_, -1, i);
        if (!call_protected(error)) {
            lua_pop(L_, 1);
            return false;
        }
    }
    lua_pop(L_, 1);
    return true;
}

Environment::DeferOutcome Environment::run_deferred(int max_rounds, std::string& error) {
    for (int round = 0;; ++round) {
        // This round runs what was deferred before it; what they defer waits for the next.
        lua_rawgeti(L_, LUA_REGISTRYINDEX, deferred_);
        const auto count = static_cast<lua_Integer>(lua_rawlen(L_, -1));
        if (count == 0) {
            lua_pop(L_, 1);
            break;
        }
        if (round == max_rounds) {
            lua_pop(L_, 1);
            std::string ignored;
            run_at_exit(ignored);
            error = "the script was still deferring after " + std::to_string(max_rounds) +
                    " rounds (--defer-rounds); stopped";
            return DeferOutcome::Runaway;
        }
        lua_newtable(L_);
        lua_rawseti(L_, LUA_REGISTRYINDEX, deferred_);
        for (lua_Integer i = 1; i <= count; ++i) {
            lua_rawgeti(L_, -1, i);
            if (!call_protected(error)) {
                lua_pop(L_, 1);
                return DeferOutcome::Error;
            }
        }
        lua_pop(L_, 1);
    }
    return run_at_exit(error) ? DeferOutcome::Done : DeferOutcome::Error;
}

bool Environment::run_file(const std::string& path, std::string& error) {
    return run_loaded(luaL_loadfile(L_, path.c_str()), error);
}

bool Environment::run_string(std::string_view code, const std::string& chunk_name,
                             std::string& error) {
    return run_loaded(luaL_loadbuffer(L_, code.data(), code.size(), chunk_name.c_str()), error);
}

}  // namespace reaper_sim
