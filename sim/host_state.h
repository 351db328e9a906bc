// The simulated host's private state, shared by the files that implement Host by role: building
// (host.cpp), lookups and observing (host_lookup.cpp), editing (host_edit.cpp), registration
// (host_registration.cpp). Nothing outside sim/host*.cpp includes it.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <deque>
#include <random>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "sim/host.h"

namespace sim {

namespace detail {

template <class P>
inline double param(const P& params, std::string_view name) {
    const double* found = params.find(name);
    return found == nullptr ? 0.0 : *found;
}

inline bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

inline std::string quote_text(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The live handles of one kind, in one flat table (open addressing, linear probing), each with
// what it stands for when that is not the handle itself: asking about a handle touches one or
// two cache lines, however many items the project has. Calls ask about the same handle several
// times in a row (find an item, then read it), so the last one found answers without probing.
// New handles wait in a list until the table is next asked: taken in the table's order, a
// project file's thousands land in a few sweeps of it instead of one cache miss each.
struct NoValue {};

template <class Value>
class LiveTable {
public:
    void insert(const void* p, Value value = {}) { waiting_.push_back(Slot{p, value}); }
    // Room for `n` handles in all without growing: a project file's load knows how many.
    void reserve(std::size_t n) {
        std::size_t want = 16;
        while (want < n * 2) want *= 2;
        if (want > slots_.size()) grow(want);
        waiting_.reserve(n);
    }
    // How many it held.
    std::size_t erase(const void* p) {
        if (p == last_) last_ = nullptr;
        if (count(p) == 0) return 0;
        last_ = nullptr;
        // Backward-shift deletion: later entries of the probe run move up, so no lookup stops at
        // the hole.
        std::size_t hole = find(p);
        slots_[hole] = Slot{};
        --size_;
        for (std::size_t next = (hole + 1) & mask(); slots_[next].key != nullptr;
             next = (next + 1) & mask()) {
            const std::size_t home = index(slots_[next].key);
            const bool stays =
                hole <= next ? hole < home && home <= next : hole < home || home <= next;
            if (stays) continue;
            slots_[hole] = slots_[next];
            slots_[next] = Slot{};
            hole = next;
        }
        return 1;
    }
    std::size_t count(const void* p) const { return lookup(p) != nullptr ? 1 : 0; }
    // What `p` stands for; null when it is not live.
    const Value* lookup(const void* p) const {
        if (p == nullptr) return nullptr;
        settle();
        if (slots_.empty()) return nullptr;
        if (p == last_) return &slots_[last_slot_].value;
        const std::size_t at = find(p);
        if (slots_[at].key != p) return nullptr;
        last_ = p;
        last_slot_ = at;
        return &slots_[at].value;
    }
    template <class Visit>
    void each(Visit visit) const {
        settle();
        for (const Slot& slot : slots_) {
            if (slot.key != nullptr) visit(slot.value);
        }
    }

private:
    struct Slot {
        const void* key = nullptr;
        [[no_unique_address]] Value value{};
    };
    std::size_t mask() const { return slots_.size() - 1; }
    std::size_t index(const void* p) const {
        return static_cast<std::size_t>(
            (reinterpret_cast<std::uintptr_t>(p) * 0x9e3779b97f4a7c15ull) >> shift_);
    }
    // The slot holding p, or the empty slot where it would go.
    std::size_t find(const void* p) const {
        std::size_t i = index(p);
        while (slots_[i].key != nullptr && slots_[i].key != p) i = (i + 1) & mask();
        return i;
    }
    void grow(std::size_t size) const {
        std::vector<Slot> old(size);
        old.swap(slots_);
        shift_ = 64 - std::countr_zero(slots_.size());
        last_ = nullptr;
        for (const Slot& slot : old) {
            if (slot.key != nullptr) slots_[find(slot.key)] = slot;
        }
    }
    // The waiting handles into the table, in the order of their home slots.
    void settle() const {
        if (waiting_.empty()) return;
        std::size_t want = slots_.empty() ? 16 : slots_.size();
        while ((size_ + waiting_.size()) * 2 > want) want *= 2;
        if (want > slots_.size()) grow(want);
        if (waiting_.size() > 1) {
            std::sort(waiting_.begin(), waiting_.end(),
                      [this](const Slot& a, const Slot& b) { return index(a.key) < index(b.key); });
        }
        for (const Slot& w : waiting_) {
            Slot& slot = slots_[find(w.key)];
            if (slot.key == nullptr) ++size_;
            slot = w;
        }
        waiting_.clear();
        if (waiting_.capacity() > 1024) waiting_.shrink_to_fit();  // a load's list goes back
    }

    // The table answers const lookups; settling the waiting handles into it is not a change.
    mutable std::vector<Slot> slots_;  // a power of two in size, at most half full
    mutable std::vector<Slot> waiting_;
    mutable std::size_t size_ = 0;
    mutable int shift_ = 64;
    mutable const void* last_ = nullptr;
    mutable std::size_t last_slot_ = 0;
};
using LiveSet = LiveTable<NoValue>;

inline const void* address(const Source* source) {
    return source->handle;
}

// Gives back the record slot a host borrowed (-1: none).
void release_record_slot(int slot);

}  // namespace detail

struct Host::State {
    // Everything ever made stays allocated until the host goes, so a stale handle never aliases a
    // newer object; the live sets say what still exists.
    std::vector<std::unique_ptr<Project>> project_store;
    std::vector<std::unique_ptr<Track>> track_store;
    std::vector<std::unique_ptr<Item>> item_store;
    std::vector<std::unique_ptr<Take>> take_store;
    std::vector<std::unique_ptr<Source>> source_store;
    std::unordered_set<const void*> live_projects;
    detail::LiveSet live_tracks;
    detail::LiveSet live_items;
    detail::LiveSet live_takes;
    detail::LiveTable<Source*> live_sources;  // by handle

    std::vector<Project*> projects;
    Project* current = nullptr;
    std::mt19937_64 random{std::random_device{}()};
    std::map<std::string, SourceSpec, std::less<>> media_files;

    std::deque<int> answers;
    bool sws = false;
    std::set<std::string, std::less<>> failing_writes;
    std::set<std::string, std::less<>> hidden;
    std::map<std::string, void*, std::less<>> provided;

    int redraws = 0;
    std::vector<CallRecord> calls;
    std::vector<MessageBoxRecord> boxes;
    std::vector<std::string> console;
    int created = 0;
    int destroyed = 0;
    std::vector<std::string> misuse;

    struct Api {
        std::string name;
        void* func = nullptr;
        const char* definition = nullptr;
        void* vararg = nullptr;
        bool has_func = false;
        bool has_definition = false;
        bool has_vararg = false;
        bool empty() const { return !has_func && !has_definition && !has_vararg; }
    };
    std::vector<Api> apis;
    std::vector<std::pair<std::string, void*>> others;
    std::vector<Registration> registrations;

    reaper_plugin_info_t info{};
    int slot = -1;
    char main_window = 0;  // hwnd_main points here: non-null, never dereferenced by REAPER code

    void kill_source(Source* source) {
        if (live_sources.erase(detail::address(source)) != 0) ++destroyed;
    }

    // The item and what it holds go stale; its track keeps listing it until the caller says.
    // Returns how many sources went with it.
    int forget_item(Item* item) {
        int sources = 0;
        for (Take* take : item->takes) {
            if (take->source != nullptr && live_sources.erase(detail::address(take->source)) != 0) {
                ++sources;
            }
            live_takes.erase(take);
        }
        live_items.erase(item);
        return sources;
    }

    Api* api(std::string_view name) {
        auto found = std::find_if(apis.begin(), apis.end(),
                                  [&](const Api& api) { return api.name == name; });
        return found == apis.end() ? nullptr : &*found;
    }

    int register_now(std::string_view name, void* value);
};

}  // namespace sim
