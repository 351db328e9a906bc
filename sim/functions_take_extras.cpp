#include "sim/functions_take_extras.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "sim/host.h"
#include "sim/timeline.h"

namespace sim {

namespace {

Take* take_of(const char* function, MediaItem_Take* handle) {
    Host* host = Host::active();
    if (host == nullptr) return nullptr;
    if (host->logs_calls()) host->log_call(function);
    Take* take = host->take(handle);
    return take != nullptr && !take->empty ? take : nullptr;
}

template <class T>
void put(T* out, T value) {
    if (out != nullptr) *out = value;
}

template <class V>
bool in_range(const V& list, int idx) {
    return idx >= 0 && idx < static_cast<int>(list.size());
}

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

// ---- MIDI ----

std::vector<MidiEvent>* midi_of(Take* take) {
    if (take == nullptr || take->source == nullptr || take->source->media.type != "MIDI") {
        return nullptr;
    }
    return &take->source->media.midi;
}

int status_of(const MidiEvent& e) {
    return e.message.empty() ? 0 : static_cast<unsigned char>(e.message[0]);
}
bool is_note_on(const MidiEvent& e) {
    return e.message.size() >= 3 && (status_of(e) & 0xF0) == 0x90 && e.message[2] != 0;
}
bool is_note_off(const MidiEvent& e) {
    const int kind = status_of(e) & 0xF0;
    return e.message.size() >= 3 && status_of(e) < 0xF0 &&
           (kind == 0x80 || (kind == 0x90 && e.message[2] == 0));
}
// The All-Notes-Off that closes the source: its tick is where the source ends.
bool is_end_marker(const std::vector<MidiEvent>& events, std::size_t i) {
    const MidiEvent& e = events[i];
    return i + 1 == events.size() && e.message.size() == 3 && (status_of(e) & 0xF0) == 0xB0 &&
           e.message[1] == 0x7B && e.message[2] == 0;
}

struct Note {
    std::size_t on;
    std::size_t off;
};

// Notes in event order: each note-on with the first later note-off of its channel and pitch.
std::vector<Note> notes_of(const std::vector<MidiEvent>& events) {
    std::vector<Note> notes;
    std::vector<bool> used(events.size(), false);
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (!is_note_on(events[i])) continue;
        for (std::size_t j = i + 1; j < events.size(); ++j) {
            if (used[j] || !is_note_off(events[j]) || events[j].tick < events[i].tick) continue;
            if ((status_of(events[j]) & 0x0F) != (status_of(events[i]) & 0x0F) ||
                events[j].message[1] != events[i].message[1]) {
                continue;
            }
            used[j] = true;
            notes.push_back({i, j});
            break;
        }
    }
    return notes;
}

// By tick; at one tick note-offs first, so a note ending where the next of its pitch starts still
// pairs with its own note-on. The closing All-Notes-Off stays last.
void sort_events(std::vector<MidiEvent>& events) {
    std::optional<MidiEvent> end;
    if (!events.empty() && is_end_marker(events, events.size() - 1)) {
        end = events.back();
        events.pop_back();
    }
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        return is_note_off(a) && !is_note_off(b);
    });
    if (end) {
        if (!events.empty()) end->tick = std::max(end->tick, events.back().tick);
        events.push_back(*end);
    }
}

void after_edit(Take* take, std::vector<MidiEvent>& events, const bool* no_sort) {
    if ((no_sort != nullptr && *no_sort) || take->midi_sort_disabled) return;
    sort_events(events);
}

std::int64_t tick_of(double ppq) {
    return static_cast<std::int64_t>(std::llround(ppq));
}

bool valid_tick(double ppq) {
    return std::isfinite(ppq) && std::fabs(ppq) < 9.0e15;
}

std::string note_message(int status, int chan, int pitch, int vel) {
    return std::string{static_cast<char>(status | chan), static_cast<char>(pitch),
                       static_cast<char>(vel)};
}

const Tempo* tempo_of(const Take& take) {
    return &take.item->track->project->tempo;
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

// ---- in-take MIDI ----

int MIDI_CountEvts(MediaItem_Take* take, int* notecntOut, int* ccevtcntOut, int* textsyxevtcntOut) {
    std::vector<MidiEvent>* events = midi_of(take_of("MIDI_CountEvts", take));
    int notes = 0;
    int ccs = 0;
    int texts = 0;
    if (events != nullptr) {
        notes = static_cast<int>(notes_of(*events).size());
        for (std::size_t i = 0; i < events->size(); ++i) {
            const int status = status_of((*events)[i]);
            if (status >= 0xF0) {
                ++texts;
            } else if (status >= 0xA0 && !is_note_off((*events)[i]) && !is_end_marker(*events, i)) {
                ++ccs;
            }
        }
    }
    put(notecntOut, notes);
    put(ccevtcntOut, ccs);
    put(textsyxevtcntOut, texts);
    return notes + ccs + texts;
}

bool MIDI_GetNote(MediaItem_Take* take, int noteidx, bool* selectedOut, bool* mutedOut,
                  double* startppqposOut, double* endppqposOut, int* chanOut, int* pitchOut,
                  int* velOut) {
    std::vector<MidiEvent>* events = midi_of(take_of("MIDI_GetNote", take));
    if (events == nullptr) return false;
    const std::vector<Note> notes = notes_of(*events);
    if (!in_range(notes, noteidx)) return false;
    const Note& n = notes[static_cast<std::size_t>(noteidx)];
    const MidiEvent& on = (*events)[n.on];
    put(selectedOut, (on.flags & 1) != 0);
    put(mutedOut, (on.flags & 2) != 0);
    put(startppqposOut, static_cast<double>(on.tick));
    put(endppqposOut, static_cast<double>((*events)[n.off].tick));
    put(chanOut, status_of(on) & 0x0F);
    put(pitchOut, static_cast<int>(on.message[1]));
    put(velOut, static_cast<int>(on.message[2]));
    return true;
}

bool MIDI_InsertNote(MediaItem_Take* take, bool selected, bool muted, double startppqpos,
                     double endppqpos, int chan, int pitch, int vel, const bool* noSortInOptional) {
    Take* live = take_of("MIDI_InsertNote", take);
    std::vector<MidiEvent>* events = midi_of(live);
    if (events == nullptr || !valid_tick(startppqpos) || !valid_tick(endppqpos) ||
        tick_of(endppqpos) <= tick_of(startppqpos) || chan < 0 || chan > 15 || pitch < 0 ||
        pitch > 127 || vel < 1 || vel > 127) {
        return false;
    }
    const auto flags = static_cast<std::uint8_t>((selected ? 1 : 0) | (muted ? 2 : 0));
    MidiEvent on{tick_of(startppqpos), flags, note_message(0x90, chan, pitch, vel)};
    MidiEvent off{tick_of(endppqpos), flags, note_message(0x80, chan, pitch, 0)};
    // Unsorted events go before the closing All-Notes-Off, which stays last.
    auto at = events->end();
    if (!events->empty() && is_end_marker(*events, events->size() - 1)) --at;
    at = events->insert(at, std::move(on));
    events->insert(at + 1, std::move(off));
    after_edit(live, *events, noSortInOptional);
    return true;
}

bool MIDI_SetNote(MediaItem_Take* take, int noteidx, const bool* selectedInOptional,
                  const bool* mutedInOptional, const double* startppqposInOptional,
                  const double* endppqposInOptional, const int* chanInOptional,
                  const int* pitchInOptional, const int* velInOptional,
                  const bool* noSortInOptional) {
    Take* live = take_of("MIDI_SetNote", take);
    std::vector<MidiEvent>* events = midi_of(live);
    if (events == nullptr) return false;
    const std::vector<Note> notes = notes_of(*events);
    if (!in_range(notes, noteidx)) return false;
    MidiEvent& on = (*events)[notes[static_cast<std::size_t>(noteidx)].on];
    MidiEvent& off = (*events)[notes[static_cast<std::size_t>(noteidx)].off];
    // A negative number, like nil, leaves a value as it is.
    const auto given = [](const auto* v) { return v != nullptr && *v >= 0; };
    std::int64_t start = on.tick;
    std::int64_t end = off.tick;
    if (given(startppqposInOptional) && valid_tick(*startppqposInOptional)) {
        start = tick_of(*startppqposInOptional);
    }
    if (given(endppqposInOptional) && valid_tick(*endppqposInOptional)) {
        end = tick_of(*endppqposInOptional);
    }
    if ((given(chanInOptional) && *chanInOptional > 15) ||
        (given(pitchInOptional) && *pitchInOptional > 127) ||
        (given(velInOptional) && (*velInOptional < 1 || *velInOptional > 127)) || end <= start) {
        return false;
    }
    for (MidiEvent* e : {&on, &off}) {
        if (selectedInOptional != nullptr)
            e->flags = (e->flags & ~1) | (*selectedInOptional ? 1 : 0);
        if (mutedInOptional != nullptr) e->flags = (e->flags & ~2) | (*mutedInOptional ? 2 : 0);
        if (given(chanInOptional)) {
            e->message[0] = static_cast<char>((status_of(*e) & 0xF0) | *chanInOptional);
        }
        if (given(pitchInOptional)) e->message[1] = static_cast<char>(*pitchInOptional);
    }
    if (given(velInOptional)) on.message[2] = static_cast<char>(*velInOptional);
    on.tick = start;
    off.tick = end;
    after_edit(live, *events, noSortInOptional);
    return true;
}

bool MIDI_DeleteNote(MediaItem_Take* take, int noteidx) {
    std::vector<MidiEvent>* events = midi_of(take_of("MIDI_DeleteNote", take));
    if (events == nullptr) return false;
    const std::vector<Note> notes = notes_of(*events);
    if (!in_range(notes, noteidx)) return false;
    const Note n = notes[static_cast<std::size_t>(noteidx)];
    events->erase(events->begin() + static_cast<std::ptrdiff_t>(n.off));
    events->erase(events->begin() + static_cast<std::ptrdiff_t>(n.on));
    return true;
}

void MIDI_Sort(MediaItem_Take* take) {
    Take* live = take_of("MIDI_Sort", take);
    if (std::vector<MidiEvent>* events = midi_of(live)) {
        live->midi_sort_disabled = false;
        sort_events(*events);
    }
}

void MIDI_DisableSort(MediaItem_Take* take) {
    Take* live = take_of("MIDI_DisableSort", take);
    if (midi_of(live) != nullptr) live->midi_sort_disabled = true;
}

void MIDI_SelectAll(MediaItem_Take* take, bool select) {
    std::vector<MidiEvent>* events = midi_of(take_of("MIDI_SelectAll", take));
    if (events == nullptr) return;
    for (MidiEvent& e : *events) e.flags = (e.flags & ~1) | (select ? 1 : 0);
}

bool MIDI_GetAllEvts(MediaItem_Take* take, char* bufOutNeedBig, int* bufOutNeedBig_sz) {
    std::vector<MidiEvent>* events = midi_of(take_of("MIDI_GetAllEvts", take));
    if (events == nullptr || bufOutNeedBig == nullptr || bufOutNeedBig_sz == nullptr) return false;
    std::string out;
    std::int64_t previous = 0;
    for (const MidiEvent& e : *events) {
        const auto offset = static_cast<std::int32_t>(e.tick - previous);
        const auto length = static_cast<std::int32_t>(e.message.size());
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((offset >> (8 * b)) & 0xFF));
        out.push_back(static_cast<char>(e.flags));
        for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((length >> (8 * b)) & 0xFF));
        out += e.message;
        previous = e.tick;
    }
    if (static_cast<std::size_t>(std::max(*bufOutNeedBig_sz, 0)) < out.size()) {
        Host::active()->request_buffer(out.size());
        return false;
    }
    std::memcpy(bufOutNeedBig, out.data(), out.size());
    *bufOutNeedBig_sz = static_cast<int>(out.size());
    return true;
}

bool MIDI_SetAllEvts(MediaItem_Take* take, const char* buf, int buf_sz) {
    std::vector<MidiEvent>* events = midi_of(take_of("MIDI_SetAllEvts", take));
    if (events == nullptr || buf == nullptr || buf_sz < 0) return false;
    const auto read32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int b = 0; b < 4; ++b) {
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(buf[at + b])) << (8 * b);
        }
        return static_cast<std::int32_t>(v);
    };
    std::vector<MidiEvent> parsed;
    std::int64_t tick = 0;
    const auto size = static_cast<std::size_t>(buf_sz);
    for (std::size_t at = 0; at < size;) {
        if (size - at < 9) return false;
        const std::int32_t offset = read32(at);
        const auto flags = static_cast<std::uint8_t>(buf[at + 4]);
        const std::int32_t length = read32(at + 5);
        at += 9;
        if (length < 0 || static_cast<std::size_t>(length) > size - at) return false;
        tick += offset;
        // Zero-length records only pad long gaps.
        if (length > 0) parsed.push_back({tick, flags, std::string(buf + at, length)});
        at += static_cast<std::size_t>(length);
    }
    *events = std::move(parsed);
    return true;
}

double MIDI_GetPPQPosFromProjTime(MediaItem_Take* take, double projtime) {
    Take* live = take_of("MIDI_GetPPQPosFromProjTime", take);
    if (live == nullptr) return 0.0;
    return timeline::ppq_from_time(*tempo_of(*live), timeline::take_clock(*live), projtime);
}

double MIDI_GetProjTimeFromPPQPos(MediaItem_Take* take, double ppqpos) {
    Take* live = take_of("MIDI_GetProjTimeFromPPQPos", take);
    if (live == nullptr) return 0.0;
    return timeline::time_from_ppq(*tempo_of(*live), timeline::take_clock(*live), ppqpos);
}

double MIDI_GetProjQNFromPPQPos(MediaItem_Take* take, double ppqpos) {
    Take* live = take_of("MIDI_GetProjQNFromPPQPos", take);
    if (live == nullptr) return 0.0;
    return timeline::qn_from_ppq(*tempo_of(*live), timeline::take_clock(*live), ppqpos);
}

// ---- the MIDI editor: headless, none is ever open ----

HWND MIDIEditor_GetActive() {
    take_of("MIDIEditor_GetActive", nullptr);
    return nullptr;
}

MediaItem_Take* MIDIEditor_GetTake(HWND /*midieditor*/) {
    take_of("MIDIEditor_GetTake", nullptr);
    return nullptr;
}

bool MIDIEditor_OnCommand(HWND /*midieditor*/, int /*command_id*/) {
    take_of("MIDIEditor_OnCommand", nullptr);
    return false;
}

bool MIDIEditor_LastFocused_OnCommand(int /*command_id*/, bool /*islistviewcommand*/) {
    take_of("MIDIEditor_LastFocused_OnCommand", nullptr);
    return false;
}

}  // namespace reaper

}  // namespace sim
