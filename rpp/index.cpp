#include "rpp/index.h"

#include <bit>
#include <cstring>
#include <functional>
#include <set>

#include "rpp/text.h"

namespace rpp {

namespace {

// The live indexes, so an origin left behind by a file that is gone is never followed.
std::set<const Index*>& live() {
    static std::set<const Index*> indexes;
    return indexes;
}

template <class T>
const T* find(const void* origin, const std::vector<T> Index::*nodes) {
    if (origin == nullptr) return nullptr;
    const std::less<const void*> before;
    for (const Index* index : live()) {
        const std::vector<T>& v = index->*nodes;
        if (v.empty() || before(origin, v.data()) || !before(origin, v.data() + v.size())) {
            continue;
        }
        return static_cast<const T*>(origin);
    }
    return nullptr;
}

class Hasher {
public:
    // Four lanes taken in turn, each step a bijection of the lane: one word changed always
    // changes the hash, and the lanes' multiplies do not wait on each other (a save hashes every
    // item).
    void word(std::uint64_t w) {
        std::uint64_t& lane = h_[n_++ & 3];
        lane = (lane ^ w) * 0xff51afd7ed558ccdULL;
    }
    void number(double d) { word(std::bit_cast<std::uint64_t>(d)); }
    void text(std::string_view s) {
        word(s.size());
        std::size_t i = 0;
        for (; i + 8 <= s.size(); i += 8) {
            std::uint64_t w = 0;
            std::memcpy(&w, s.data() + i, 8);
            word(w);
        }
        std::uint64_t tail = 0;
        if (i < s.size()) std::memcpy(&tail, s.data() + i, s.size() - i);
        word(tail);
    }
    void pointer(const void* p) { word(reinterpret_cast<std::uintptr_t>(p)); }
    std::uint64_t value() const {
        return h_[0] ^ std::rotl(h_[1], 17) ^ std::rotl(h_[2], 31) ^ std::rotl(h_[3], 47);
    }

private:
    std::uint64_t h_[4] = {0x84222325cbf29ce4ULL, 0x9e3779b97f4a7c15ULL, 0xc2b2ae3d27d4eb4fULL,
                           0x165667b19e3779f9ULL};
    std::size_t n_ = 0;
};

}  // namespace

Index::Index() {
    live().insert(this);
}

Index::~Index() {
    live().erase(this);
}

const ItemNode* Index::item_of(const void* origin) {
    return find(origin, &Index::items);
}
const TakeNode* Index::take_of(const void* origin) {
    return find(origin, &Index::takes);
}
const SourceNode* Index::source_of(const void* origin) {
    return find(origin, &Index::sources);
}
const TrackNode* Index::track_of(const void* origin) {
    return find(origin, &Index::tracks);
}

std::string loaded_name(const TrackNode& node) {
    if (node.name == kNone) return {};
    return std::string(FieldList(classify(node.index->doc.content(node.name)).rest, 1).value(0));
}

bool loaded_selected(const TrackNode& node) {
    double v = 0.0;
    return node.sel != kNone &&
           parse_double(FieldList(classify(node.index->doc.content(node.sel)).rest, 1).value(0),
                        v) &&
           v != 0.0;
}

std::uint64_t hash_item_own(const sim::Item& item) {
    Hasher h;
    for (const auto& [name, value] : item.params) h.number(value);
    h.number(item.snap_offset);
    h.word(static_cast<std::uint64_t>(item.group) << 32 ^ static_cast<std::uint32_t>(item.color));
    h.text(item.notes);
    h.text(item.guid);
    h.word(static_cast<std::uint64_t>(item.active_take) << 32 ^ item.takes.size());
    for (const sim::Take* take : item.takes) h.pointer(take->origin);
    return h.value();
}

std::uint64_t hash_take(const sim::Take& take) {
    Hasher h;
    h.text(take.name);
    for (const auto& [name, value] : take.params) h.number(value);
    h.word(static_cast<std::uint64_t>(take.empty) << 32 ^ static_cast<std::uint32_t>(take.color));
    h.text(take.guid);
    h.word(take.markers.size());
    for (const sim::TakeMarker& m : take.markers) {
        h.number(m.source_position);
        h.text(m.name);
        h.word(static_cast<std::uint32_t>(m.color));
    }
    h.word(take.stretch_markers.size());
    for (const sim::StretchMarker& m : take.stretch_markers) {
        h.number(m.position);
        h.number(m.source_position);
        h.number(m.slope);
    }
    h.word(take.fx.size());
    for (const sim::TakeFx& fx : take.fx) {
        h.text(fx.name);
        h.word(static_cast<std::uint64_t>(fx.enabled) << 1 |
               static_cast<std::uint64_t>(fx.offline));
        h.text(fx.state);
        h.text(fx.guid);
        h.pointer(fx.origin);
    }
    h.word(take.envelopes.size());
    for (const sim::Envelope& env : take.envelopes) {
        h.text(env.kind);
        h.word(static_cast<std::uint64_t>(static_cast<std::uint32_t>(env.fx)));
        h.text(env.parameter);
        h.pointer(env.origin);
        h.word(env.points.size());
        for (const sim::EnvelopePoint& p : env.points) {
            h.number(p.time);
            h.number(p.value);
            h.number(p.tension);
            h.word(static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.shape)) << 1 |
                   static_cast<std::uint64_t>(p.selected));
        }
    }
    h.pointer(take.source);
    if (take.source != nullptr) {
        const sim::SourceSpec& media = take.source->media;
        h.text(media.type);
        h.text(media.file);
        h.word(static_cast<std::uint64_t>(media.ticks_per_qn));
        h.word(media.midi.size());
        for (const sim::MidiEvent& e : media.midi) {
            h.word(static_cast<std::uint64_t>(e.tick));
            h.word(e.flags);
            h.text(e.message);
        }
    }
    return h.value();
}

void record_loaded(Index& index, ItemNode& node, const sim::Item& item) {
    node.hash = hash_item_own(item);
    auto& takes = index.takes;
    for (std::size_t k = 0; k < node.take_count && k < item.takes.size(); ++k) {
        takes[node.first_take + k].hash = hash_take(*item.takes[k]);
    }
}

}  // namespace rpp
