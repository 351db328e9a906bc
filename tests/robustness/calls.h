// Calls of any registered function built from its definition text alone: a project with items to
// call it on, valid arguments that address one of them, and the call through the script wrapper.
#pragma once

#include <cctype>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "definition.h"
#include "sim/host.h"

namespace qm_robust {

using reaper_sim::FunctionDef;
using reaper_sim::Role;
using reaper_sim::ValueType;

// A file InsertMedia can read; also the text given to every other const char* parameter.
inline constexpr const char* kMediaFile = "robust.wav";
inline constexpr unsigned char kUntouched = 0x5a;  // every byte of an output before the call

//   T0*: a0* (WAVE)  a1 (a take without a source)    <- index 0 of every kind names a0
//   T1*: b0* (MP3)   b1 (no take)
//   T2:  c0 (MIDI)
struct Fixture {
    sim::Track* track = nullptr;  // T0
    sim::Item* item = nullptr;    // a0
};

// The count an index parameter reaches when it equals it, by what the parameter's name says it
// counts (itemID, selectItemID, trackID, selectTrackId, trackItemID on T0, ...); none for an int
// that counts nothing (mediaTypeID, startEndType, a value).
inline std::optional<int> count_for(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!lower.ends_with("id")) return std::nullopt;
    const bool track = lower.find("track") != std::string::npos;
    const bool item = lower.find("item") != std::string::npos;
    const bool select = lower.find("select") != std::string::npos;
    if (track && item) return 2;  // items on T0
    if (track) return select ? 2 : 3;
    if (item) return select ? 2 : 5;
    return std::nullopt;
}

// Builds the project above as the host's current one, replacing whatever project was current.
inline Fixture build(sim::Host& host) {
    host.close_project(host.current_project());
    host.add_media_file(kMediaFile, sim::SourceSpec{});
    host.current_project()->cursor = 1.5;
    auto item = [&](sim::Track* track, bool selected, int takes, const char* type) {
        sim::ItemSpec wanted;
        wanted.selected = selected;
        wanted.position = static_cast<double>(track->items.size()) * 2.0;
        for (int t = 0; t < takes; ++t) {
            sim::TakeSpec take;
            take.name = std::string("take.") + (type != nullptr ? type : "none");
            if (type != nullptr) {
                take.source = sim::SourceSpec{};
                take.source->type = type;
            }
            wanted.takes.push_back(take);
        }
        return host.add_item(track, wanted);
    };
    Fixture f;
    f.track = host.add_track(nullptr, "T0", true);
    f.item = item(f.track, true, 1, "WAVE");
    item(f.track, false, 1, nullptr);
    sim::Track* t1 = host.add_track(nullptr, "T1", true);
    item(t1, true, 1, "MP3");
    item(t1, false, 0, nullptr);
    item(host.add_track(nullptr, "T2"), false, 1, "MIDI");
    return f;
}

struct Registered {
    FunctionDef def;
    void* vararg = nullptr;
    std::string error;  // the definition could not be read
};

inline std::vector<Registered> registered(const sim::Host& host) {
    std::vector<Registered> out;
    for (const sim::RegisteredFunction& reg : host.registered_functions()) {
        Registered r;
        r.vararg = reg.vararg;
        if (auto def = reaper_sim::parse_definition(
                reg.name, reaper_sim::definition_extent(reg.definition), r.error)) {
            r.def = std::move(*def);
        } else {
            r.def.name = reg.name;
        }
        out.push_back(std::move(r));
    }
    return out;
}

// The argument slots of one call, valid for the fixture: handles of its project, T0 and a0, index
// 0, the media file's name, 1.0, true, and outputs (a 1024-byte buffer for char*) whose bytes are
// all kUntouched. Storage is sized once, so the slots stay valid.
class Arguments {
public:
    std::vector<void*> slots;

    Arguments(const FunctionDef& def, sim::Host& host, const Fixture& f)
        : slots(def.params.size()), doubles_(def.params.size()), outputs_(def.params.size()) {
        for (std::size_t i = 0; i < def.params.size(); ++i) {
            const reaper_sim::TypeInfo& type = def.params[i].type;
            switch (type.type) {
                case ValueType::Handle:
                    if (type.handle == "ReaProject*") {
                        slots[i] = sim::Host::handle(host.current_project());
                    } else if (type.handle == "MediaTrack*") {
                        slots[i] = sim::Host::handle(f.track);
                    } else if (type.handle == "MediaItem*") {
                        slots[i] = sim::Host::handle(f.item);
                    } else {
                        unsupported_ = type.declared;
                    }
                    break;
                case ValueType::Int:
                    set_int(i, def.params[i].role == Role::Size ? 1024 : 0);
                    break;
                case ValueType::Bool:
                    set_int(i, 1);
                    break;
                case ValueType::Double:
                    set_double(i, 1.0);
                    break;
                case ValueType::String:
                    slots[i] = const_cast<char*>(kMediaFile);
                    break;
                case ValueType::Buffer:
                    set_output(i, 1024);
                    break;
                case ValueType::IntPtr:
                    set_output(i, sizeof(int));
                    break;
                case ValueType::DoublePtr:
                    set_output(i, sizeof(double));
                    break;
                case ValueType::BoolPtr:
                    set_output(i, 1);  // kUntouched is no bool's value: any write shows
                    break;
                case ValueType::TextPtr:
                case ValueType::Void:
                case ValueType::Unsupported:
                    unsupported_ = type.declared;
                    break;
            }
        }
    }

    // Non-empty: a parameter type this harness cannot build, named.
    const std::string& unsupported() const { return unsupported_; }

    void set_int(std::size_t i, int value) {
        slots[i] = reinterpret_cast<void*>(static_cast<std::intptr_t>(value));
    }
    void set_double(std::size_t i, double value) {
        doubles_[i] = value;
        slots[i] = &doubles_[i];
    }

    // Every output the call was given still holds kUntouched.
    bool outputs_untouched() const {
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (slots[i] != outputs_[i].data()) continue;
            for (unsigned char byte : outputs_[i]) {
                if (byte != kUntouched) return false;
            }
        }
        return true;
    }

    void* call(void* vararg) {
        auto wrapper = reinterpret_cast<void* (*)(void**, int)>(vararg);
        return wrapper(slots.data(), static_cast<int>(slots.size()));
    }

private:
    void set_output(std::size_t i, std::size_t size) {
        outputs_[i].assign(size, kUntouched);  // heap storage: aligned for any scalar
        slots[i] = outputs_[i].data();
    }

    std::vector<double> doubles_;
    std::vector<std::vector<unsigned char>> outputs_;
    std::string unsupported_;
};

}  // namespace qm_robust
