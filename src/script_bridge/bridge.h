// How a script call's argument slots become a native call, and the compile-time check that a
// definition text describes the native function it is registered with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "entry/host_api.h"

namespace qm_bridge {

// The type names REAPER's scripting layer knows. A type without an entry cannot be registered.
template <class T>
struct type_text;
#define QM_TYPE_TEXT(type, text)                        \
    template <>                                         \
    struct type_text<type> {                            \
        static constexpr std::string_view value = text; \
    };
QM_TYPE_TEXT(ReaProject*, "ReaProject*")
QM_TYPE_TEXT(MediaTrack*, "MediaTrack*")
QM_TYPE_TEXT(MediaItem*, "MediaItem*")
QM_TYPE_TEXT(const char*, "const char*")
QM_TYPE_TEXT(char*, "char*")
QM_TYPE_TEXT(int, "int")
QM_TYPE_TEXT(bool, "bool")
QM_TYPE_TEXT(double, "double")
QM_TYPE_TEXT(int*, "int*")
QM_TYPE_TEXT(double*, "double*")
QM_TYPE_TEXT(bool*, "bool*")
#undef QM_TYPE_TEXT

// One parameter slot, read by its declared type. `usable` is false for a slot the native function
// could not be called with at all.
template <class T>
struct slot {
    static_assert(std::is_pointer_v<T>, "no slot rule for this parameter type");
    static bool usable(void*) { return true; }
    static T read(void* s) { return static_cast<T>(s); }
};
template <>
struct slot<int> {
    static bool usable(void*) { return true; }
    // Only the low 32 bits carry the value; the host may leave anything above them.
    static int read(void* s) {
        return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(s)));
    }
};
template <>
struct slot<bool> {
    static bool usable(void*) { return true; }
    static bool read(void* s) { return s != nullptr; }
};
template <>
struct slot<double> {
    // Doubles arrive by address; a null address has no value to read.
    static bool usable(void* s) { return s != nullptr; }
    static double read(void* s) { return *static_cast<const double*>(s); }
};

inline void* pack_result(bool value) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(value ? 1 : 0));
}
inline void* pack_result(MediaItem* item) {
    return item;
}

// No exception may cross into REAPER, so a script wrapper calls only noexcept functions.
template <class F>
struct native_traits {
    static_assert(sizeof(F) == 0, "a registered native function must be noexcept");
};
template <class R, class... A>
struct native_traits<R (*)(A...) noexcept> {
    using result = R;
    static constexpr std::size_t arity = sizeof...(A);
    template <std::size_t I>
    using param = std::tuple_element_t<I, std::tuple<A...>>;
};

template <auto F, class R, class... A, std::size_t... I>
inline void* invoke(R (*)(A...) noexcept, void** arglist, int numparms, std::index_sequence<I...>) {
    // A short or missing argument array would make us read past what the caller gave.
    if (numparms < static_cast<int>(sizeof...(A))) return nullptr;
    if constexpr (sizeof...(A) > 0) {
        if (arglist == nullptr) return nullptr;
        if (!(slot<A>::usable(arglist[I]) && ...)) return nullptr;
    }
    return pack_result(F(slot<A>::read(arglist[I])...));
}

// The body of every script wrapper: unpack, call, pack. No allocation, no lookup.
template <auto F>
inline void* call(void** arglist, int numparms) noexcept {
    using traits = native_traits<decltype(F)>;
    return invoke<F>(F, arglist, numparms, std::make_index_sequence<traits::arity>{});
}

// ---- definition text checks (compile time) ----

constexpr std::string_view trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The i-th comma-separated field of a list, blanks around it removed.
constexpr std::string_view list_field(std::string_view list, std::size_t index) {
    for (std::size_t i = 0; i < index; ++i) {
        const std::size_t comma = list.find(',');
        if (comma == std::string_view::npos) return {};
        list.remove_prefix(comma + 1);
    }
    return trim(list.substr(0, list.find(',')));
}

constexpr std::size_t list_size(std::string_view list) {
    if (list.empty()) return 0;
    std::size_t n = 1;
    for (char c : list) n += c == ',' ? 1 : 0;
    return n;
}

// REAPER's own tables spell the item handle "Mediaitem*" in places; it is the same type.
constexpr bool same_type(std::string_view declared, std::string_view actual) {
    return declared == actual || (actual == "MediaItem*" && declared == "Mediaitem*");
}

template <class T>
constexpr bool is_output = std::is_same_v<T, int*> || std::is_same_v<T, double*> ||
                           std::is_same_v<T, bool*> || std::is_same_v<T, char*>;

constexpr bool ends_with(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

template <class F, std::size_t... I>
constexpr bool params_match(std::string_view types, std::string_view names,
                            std::index_sequence<I...>) {
    using traits = native_traits<F>;
    if (list_size(types) != traits::arity || list_size(names) != traits::arity) return false;
    bool ok = true;
    ((ok = ok &&
           same_type(list_field(types, I), type_text<typename traits::template param<I>>::value) &&
           !list_field(names, I).empty()),
     ...);
    // Outputs are recognised by name: REAPER treats only a ...Out parameter as one.
    ((ok = ok && (!is_output<typename traits::template param<I>> ||
                  ends_with(list_field(names, I), "Out"))),
     ...);
    return ok;
}

// A text buffer must be followed by its size, named after it with _sz.
constexpr bool buffers_sized(std::string_view types, std::string_view names) {
    for (std::size_t i = 0; i < list_size(types); ++i) {
        if (list_field(types, i) != "char*") continue;
        if (list_field(types, i + 1) != "int") return false;
        const std::string_view buffer = list_field(names, i);
        const std::string_view size = list_field(names, i + 1);
        if (size.size() != buffer.size() + 3 || size.substr(0, buffer.size()) != buffer ||
            !ends_with(size, "_sz"))
            return false;
    }
    return true;
}

// True when a definition text's fields describe `F` exactly.
template <auto F>
constexpr bool definition_matches(std::string_view ret, std::string_view types,
                                  std::string_view names, std::string_view help) {
    using traits = native_traits<decltype(F)>;
    // REAPER reads the result by its exact type name; the lower-case spelling is for parameters.
    return ret == type_text<typename traits::result>::value &&
           params_match<decltype(F)>(types, names, std::make_index_sequence<traits::arity>{}) &&
           buffers_sized(types, names) && help.substr(0, 8) == "[QM:API]";
}

}  // namespace qm_bridge
