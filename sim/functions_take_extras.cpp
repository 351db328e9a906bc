#include "sim/functions_take_extras.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "sim/host.h"
#include "sim/take_extras_common.h"

namespace sim {

namespace {

using take_extras::in_range;
using take_extras::put;
using take_extras::take_of;

void copy_text(const std::string& text, char* out, int out_sz) {
    if (out == nullptr || out_sz <= 0) return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(out_sz) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

double take_rate(const Take& take) {
    const double rate = take.params.at("D_PLAYRATE");
    return rate > 0.0 ? rate : 1.0;
}

// ---- stretch markers ----

// The source position that plays at `pos` (seconds from the item start): interpolated between
// markers, at the take's rate outside them.
double source_at(const Take& take, double pos) {
    const auto& markers = take.stretch_markers;
    const double rate = take_rate(take);
    if (markers.empty()) return take.params.at("D_STARTOFFS") + pos * rate;
    if (pos <= markers.front().position) {
        return markers.front().source_position - (markers.front().position - pos) * rate;
    }
    if (pos >= markers.back().position) {
        return markers.back().source_position + (pos - markers.back().position) * rate;
    }
    auto after = std::upper_bound(markers.begin(), markers.end(), pos,
                                  [](double p, const StretchMarker& m) { return p < m.position; });
    const StretchMarker& a = *(after - 1);
    const StretchMarker& b = *after;
    return a.source_position +
           (b.source_position - a.source_position) * (pos - a.position) / (b.position - a.position);
}

// ---- envelopes ----

struct EnvelopeRef {
    Take* take = nullptr;
    Envelope* envelope = nullptr;
};

EnvelopeRef find_envelope(const char* function, TrackEnvelope* handle) {
    Host* host = Host::active();
    if (host == nullptr || handle == nullptr) return {};
    if (host->logs_calls()) host->log_call(function);
    for (Project* project : host->projects()) {
        for (Track* track : project->tracks) {
            for (Item* item : track->items) {
                for (Take* take : item->takes) {
                    for (Envelope& envelope : take->envelopes) {
                        if (reinterpret_cast<TrackEnvelope*>(&envelope) == handle) {
                            return {take, &envelope};
                        }
                    }
                }
            }
        }
    }
    return {};
}

void sort_points(Envelope& envelope) {
    std::stable_sort(
        envelope.points.begin(), envelope.points.end(),
        [](const EnvelopePoint& a, const EnvelopePoint& b) { return a.time < b.time; });
}

}  // namespace

namespace reaper {

// ---- take markers ----

int GetNumTakeMarkers(MediaItem_Take* take) {
    Take* live = take_of("GetNumTakeMarkers", take);
    return live != nullptr ? static_cast<int>(live->markers.size()) : 0;
}

double GetTakeMarker(MediaItem_Take* take, int idx, char* nameOut, int nameOut_sz,
                     int* colorOutOptional) {
    Take* live = take_of("GetTakeMarker", take);
    if (live == nullptr || !in_range(live->markers, idx)) {
        copy_text("", nameOut, nameOut_sz);
        return -1.0;
    }
    const TakeMarker& m = live->markers[static_cast<std::size_t>(idx)];
    copy_text(m.name, nameOut, nameOut_sz);
    put(colorOutOptional, m.color);
    return m.source_position;
}

int SetTakeMarker(MediaItem_Take* take, int idx, const char* nameIn, double* srcposInOptional,
                  int* colorInOptional) {
    Take* live = take_of("SetTakeMarker", take);
    if (live == nullptr || (idx >= 0 && !in_range(live->markers, idx))) return -1;
    if (srcposInOptional != nullptr && !std::isfinite(*srcposInOptional)) return -1;
    TakeMarker marker;
    if (idx >= 0) {
        marker = live->markers[static_cast<std::size_t>(idx)];
        live->markers.erase(live->markers.begin() + idx);
    } else {
        // Where the edit cursor plays in the source, when no position is given.
        const Item& item = *live->item;
        const double cursor = item.track->project->cursor - item.params.at("D_POSITION");
        marker.source_position = source_at(*live, cursor);
    }
    if (nameIn != nullptr) marker.name = nameIn;
    if (srcposInOptional != nullptr) marker.source_position = *srcposInOptional;
    if (colorInOptional != nullptr) marker.color = *colorInOptional;
    const auto at =
        std::upper_bound(live->markers.begin(), live->markers.end(), marker.source_position,
                         [](double p, const TakeMarker& m) { return p < m.source_position; });
    const int index = static_cast<int>(at - live->markers.begin());
    live->markers.insert(at, std::move(marker));
    return index;
}

// ---- stretch markers ----

int GetTakeNumStretchMarkers(MediaItem_Take* take) {
    Take* live = take_of("GetTakeNumStretchMarkers", take);
    return live != nullptr ? static_cast<int>(live->stretch_markers.size()) : 0;
}

int GetTakeStretchMarker(MediaItem_Take* take, int idx, double* posOut, double* srcposOutOptional) {
    Take* live = take_of("GetTakeStretchMarker", take);
    if (live == nullptr) return -1;
    const auto& markers = live->stretch_markers;
    if (idx == -1) {
        // A lookup: the first marker at or after the position given, by item or source time.
        const bool by_source = posOut == nullptr || *posOut == -1.0;
        const double from = by_source ? (srcposOutOptional ? *srcposOutOptional : -1.0) : *posOut;
        if (by_source && srcposOutOptional == nullptr) return -1;
        for (std::size_t i = 0; i < markers.size(); ++i) {
            const double at = by_source ? markers[i].source_position : markers[i].position;
            if (at >= from) return static_cast<int>(i);
        }
        return -1;
    }
    if (!in_range(markers, idx)) return -1;
    put(posOut, markers[static_cast<std::size_t>(idx)].position);
    put(srcposOutOptional, markers[static_cast<std::size_t>(idx)].source_position);
    return idx;
}

int SetTakeStretchMarker(MediaItem_Take* take, int idx, double pos,
                         const double* srcposInOptional) {
    Take* live = take_of("SetTakeStretchMarker", take);
    if (live == nullptr || !std::isfinite(pos)) return -1;
    if (srcposInOptional != nullptr && !std::isfinite(*srcposInOptional)) return -1;
    auto& markers = live->stretch_markers;
    if (idx < 0) {
        const auto at =
            std::lower_bound(markers.begin(), markers.end(), pos,
                             [](const StretchMarker& m, double p) { return m.position < p; });
        if (at != markers.end() && at->position == pos) return -1;
        StretchMarker marker;
        marker.position = pos;
        marker.source_position =
            srcposInOptional != nullptr ? *srcposInOptional : source_at(*live, pos);
        const int index = static_cast<int>(at - markers.begin());
        markers.insert(at, marker);
        return index;
    }
    if (!in_range(markers, idx)) return -1;
    const auto i = static_cast<std::size_t>(idx);
    double low = i > 0 ? markers[i - 1].position : -INFINITY;
    double high = i + 1 < markers.size() ? markers[i + 1].position : INFINITY;
    markers[i].position = std::clamp(pos, low, high);
    if (srcposInOptional != nullptr) markers[i].source_position = *srcposInOptional;
    return idx;
}

int DeleteTakeStretchMarkers(MediaItem_Take* take, int idx, const int* countInOptional) {
    Take* live = take_of("DeleteTakeStretchMarkers", take);
    if (live == nullptr || !in_range(live->stretch_markers, idx)) return 0;
    const int wanted = countInOptional != nullptr ? *countInOptional : 1;
    const int available = static_cast<int>(live->stretch_markers.size()) - idx;
    const int count = std::clamp(wanted, 0, available);
    live->stretch_markers.erase(live->stretch_markers.begin() + idx,
                                live->stretch_markers.begin() + idx + count);
    return count;
}

double GetTakeStretchMarkerSlope(MediaItem_Take* take, int idx) {
    Take* live = take_of("GetTakeStretchMarkerSlope", take);
    if (live == nullptr || !in_range(live->stretch_markers, idx)) return 0.0;
    return live->stretch_markers[static_cast<std::size_t>(idx)].slope;
}

bool SetTakeStretchMarkerSlope(MediaItem_Take* take, int idx, double slope) {
    Take* live = take_of("SetTakeStretchMarkerSlope", take);
    if (live == nullptr || !in_range(live->stretch_markers, idx) || !std::isfinite(slope)) {
        return false;
    }
    live->stretch_markers[static_cast<std::size_t>(idx)].slope = slope;
    return true;
}

// ---- take FX ----

int TakeFX_GetCount(MediaItem_Take* take) {
    Take* live = take_of("TakeFX_GetCount", take);
    return live != nullptr ? static_cast<int>(live->fx.size()) : 0;
}

bool TakeFX_GetFXName(MediaItem_Take* take, int fx, char* bufOut, int bufOut_sz) {
    Take* live = take_of("TakeFX_GetFXName", take);
    const bool found = live != nullptr && in_range(live->fx, fx);
    copy_text(found ? live->fx[static_cast<std::size_t>(fx)].name : "", bufOut, bufOut_sz);
    return found;
}

bool TakeFX_Delete(MediaItem_Take* take, int fx) {
    Take* live = take_of("TakeFX_Delete", take);
    if (live == nullptr || !in_range(live->fx, fx)) return false;
    live->fx.erase(live->fx.begin() + fx);
    // Its parameter envelopes go with it; those of later FX follow their FX down.
    std::erase_if(live->envelopes, [&](const Envelope& e) { return e.fx == fx; });
    for (Envelope& e : live->envelopes) {
        if (e.fx > fx) --e.fx;
    }
    return true;
}

bool TakeFX_GetEnabled(MediaItem_Take* take, int fx) {
    Take* live = take_of("TakeFX_GetEnabled", take);
    return live != nullptr && in_range(live->fx, fx) &&
           live->fx[static_cast<std::size_t>(fx)].enabled;
}

void TakeFX_SetEnabled(MediaItem_Take* take, int fx, bool enabled) {
    Take* live = take_of("TakeFX_SetEnabled", take);
    if (live != nullptr && in_range(live->fx, fx)) {
        live->fx[static_cast<std::size_t>(fx)].enabled = enabled;
    }
}

bool TakeFX_GetOffline(MediaItem_Take* take, int fx) {
    Take* live = take_of("TakeFX_GetOffline", take);
    return live != nullptr && in_range(live->fx, fx) &&
           live->fx[static_cast<std::size_t>(fx)].offline;
}

void TakeFX_SetOffline(MediaItem_Take* take, int fx, bool offline) {
    Take* live = take_of("TakeFX_SetOffline", take);
    if (live != nullptr && in_range(live->fx, fx)) {
        live->fx[static_cast<std::size_t>(fx)].offline = offline;
    }
}

// ---- take envelopes ----

int CountTakeEnvelopes(MediaItem_Take* take) {
    Take* live = take_of("CountTakeEnvelopes", take);
    return live != nullptr ? static_cast<int>(live->envelopes.size()) : 0;
}

TrackEnvelope* GetTakeEnvelope(MediaItem_Take* take, int envidx) {
    Take* live = take_of("GetTakeEnvelope", take);
    if (live == nullptr || !in_range(live->envelopes, envidx)) return nullptr;
    return reinterpret_cast<TrackEnvelope*>(&live->envelopes[static_cast<std::size_t>(envidx)]);
}

bool InsertEnvelopePoint(TrackEnvelope* envelope, double time, double value, int shape,
                         double tension, bool selected, bool* noSortInOptional) {
    Envelope* live = find_envelope("InsertEnvelopePoint", envelope).envelope;
    if (live == nullptr || !std::isfinite(time) || !std::isfinite(value) ||
        !std::isfinite(tension)) {
        return false;
    }
    const EnvelopePoint point{time, value, shape, std::clamp(tension, -1.0, 1.0), selected};
    if (noSortInOptional != nullptr && *noSortInOptional) {
        live->points.push_back(point);
        return true;
    }
    const auto at = std::upper_bound(live->points.begin(), live->points.end(), time,
                                     [](double t, const EnvelopePoint& p) { return t < p.time; });
    live->points.insert(at, point);
    return true;
}

bool Envelope_SortPoints(TrackEnvelope* envelope) {
    Envelope* live = find_envelope("Envelope_SortPoints", envelope).envelope;
    if (live == nullptr) return false;
    sort_points(*live);
    return true;
}

}  // namespace reaper

}  // namespace sim
