// The simulated project's objects: projects, tracks, items, takes and their sources, markers,
// the tempo; what a host builds them from (the ItemSpec, TakeSpec and SourceSpec structs).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/parameters.h"
#include "sim/reaper_abi.h"

namespace sim {

class Host;
struct Project;
struct Track;
struct Item;
struct Take;

// One event of an in-project MIDI source.
struct MidiEvent {
    std::int64_t tick = 0;   // from the start of the source, ticks_per_qn to the quarter note
    std::uint8_t flags = 0;  // &1 selected, &2 muted, high nibble the CC shape
    std::string message;     // the raw bytes: status and data, or a whole sysex/meta message
    bool operator==(const MidiEvent&) const = default;
};

struct SourceSpec {
    std::string type = "WAVE";  // "WAVE", "MP3", "MIDI", "VORBIS", "FLAC", "VIDEO", "EMPTY", ...
    std::string file;
    int sample_rate = 44100;
    int channels = 2;
    int bit_depth = 24;
    double length = 10.0;  // seconds
    // An in-project MIDI source's events, in time order (a file source has none).
    std::vector<MidiEvent> midi{};
    int ticks_per_qn = 960;
};

// A media source. Owned by the host; a take refers to the one it plays.
class Source final : public PcmSourceInterface {
public:
    Source(Host& host, SourceSpec media);
    ~Source() override;

    PcmSourceInterface* Duplicate() override;
    bool IsAvailable() override;
    void SetAvailable(bool avail) override;
    const char* GetType() override;
    const char* GetFileName() override;
    bool SetFileName(const char* newfn) override;
    PcmSourceInterface* GetSource() override;
    void SetSource(PcmSourceInterface* src) override;
    int GetNumChannels() override;
    double GetSampleRate() override;
    double GetLength() override;
    double GetLengthBeats() override;
    int GetBitsPerSample() override;
    double GetPreferredPosition() override;

    SourceSpec media;
    Take* owner = nullptr;  // the take playing it, if any
    int duplicate_calls = 0;
    bool duplicable = true;  // false: Duplicate() answers null, as some of REAPER's sources do
    // 0 for a source built by a test or InsertMedia, one more than its original's for a duplicate:
    // lets the dump tell a swapped-in copy from the original without printing addresses.
    int generation = 0;
    // The element of a loaded project file it came from (see rpp/index.h); a duplicate keeps its
    // original's, so a copy can be written as the original was.
    const void* origin = nullptr;

    // Where an extension's handle points on Windows, whose REAPER is built with MSVC: a vtable in
    // that layout, then the way back to this object (see sim/platform_windows.cpp).
    struct Face {
        const void* vtable;
        Source* source;
    };
    Face face;
    // What the extension is given: this object, or its face where the layouts differ.
    PCM_source* const handle;

private:
    Host& host_;
    bool available_ = true;
};

// A take marker: a named point of the take's source.
struct TakeMarker {
    double source_position = 0.0;  // seconds from the start of the source
    std::string name;
    int color = 0;  // native | 0x1000000, 0 the default
    bool operator==(const TakeMarker&) const = default;
};

// A stretch marker: a point of the item (seconds from its start) pinned to a point of the source.
struct StretchMarker {
    double position = 0.0;
    double source_position = 0.0;
    double slope = 0.0;  // rate change across the segment it starts, about -1..1
    bool operator==(const StretchMarker&) const = default;
};

// One plug-in of a take's FX chain. What the plug-in itself keeps (its block, base64 state and
// all) is text nobody here interprets: it stays as the file had it.
struct TakeFx {
    std::string name;  // as listed: "VST: ReaEQ (Cockos)", "JS: gain"
    bool enabled = true;
    bool offline = false;
    std::string state;             // the plug-in's block, "<VST ..." to its ">", lines unindented
    std::string guid;              // FXID
    const void* origin = nullptr;  // its element in a loaded project file, if any
};

struct EnvelopePoint {
    double time = 0.0;  // seconds from the item start on a take envelope
    double value = 0.0;
    int shape = 0;  // 0 linear, 1 square, 2 slow start/end, 3 fast start, 4 fast end, 5 bezier
    double tension = 0.0;  // bezier only, -1..1
    bool selected = false;
    bool operator==(const EnvelopePoint&) const = default;
};

// A take's envelope: volume, pan, mute, pitch, or a parameter of one of its FX.
struct Envelope {
    std::string kind;       // the block's key: "VOLENV", "PANENV", "MUTEENV", "PITCHENV", "PARMENV"
    int fx = -1;            // for PARMENV: the index of its take FX
    std::string parameter;  // for PARMENV: the header's fields after the key, as written
    std::vector<EnvelopePoint> points;  // in time order
    const void* origin = nullptr;       // its element in a loaded project file, if any
};

// What scripts set on an item or take beyond the project file's fields, held for the run. Made
// on the first write, so a loaded project pays one pointer per object for it.
struct ItemScriptState {
    Parameters<kItemScriptParameters> params{{"C_BEATATTACHMODE", -1.0}, {"F_FREEMODE_H", 1.0}};
    std::map<std::string, std::string, std::less<>> ext;  // P_EXT:name, by name
};
struct TakeScriptState {
    Parameters<kTakeScriptParameters> params{
        {"D_PANLAW", -1.0}, {"F_STRETCHFADESIZE", 0.0025}, {"I_TAKEFX_NCH", 2.0}};
    std::map<std::string, std::string, std::less<>> ext;  // P_EXT:name, by name
};

struct TakeSpec {
    std::string name;
    std::optional<SourceSpec> source;   // none: a take without a source
    double start_offset = 0.0;          // D_STARTOFFS
    double vol = 1.0;                   // D_VOL
    double pan = 0.0;                   // D_PAN
    double rate = 1.0;                  // D_PLAYRATE
    double pitch = 0.0;                 // D_PITCH
    bool preserve_pitch = false;        // B_PPITCH
    int chan_mode = 0;                  // I_CHANMODE
    int pitch_mode = -1;                // I_PITCHMODE
    bool empty = false;                 // an empty take slot (TAKE NULL): counted, never played
    int color = 0;                      // I_CUSTOMCOLOR
    std::string guid{};                 // empty: a fresh one
    std::vector<TakeMarker> markers{};  // by source position
    std::vector<StretchMarker> stretch_markers{};  // by position
    std::vector<TakeFx> fx{};
    std::vector<Envelope> envelopes{};
};

struct ItemSpec {
    double position = 0.0;  // D_POSITION
    double length = 1.0;    // D_LENGTH
    double fade_in = 0.0;   // D_FADEINLEN
    double fade_out = 0.0;  // D_FADEOUTLEN
    int fade_in_shape = 0;  // C_FADEINSHAPE
    int fade_out_shape = 0;
    bool mute = false;  // B_MUTE and B_MUTE_ACTUAL
    bool loop = true;   // B_LOOPSRC
    int lock = 0;       // C_LOCK
    double vol = 1.0;   // D_VOL
    bool selected = false;
    double snap_offset = 0.0;     // D_SNAPOFFSET, seconds from the item start
    int group = 0;                // I_GROUPID, 0 none
    int color = 0;                // I_CUSTOMCOLOR
    std::string notes{};          // P_NOTES, lines separated by "\n"
    std::string guid{};           // empty: a fresh one
    std::vector<TakeSpec> takes;  // empty: an item without takes
    int active_take = 0;
};

struct Take {
    Item* item = nullptr;
    std::string name;
    Parameters<kTakeParameters> params;
    Source* source = nullptr;
    bool empty = false;  // an empty slot: GetTake answers null for it, CountTakes counts it
    int color = 0;       // I_CUSTOMCOLOR: native | 0x1000000, 0 none
    std::string guid;    // "{…}", upper-case hex
    std::vector<TakeMarker> markers;
    std::vector<StretchMarker> stretch_markers;
    std::vector<TakeFx> fx;
    std::vector<Envelope> envelopes;
    const void* origin = nullptr;             // its element in a loaded project file, if any
    std::unique_ptr<TakeScriptState> script;  // held for scripts, not saved; made on a write
    bool midi_sort_disabled = false;          // MIDI_DisableSort until the next MIDI_Sort
};

struct Item {
    Track* track = nullptr;
    Parameters<kItemParameters> params;
    double snap_offset = 0.0;  // D_SNAPOFFSET
    int group = 0;             // I_GROUPID
    int color = 0;             // I_CUSTOMCOLOR
    std::string notes;         // P_NOTES
    std::string guid;          // GUID ("IGUID" in a file)
    std::vector<Take*> takes;  // slots, empty ones included
    int active_take = 0;
    const void* origin = nullptr;  // its element in a loaded project file, if any
    // Keeps `origin` alive when the item owns it (the text of a state chunk it was given).
    std::shared_ptr<const void> origin_owner;
    bool selected() const;
    std::unique_ptr<ItemScriptState> script;  // held for scripts, not saved; made on a write
};

struct Track {
    Project* project = nullptr;
    std::string name;
    bool selected = false;
    std::vector<Item*> items;      // in track order
    const void* origin = nullptr;  // its element in a loaded project file, if any
    // ---- held for scripts, not saved ----
    Parameters<kTrackParameters> params{{"I_FXEN", 1.0},
                                        {"I_RECMON", 1.0},
                                        {"I_NCHAN", 2.0},
                                        {"I_MIDIHWOUT", -1.0},
                                        {"I_MIDI_INPUT_CHANMAP", -1.0},
                                        {"I_MIDI_CTL_CHAN", -1.0},
                                        {"D_VOL", 1.0},
                                        {"D_WIDTH", 1.0},
                                        {"D_DUALPANL", -1.0},
                                        {"D_DUALPANR", 1.0},
                                        {"I_PANMODE", -1.0},
                                        {"D_PANLAW", -1.0},
                                        {"B_SHOWINMIXER", 1.0},
                                        {"B_SHOWINTCP", 1.0},
                                        {"B_MAINSEND", 1.0},
                                        {"I_NUMFIXEDLANES", 1.0},
                                        {"C_ALLLANESPLAY", 1.0},
                                        {"C_BEATATTACHMODE", -1.0}};
    // P_ICON, P_MCP_LAYOUT, P_TCP_LAYOUT, P_RAZOREDITS_EXT and P_EXT:name, by parameter name.
    std::map<std::string, std::string, std::less<>> strings;
    std::string guid;   // "{…}"; empty until a script asks, then a fresh one
    GUID guid_value{};  // what GetTrackGUID hands out, kept in step with `guid`
};

// A project marker, or a region (a span with an end).
struct Marker {
    int number = 1;  // the number shown to the user; markers and regions count apart
    bool region = false;
    double position = 0.0;  // seconds
    double end = 0.0;       // a region's end
    std::string name;
    int color = 0;  // native | 0x1000000, 0 the default
    std::string guid;
    const void* origin = nullptr;  // its element in a loaded project file, if any
};

// A point of the tempo map: from `position` on, `bpm` (reached gradually from the point before
// when that one is linear) and, when num is not 0, a new time signature.
struct TempoPoint {
    double position = 0.0;  // seconds
    double bpm = 120.0;
    int shape = 1;  // 0 linear: the tempo changes evenly up to the next point; 1 square
    int num = 0;    // time signature numerator from here, 0 unchanged
    int denom = 0;
    bool operator==(const TempoPoint&) const = default;
};

// The project tempo and the tempo map that overrides it from its first point on.
struct Tempo {
    double bpm = 120.0;
    int num = 4;
    int denom = 4;
    std::vector<TempoPoint> points;  // by position; empty: bpm throughout

    // Quarter notes from the project start to `time` (seconds), and back.
    double time_to_qn(double time) const;
    double qn_to_time(double qn) const;
    double bpm_at(double time) const;
    // The time signature in force at `time`.
    std::pair<int, int> signature_at(double time) const;
};

// A time range; start == end: none.
struct TimeRange {
    double start = 0.0;
    double end = 0.0;
    bool operator==(const TimeRange&) const = default;
};

struct Project {
    std::string name;
    std::vector<Track*> tracks;
    std::vector<Marker> markers;  // markers and regions, by position
    Tempo tempo;
    TimeRange time_selection;
    TimeRange loop_range;
    // SetProjExtState's strings, extname -> key -> value; a project file keeps them in its
    // <EXTSTATE> block.
    std::map<std::string, std::map<std::string, std::string>> ext_state;
    double frame_rate = 30.0;
    bool drop_frame = false;
    double cursor = 0.0;         // edit cursor, seconds
    double play_position = 0.0;  // while playing
    int play_state = 0;          // 0 stopped, &1 playing, &2 paused, &4 recording
    std::string file;            // the project file's full path, "" if never saved
    Parameters<kProjectSettings> settings{
        {"PROJECT_SRATE", 44100.0}, {"RENDER_BOUNDSFLAG", 1.0}, {"RENDER_CHANNELS", 2.0}};
    double end() const;  // end of the last item, 0 without items

    // ---- the time functions' view and settings, not read from a file ----
    TimeRange arrange_view{0.0, 30.0};  // the visible range; headless, only scripts move it
    double grid_division = 1.0;         // quarter notes between grid lines
    double time_offset = 0.0;           // the project's start time, seconds
};

}  // namespace sim
