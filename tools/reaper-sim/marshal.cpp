#include "marshal.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "lua_support.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using VarargFunction = void* (*)(void**, int);

void* invoke_vararg(void* context, void** arglist, int numparms) {
    VarargFunction f = nullptr;
    std::memcpy(&f, &context, sizeof f);
    return f(arglist, numparms);
}

// What the runner keeps alive for one parameter during the call. Texts are not copied: a script's
// argument stays on the Lua stack, and so does the string Lua made of it, until the call returns.
struct Storage {
    int i;
    bool b;
    double d;
    const char* text;
};

// Per-call space on the stack for the usual few parameters, on the heap past that: a host call
// from Lua then allocates nothing of its own. Left uninitialised; the call fills what it reads.
template <class T, std::size_t N>
class Scratch {
public:
    explicit Scratch(std::size_t n) {
        if (n > N) {
            heap_.resize(n);
            data_ = heap_.data();
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T* data() { return data_; }

private:
    std::array<T, N> inline_;
    std::vector<T> heap_;
    T* data_ = inline_.data();
};

constexpr std::size_t kInlineParams = 8;

void* by_value(std::intptr_t v) {
    return reinterpret_cast<void*>(v);
}

class Call {
public:
    Call(lua_State* L, const ScriptFunction& fn)
        : L_(L),
          fn_(fn),
          def_(fn.def),
          storage_(def_.params.size()),
          slots_(def_.params.size() + 1),
          arg_(def_.params.size()) {
        std::fill_n(slots_.data(), def_.params.size() + 1, nullptr);
        std::fill_n(arg_.data(), def_.params.size(), 0);
        // Every parameter but a buffer's size takes its place in C order: an output before later
        // inputs is a placeholder, whose value may serve as the output's initial value.
        int next = 1;
        for (std::size_t i = 0; i < def_.params.size(); ++i) {
            if (def_.params[i].role != Role::Size) arg_[i] = next++;
        }
    }

    int run() {
        for (std::size_t i = 0; i < def_.params.size(); ++i) pack(i);
        // A size parameter describes the buffer before it, known only once that is packed.
        for (std::size_t i = 0; i < def_.params.size(); ++i) {
            if (def_.params[i].role != Role::Size) continue;
            std::size_t size = 0;
            if (def_.params[i - 1].type.type == ValueType::String) {
                size = text_sizes_.empty() ? 0 : text_sizes_[i - 1];
            } else if (!buffers_.empty()) {
                size = buffers_[i - 1].size();
            }
            if (def_.params[i].type.type == ValueType::IntPtr) {
                storage_[i].i = static_cast<int>(size);
                slots_[i] = &storage_[i].i;
            } else {
                slots_[i] = by_value(static_cast<std::intptr_t>(size));
            }
        }
        double result_double = 0.0;
        slots_[def_.params.size()] = &result_double;
        const int numparms = static_cast<int>(def_.params.size());
        fn_.host->take_buffer_request();
        void* result = fn_.callee.invoke(fn_.callee.context, slots_.data(), numparms);
        // A NeedBig buffer too small for the answer: grown to the size asked for, called again.
        if (const std::size_t wanted = fn_.host->take_buffer_request(); wanted > 0) {
            if (grow_need_big(wanted)) {
                result = fn_.callee.invoke(fn_.callee.context, slots_.data(), numparms);
            }
        }

        int pushed = 0;
        lua_checkstack(L_, static_cast<int>(def_.params.size()) + 2);
        if (def_.result.type != ValueType::Void) {
            push_result(result, result_double);
            ++pushed;
        }
        for (std::size_t i = 0; i < def_.params.size(); ++i) {
            if (!def_.returned(def_.params[i])) continue;
            push_output(i);
            ++pushed;
        }
        return pushed;
    }

private:
    bool grow_need_big(std::size_t wanted) {
        for (std::size_t i = 0; i < def_.params.size(); ++i) {
            const ParamDef& p = def_.params[i];
            if (p.type.type != ValueType::Buffer || !p.need_big || buffers_.empty() ||
                buffers_[i].size() >= wanted) {
                continue;
            }
            buffers_[i].resize(wanted, '\0');
            slots_[i] = buffers_[i].data();
            if (p.sized && def_.params[i + 1].type.type == ValueType::Int) {
                slots_[i + 1] = by_value(static_cast<std::intptr_t>(wanted));
            } else if (p.sized) {
                storage_[i + 1].i = static_cast<int>(wanted);
            }
            return true;
        }
        return false;
    }

    [[noreturn]] void fail(std::size_t i, const std::string& expected) const {
        throw ScriptError(def_.name + " argument " + std::to_string(arg_[i]) + ": expected " +
                          expected);
    }

    std::string expected_name(const ParamDef& p) const {
        if (p.type.type == ValueType::Handle) return p.type.handle;
        return lua_type_name(p.type);
    }

    int read_int(std::size_t i, const ParamDef& p, bool nil_allowed) {
        const int a = arg_[i];
        if (nil_allowed && is_nil(L_, a)) return 0;
        if (auto v = to_int(L_, a)) return *v;
        fail(i, expected_name(p));
    }

    bool read_bool(std::size_t i, const ParamDef& p, bool nil_allowed) {
        const int a = arg_[i];
        if (nil_allowed && is_nil(L_, a)) return false;
        if (lua_type(L_, a) == LUA_TBOOLEAN) return lua_toboolean(L_, a) != 0;
        if (auto v = to_number(L_, a)) return *v != 0.0;
        fail(i, expected_name(p));
    }

    double read_double(std::size_t i, const ParamDef& p, bool nil_allowed) {
        const int a = arg_[i];
        if (nil_allowed && is_nil(L_, a)) return 0.0;
        if (auto v = to_number(L_, a)) return *v;
        fail(i, expected_name(p));
    }

    // A nil text arrives as "", as REAPER passes it.
    std::string_view read_text(std::size_t i, const ParamDef& p) {
        const int a = arg_[i];
        if (is_nil(L_, a)) return "";
        const int type = lua_type(L_, a);
        if (type != LUA_TSTRING && type != LUA_TNUMBER) fail(i, expected_name(p));
        std::size_t length = 0;
        const char* text = lua_tolstring(L_, a, &length);
        return {text, length};
    }

    // REAPER's binding: a project may be nil or 0 (the current one); any other handle must be a
    // handle, or nil where the parameter is optional. A handle that is not live is refused later,
    // by the object check.
    void* read_handle(std::size_t i, const ParamDef& p) {
        const int a = arg_[i];
        const bool project = p.type.handle == "ReaProject*";
        // A window may be nil: scripts pass MIDIEditor_GetActive()'s nil on when none is open.
        const bool window = p.type.handle == "HWND";
        void* handle = nullptr;
        if (lua_type(L_, a) == LUA_TLIGHTUSERDATA) {
            handle = lua_touserdata(L_, a);
        } else if (!(project && lua_type(L_, a) == LUA_TNUMBER && lua_tonumber(L_, a) == 0) &&
                   !((project || window || p.optional) && is_nil(L_, a))) {
            throw ScriptError("bad argument #" + std::to_string(arg_[i]) + " to '" + def_.name +
                              "' (" + p.type.handle.substr(0, p.type.handle.size() - 1) +
                              " expected)");
        }
        if (project) {
            if (handle != nullptr && !fn_.host->validate(nullptr, handle, p.type.handle))
                fail(i, p.type.handle);
            project_ = static_cast<ReaProject*>(handle);
        } else if (handle != nullptr && !fn_.host->validate(project_, handle, p.type.handle)) {
            fail(i, p.type.handle);
        }
        return handle;
    }

    void pack_buffer(std::size_t i, const ParamDef& p) {
        if (p.optional && p.role == Role::In && is_nil(L_, arg_[i])) return;  // null
        const std::string_view initial = read_text(i, p);
        const std::size_t size = p.need_big ? kNeedBigBufferSize : kOutBufferSize;
        if (buffers_.empty()) buffers_.resize(def_.params.size());
        std::vector<char>& buffer = buffers_[i];
        buffer.assign(std::max(size, initial.size() + 1), '\0');
        if (!initial.empty()) std::memcpy(buffer.data(), initial.data(), initial.size());
        slots_[i] = buffer.data();
    }

    // An int*, double* or bool*: null for a nil optional input, else the address of its value.
    // Outputs start from 0 unless the script gives a value.
    template <class T>
    void pack_pointer(std::size_t i, const ParamDef& p, T& value,
                      T (Call::*read)(std::size_t, const ParamDef&, bool)) {
        if (p.role != Role::Out && p.optional && is_nil(L_, arg_[i])) return;
        // An in-out value left out starts from 0: scripts call GetSet_ArrangeView2(0, false, 0, 0).
        value = (this->*read)(i, p, p.optional || p.role != Role::In);
        slots_[i] = &value;
    }

    void pack(std::size_t i) {
        const ParamDef& p = def_.params[i];
        Storage& s = storage_[i];
        if (p.role == Role::Size) return;
        switch (p.type.type) {
            case ValueType::Int:
                slots_[i] = by_value(read_int(i, p, p.optional));
                return;
            case ValueType::Bool:
                slots_[i] = by_value(read_bool(i, p, p.optional) ? 1 : 0);
                return;
            case ValueType::Double:
                if (p.optional && is_nil(L_, arg_[i])) return;
                s.d = read_double(i, p, false);
                slots_[i] = &s.d;
                return;
            case ValueType::String: {
                if (p.optional && is_nil(L_, arg_[i])) return;
                const std::string_view text = read_text(i, p);
                slots_[i] = const_cast<char*>(text.data());
                if (p.sized) {
                    if (text_sizes_.empty()) text_sizes_.resize(def_.params.size());
                    text_sizes_[i] = text.size();
                }
                return;
            }
            case ValueType::Buffer:
                pack_buffer(i, p);
                return;
            case ValueType::IntPtr:
                pack_pointer(i, p, s.i, &Call::read_int);
                return;
            case ValueType::DoublePtr:
                pack_pointer(i, p, s.d, &Call::read_double);
                return;
            case ValueType::BoolPtr:
                pack_pointer(i, p, s.b, &Call::read_bool);
                return;
            case ValueType::Handle:
                slots_[i] = read_handle(i, p);
                return;
            case ValueType::TextPtr:
                if (p.role != Role::Out) break;
                s.text = nullptr;
                slots_[i] = &s.text;
                return;
            case ValueType::Void:
            case ValueType::Unsupported:
                break;
        }
        if (p.optional && is_nil(L_, arg_[i])) return;
        throw ScriptError(def_.name + " argument " + std::to_string(arg_[i]) + ": type " +
                          p.type.declared + " cannot be passed from Lua");
    }

    void push_result(void* r, double result_double) {
        const auto bits = reinterpret_cast<std::uintptr_t>(r);
        switch (def_.result.type) {
            case ValueType::Void:
                return;
            case ValueType::Bool:
                lua_pushboolean(L_, r != nullptr);
                return;
            case ValueType::Int:
                // Only the low 32 bits carry an int.
                lua_pushinteger(L_, static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
                return;
            case ValueType::Double:
                lua_pushnumber(L_, result_double);
                return;
            case ValueType::String:
            case ValueType::Buffer:
                if (r == nullptr) {
                    lua_pushnil(L_);
                } else {
                    lua_pushstring(L_, static_cast<const char*>(r));
                }
                return;
            case ValueType::Handle:
            case ValueType::IntPtr:
            case ValueType::DoublePtr:
            case ValueType::BoolPtr:
            case ValueType::TextPtr:
            case ValueType::Unsupported:
                if (r == nullptr) {
                    lua_pushnil(L_);
                } else {
                    lua_pushlightuserdata(L_, r);
                }
                return;
        }
    }

    void push_output(std::size_t i) {
        const Storage& s = storage_[i];
        if (slots_[i] == nullptr) {
            lua_pushnil(L_);
            return;
        }
        switch (def_.params[i].type.type) {
            case ValueType::Buffer: {
                const std::vector<char>& buffer = buffers_[i];
                // A size given by address comes back as the length written: binary data.
                const bool counted = i + 1 < def_.params.size() &&
                                     def_.params[i + 1].role == Role::Size &&
                                     def_.params[i + 1].type.type == ValueType::IntPtr;
                const std::size_t length =
                    counted ? std::min<std::size_t>(std::max(storage_[i + 1].i, 0), buffer.size())
                            : strnlen(buffer.data(), buffer.size());
                lua_pushlstring(L_, buffer.data(), length);
                return;
            }
            case ValueType::IntPtr:
                lua_pushinteger(L_, s.i);
                return;
            case ValueType::DoublePtr:
                lua_pushnumber(L_, s.d);
                return;
            case ValueType::BoolPtr:
                lua_pushboolean(L_, s.b);
                return;
            case ValueType::TextPtr:
                if (s.text == nullptr) {
                    lua_pushnil(L_);
                } else {
                    lua_pushstring(L_, s.text);
                }
                return;
            default:
                lua_pushnil(L_);
                return;
        }
    }

    lua_State* L_;
    const ScriptFunction& fn_;
    const FunctionDef& def_;
    Scratch<Storage, kInlineParams> storage_;
    Scratch<void*, kInlineParams + 1> slots_;
    Scratch<int, kInlineParams> arg_;  // the Lua argument each parameter comes from, 0 for none
    std::vector<std::vector<char>> buffers_;  // by parameter, once a char* needs one
    std::vector<std::size_t> text_sizes_;     // by parameter, for a const char* with a size
    ReaProject* project_ = nullptr;
};

int call_upvalue(lua_State* L) {
    const auto* fn = static_cast<const ScriptFunction*>(lua_touserdata(L, lua_upvalueindex(1)));
    return call_script_function(L, *fn);
}

}  // namespace

Callee vararg_callee(void* vararg) {
    return Callee{&invoke_vararg, vararg};
}

void push_script_function(lua_State* L, const ScriptFunction* fn) {
    lua_pushlightuserdata(L, const_cast<ScriptFunction*>(fn));
    lua_pushcclosure(L, &guarded<&call_upvalue>, 1);
}

int call_script_function(lua_State* L, const ScriptFunction& fn) {
    if (!fn.unusable.empty()) throw ScriptError(fn.unusable);
    if (fn.callee.invoke == nullptr) throw ScriptError(fn.def.name + " cannot be called");
    return Call(L, fn).run();
}

}  // namespace reaper_sim
