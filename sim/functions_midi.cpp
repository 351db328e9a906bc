#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "sim/functions_take_extras.h"
#include "sim/host.h"
#include "sim/take_extras_common.h"
#include "sim/timeline.h"

namespace sim {

namespace {

using take_extras::in_range;
using take_extras::put;
using take_extras::take_of;

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
