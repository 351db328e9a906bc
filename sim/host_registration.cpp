// The simulated host: the registration API and the plugin info record an extension gets.
#include "sim/host_state.h"

#include <array>

namespace sim {

using namespace detail;

namespace {

// The record handed to an extension must reach its own host even when another one is active, so
// each host borrows one of a fixed set of C entry points; past that they answer for the active one.
constexpr std::size_t kRecordSlots = 32;
std::array<Host*, kRecordSlots> g_record_hosts{};

int register_through(Host* host, const char* name, void* value) {
    if (host == nullptr) return 0;
    host->log_call("plugin_register", name != nullptr ? name : "");
    return host->plugin_register(name, value);
}

// Lookups are not host calls: a refused load leaves the call log empty.
void* get_func_through(Host* host, const char* name) {
    return host != nullptr ? host->get_func(name) : nullptr;
}

template <std::size_t N>
int record_register(const char* name, void* value) {
    return register_through(g_record_hosts[N], name, value);
}

template <std::size_t N>
void* record_get_func(const char* name) {
    return get_func_through(g_record_hosts[N], name);
}

int active_register(const char* name, void* value) {
    return register_through(Host::active(), name, value);
}

void* active_get_func(const char* name) {
    return get_func_through(Host::active(), name);
}

using RegisterFunction = int (*)(const char*, void*);
using GetFuncFunction = void* (*)(const char*);

template <std::size_t... N>
constexpr std::array<RegisterFunction, sizeof...(N)> make_registers(std::index_sequence<N...>) {
    return {&record_register<N>...};
}

template <std::size_t... N>
constexpr std::array<GetFuncFunction, sizeof...(N)> make_get_funcs(std::index_sequence<N...>) {
    return {&record_get_func<N>...};
}

constexpr auto kRecordRegisters = make_registers(std::make_index_sequence<kRecordSlots>());
constexpr auto kRecordGetFuncs = make_get_funcs(std::make_index_sequence<kRecordSlots>());

}  // namespace

void detail::release_record_slot(int slot) {
    if (slot >= 0) g_record_hosts[static_cast<std::size_t>(slot)] = nullptr;
}

int Host::State::register_now(std::string_view name, void* value) {
    const bool withdraw = starts_with(name, "-");
    if (withdraw) name.remove_prefix(1);

    enum class Kind { function, definition, vararg, other } kind = Kind::other;
    std::string_view function = name;
    for (auto [prefix, prefix_kind] : {std::pair{std::string_view("APIdef_"), Kind::definition},
                                       std::pair{std::string_view("APIvararg_"), Kind::vararg},
                                       std::pair{std::string_view("API_"), Kind::function}}) {
        if (starts_with(name, prefix) && name.size() > prefix.size()) {
            kind = prefix_kind;
            function = name.substr(prefix.size());
            break;
        }
    }

    if (kind == Kind::other) {
        if (!withdraw) {
            others.emplace_back(std::string(name), value);
            return 1;
        }
        // Hooks of one kind are registered many times; withdrawing names the one to go.
        auto found = std::find_if(others.begin(), others.end(), [&](const auto& other) {
            return other.first == name && other.second == value;
        });
        if (found == others.end()) return 0;
        others.erase(found);
        return 1;
    }

    Api* entry = api(function);
    if (withdraw) {
        if (entry == nullptr) return 0;
        bool* has = kind == Kind::function     ? &entry->has_func
                    : kind == Kind::definition ? &entry->has_definition
                                               : &entry->has_vararg;
        if (!*has) return 0;
        *has = false;
        if (kind == Kind::function) entry->func = nullptr;
        if (kind == Kind::definition) entry->definition = nullptr;
        if (kind == Kind::vararg) entry->vararg = nullptr;
        if (entry->empty()) {
            apis.erase(apis.begin() + (entry - apis.data()));
        }
        return 1;
    }
    if (entry == nullptr) {
        apis.push_back(Api{});
        entry = &apis.back();
        entry->name = std::string(function);
    }
    switch (kind) {
        case Kind::function:
            entry->func = value;
            entry->has_func = true;
            break;
        case Kind::definition:
            entry->definition = static_cast<const char*>(value);
            entry->has_definition = true;
            break;
        case Kind::vararg:
            entry->vararg = value;
            entry->has_vararg = true;
            break;
        case Kind::other:
            break;
    }
    return 1;
}

// ---- registration ----

int Host::plugin_register(const char* name, void* value) {
    const int result = name != nullptr ? state_->register_now(name, value) : 0;
    state_->registrations.push_back(Registration{name != nullptr ? name : "", value, result});
    return result;
}

void* Host::get_func(const char* name) {
    if (name == nullptr || state_->hidden.count(std::string_view(name)) != 0) return nullptr;
    const std::string_view wanted = name;
    // SWS's functions exist only with SWS installed.
    for (std::string_view prefix : {"CF_", "BR_", "SNM_", "NF_"}) {
        if (wanted.starts_with(prefix) && !state_->sws) return nullptr;
    }
    if (void* function = host_function(wanted)) return function;
    if (auto found = state_->provided.find(wanted); found != state_->provided.end()) {
        return found->second;
    }
    const State::Api* api = state_->api(wanted);
    return api != nullptr && api->has_func ? api->func : nullptr;
}

reaper_plugin_info_t* Host::plugin_info() {
    if (state_->slot < 0) {
        auto free_slot = std::find(g_record_hosts.begin(), g_record_hosts.end(), nullptr);
        if (free_slot != g_record_hosts.end()) {
            *free_slot = this;
            state_->slot = static_cast<int>(free_slot - g_record_hosts.begin());
        }
    }
    reaper_plugin_info_t& info = state_->info;
    info.caller_version = kCallerVersion;
    info.hwnd_main = &state_->main_window;
    if (state_->slot >= 0) {
        info.Register = kRecordRegisters[static_cast<std::size_t>(state_->slot)];
        info.GetFunc = kRecordGetFuncs[static_cast<std::size_t>(state_->slot)];
    } else {
        info.Register = &active_register;
        info.GetFunc = &active_get_func;
    }
    return &info;
}

const std::vector<Registration>& Host::registration_log() const {
    return state_->registrations;
}

std::vector<RegisteredFunction> Host::registered_functions() const {
    std::vector<RegisteredFunction> out;
    out.reserve(state_->apis.size());
    for (const State::Api& api : state_->apis) {
        out.push_back(RegisteredFunction{api.name, api.func, api.definition, api.vararg});
    }
    return out;
}

std::optional<RegisteredFunction> Host::registered_function(std::string_view name) const {
    for (const State::Api& api : state_->apis) {
        if (api.name == name) {
            return RegisteredFunction{api.name, api.func, api.definition, api.vararg};
        }
    }
    return std::nullopt;
}

bool Host::anything_registered() const {
    return !state_->apis.empty() || !state_->others.empty();
}

}  // namespace sim
