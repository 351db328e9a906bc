// A small, faithful REAPER: projects, tracks, items, takes and sources, the host functions an
// extension calls (answering as REAPER does, null/0/false for null or stale handles), the
// registration API, a scripted message box, an optional SWS function and what a test needs to
// observe: redraws, a call log, registrations, source counts and a canonical project dump.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

// The numeric parameters Get/Set...Info_Value know, in the order the dump prints them.
inline constexpr std::string_view kItemParameters[] = {
    "D_POSITION", "D_LENGTH",      "D_FADEINLEN", "D_FADEOUTLEN", "C_FADEINSHAPE", "C_FADEOUTSHAPE",
    "B_MUTE",     "B_MUTE_ACTUAL", "B_LOOPSRC",   "C_LOCK",       "D_VOL",         "B_UISEL"};
inline constexpr std::string_view kTakeParameters[] = {"D_STARTOFFS", "D_VOL",      "D_PAN",
                                                       "D_PLAYRATE",  "D_PITCH",    "B_PPITCH",
                                                       "I_CHANMODE",  "I_PITCHMODE"};

// Parameters scripts read and write that the project files do not carry: held for the run only.
inline constexpr std::string_view kItemScriptParameters[] = {
    "C_MUTE_SOLO", "B_ALLTAKESPLAY", "C_BEATATTACHMODE", "C_AUTOSTRETCH",
    "D_FADEINDIR", "D_FADEOUTDIR",   "D_FADEINLEN_AUTO", "D_FADEOUTLEN_AUTO",
    "I_FADELPF",   "F_FREEMODE_Y",   "F_FREEMODE_H",     "I_FIXEDLANE"};
inline constexpr std::string_view kTakeScriptParameters[] = {
    "D_PANLAW", "I_STRETCHFLAGS", "F_STRETCHFADESIZE", "I_RECPASSID", "I_TAKEFX_NCH"};
inline constexpr std::string_view kTrackParameters[] = {"B_MUTE",
                                                        "B_PHASE",
                                                        "I_SOLO",
                                                        "B_SOLO_DEFEAT",
                                                        "I_FXEN",
                                                        "I_RECARM",
                                                        "I_RECINPUT",
                                                        "I_RECMODE",
                                                        "I_RECMODE_FLAGS",
                                                        "I_RECMON",
                                                        "I_RECMONITEMS",
                                                        "B_AUTO_RECARM",
                                                        "I_VUMODE",
                                                        "I_AUTOMODE",
                                                        "I_NCHAN",
                                                        "I_FOLDERDEPTH",
                                                        "I_FOLDERCOMPACT",
                                                        "I_MIDIHWOUT",
                                                        "I_MIDIHWOUT_SLOT",
                                                        "I_MIDI_INPUT_CHANMAP",
                                                        "I_MIDI_CTL_CHAN",
                                                        "I_MIDI_TRACKSEL_FLAG",
                                                        "I_PERFFLAGS",
                                                        "I_CUSTOMCOLOR",
                                                        "I_HEIGHTOVERRIDE",
                                                        "I_SPACER",
                                                        "B_HEIGHTLOCK",
                                                        "D_VOL",
                                                        "D_PAN",
                                                        "D_WIDTH",
                                                        "D_DUALPANL",
                                                        "D_DUALPANR",
                                                        "I_PANMODE",
                                                        "D_PANLAW",
                                                        "I_PANLAW_FLAGS",
                                                        "B_SHOWINMIXER",
                                                        "B_SHOWINTCP",
                                                        "B_TCPPIN",
                                                        "B_MAINSEND",
                                                        "C_MAINSEND_OFFS",
                                                        "C_MAINSEND_NCH",
                                                        "I_FREEMODE",
                                                        "I_NUMFIXEDLANES",
                                                        "C_LANESCOLLAPSED",
                                                        "C_LANESETTINGS",
                                                        "C_ALLLANESPLAY",
                                                        "C_BEATATTACHMODE",
                                                        "F_MCP_FXSEND_SCALE",
                                                        "F_MCP_FXPARM_SCALE",
                                                        "F_MCP_SENDRGN_SCALE",
                                                        "F_TCP_FXPARM_SCALE",
                                                        "I_PLAY_OFFSET_FLAG",
                                                        "D_PLAY_OFFSET"};
// GetSetProjectInfo's numeric settings.
inline constexpr std::string_view kProjectSettings[] = {
    "PROJECT_SRATE",   "PROJECT_SRATE_USE", "PROJECT_TIMEBASE", "READONLY",
    "RENDER_SETTINGS", "RENDER_BOUNDSFLAG", "RENDER_CHANNELS",  "RENDER_SRATE",
    "RENDER_STARTPOS", "RENDER_ENDPOS",     "RENDER_TAILFLAG",  "RENDER_TAILMS",
    "RENDER_DITHER",   "RENDER_NORMALIZE"};

// Values of one object's known parameters, kept beside it: a read is a short scan of constant
// names, never a tree walk through memory scattered over the heap. Iterates as (name, value).
template <const auto& Names>
class Parameters {
public:
    Parameters() { values_.fill(0.0); }
    // The named values set, every other 0.
    Parameters(std::initializer_list<std::pair<std::string_view, double>> values) : Parameters() {
        for (const auto& [name, value] : values) (*this)[name] = value;
    }

    double* find(std::string_view name) {
        for (std::size_t i = 0; i < std::size(Names); ++i) {
            if (Names[i] == name) return &values_[i];
        }
        return nullptr;
    }
    const double* find(std::string_view name) const {
        return const_cast<Parameters*>(this)->find(name);
    }
    // A known name only: anything else throws std::out_of_range.
    double& operator[](std::string_view name) {
        if (double* value = find(name)) return *value;
        throw std::out_of_range("unknown parameter " + std::string(name));
    }
    double at(std::string_view name) const { return const_cast<Parameters&>(*this)[name]; }

    // (name, value) pairs, the value by reference: `for (auto&& [name, value] : params)`.
    template <class Value>
    class Iterator {
    public:
        Iterator(Value* values, std::size_t i) : values_(values), i_(i) {}
        std::pair<std::string_view, Value&> operator*() const { return {Names[i_], values_[i_]}; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return i_ == other.i_; }

    private:
        Value* values_;
        std::size_t i_;
    };
    auto begin() { return Iterator<double>(values_.data(), 0); }
    auto end() { return Iterator<double>(values_.data(), std::size(Names)); }
    auto begin() const { return Iterator<const double>(values_.data(), 0); }
    auto end() const { return Iterator<const double>(values_.data(), std::size(Names)); }

    // Every value by name, and comparisons with such a snapshot: a test keeps one to show that
    // nothing changed.
    using Snapshot = std::map<std::string, double, std::less<>>;
    operator Snapshot() const {
        Snapshot out;
        for (std::size_t i = 0; i < std::size(Names); ++i) out.emplace(Names[i], values_[i]);
        return out;
    }
    friend bool operator==(const Parameters& a, const Snapshot& b) { return Snapshot(a) == b; }
    bool operator==(const Parameters&) const = default;

private:
    // The names are the constant list's: only the values are kept per object.
    std::array<double, std::size(Names)> values_;
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

struct CallRecord {
    std::string function;
    std::string detail;  // the text argument (parameter name, file, message), if any
};

struct MessageBoxRecord {
    std::string text;
    std::string title;
    int type = 0;
};

struct Registration {
    std::string name;  // as passed, "-" included
    void* value = nullptr;
    int result = 0;
};

// A function registered through API_/APIdef_/APIvararg_, by its name without prefix.
struct RegisteredFunction {
    std::string name;  // e.g. "QM_GetMediaItemSelect"
    void* func = nullptr;
    const char* definition = nullptr;  // four NUL-separated fields
    void* vararg = nullptr;            // void* (*)(void** arglist, int numparms)
};

class Host {
public:
    Host();  // one empty project, current; this host becomes the active one
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The C host functions answer for the active host: the newest one alive, or the one last
    // activated.
    void activate();
    static Host* active() { return active_; }

    // ---- building a session ----
    Project* current_project();
    Project* add_project(std::string name = "");
    void set_current_project(Project* project);
    const std::vector<Project*>& projects() const;
    Track* add_track(Project* project = nullptr, std::string name = "", bool selected = false);
    Item* add_item(Track* track, const ItemSpec& item);
    Take* add_take(Item* item, const TakeSpec& take);
    // A copy of `item` (takes, their sources duplicated, markers, FX, envelopes) on `track`, with
    // fresh item and take GUIDs; null for a stale item or track.
    Item* copy_item(const Item* item, Track* track);
    // Gives `item` the state `wanted` describes, in place (handle and track kept); its old takes
    // and their sources are gone, their handles stale. False for a stale item.
    bool set_item(Item* item, const ItemSpec& wanted);
    // "{…}", 32 random upper-case hex digits: never one the session has handed out before.
    std::string fresh_guid();
    Source* add_source(const SourceSpec& media);  // unowned until a take plays it
    // A file InsertMedia can read without touching the disk; real readable files with a known
    // extension (.wav .mp3 .mid .ogg .flac .mp4 .mov) work too.
    void add_media_file(std::string path, SourceSpec media);
    void set_item_selected(Item* item, bool selected);
    void set_track_selected(Track* track, bool selected);
    // Gone with everything in them; their handles are stale from then on. Closing the last project
    // opens an empty one, as REAPER always has a project; closing the current one makes the first
    // remaining one current.
    void delete_track(Track* track);
    void close_project(Project* project);

    // ---- scripted answers and failures ----
    void push_message_box_answer(int answer);  // answered in order; 7 (No) when none is queued
    bool message_box_answer_queued() const;
    void set_sws_installed(bool installed);
    bool sws_installed() const;
    // Set...Info_Value of it answers false; "P_SOURCE": GetSetMediaItemTakeInfo refuses a source.
    void fail_parameter_writes(std::string parmname);
    void hide_function(std::string name);  // GetFunc answers null for it
    bool function_hidden(std::string_view name) const;
    // A host function implemented outside sim/ (the script tools' families): GetFunc finds it
    // as it finds the built-in ones, hidden or SWS-only alike.
    void provide_function(std::string name, void* address);

    // ---- observing ----
    int redraw_count() const;
    // On by default. Off, host calls go unrecorded and cost no allocation: for measuring.
    void set_call_log(bool on) { log_calls_ = on; }
    bool logs_calls() const { return log_calls_; }
    const std::vector<CallRecord>& call_log() const;
    void clear_call_log();
    int calls_to(std::string_view function) const;
    const std::vector<MessageBoxRecord>& message_boxes() const;
    const std::vector<std::string>& console() const;  // ShowConsoleMsg texts
    // Sources the host made or destroyed in answer to the extension (Duplicate, InsertMedia,
    // PCM_Source_Destroy, deleting an item); building a session does not count.
    int sources_created() const;
    int sources_destroyed() const;
    int unowned_sources() const;                     // alive and played by no take
    const std::vector<std::string>& misuse() const;  // calls REAPER would crash or corrupt on
    std::string dump(const Project* project = nullptr) const;  // canonical text; current project

    // ---- handles ----
    static ReaProject* handle(Project* p) { return reinterpret_cast<ReaProject*>(p); }
    static MediaTrack* handle(Track* t) { return reinterpret_cast<MediaTrack*>(t); }
    static MediaItem* handle(Item* i) { return reinterpret_cast<MediaItem*>(i); }
    static MediaItem_Take* handle(Take* t) { return reinterpret_cast<MediaItem_Take*>(t); }
    static PCM_source* handle(Source* s) { return s->handle; }
    // Live objects for live handles, null for null or stale ones. A null project is the current.
    Project* project(ReaProject* p);
    Track* track(MediaTrack* t);
    Item* item(MediaItem* i);
    Take* take(MediaItem_Take* t);
    Source* source(PCM_source* s);
    // REAPER's ValidatePtr2: a live handle of the named type ("MediaItem*", "MediaTrack*",
    // "MediaItem_Take*", "ReaProject*", "PCM_source*") belonging to `project` (null: current).
    bool validate(ReaProject* project, const void* pointer, std::string_view type);

    // ---- registration ----
    int plugin_register(const char* name, void* value);
    void* get_func(const char* name);
    reaper_plugin_info_t* plugin_info();
    const std::vector<Registration>& registration_log() const;
    // What is registered now, in order of registration.
    std::vector<RegisteredFunction> registered_functions() const;
    std::optional<RegisteredFunction> registered_function(std::string_view name) const;
    bool anything_registered() const;

    // ---- host functions (the C entry points forward here) ----
    void log_call(std::string_view function, std::string_view detail = {}) {
        if (log_calls_) record_call(function, detail);
    }
    void redraw();
    int show_message_box(const char* msg, const char* title, int type);
    void record_message_box(const char* msg, const char* title, int type);  // answered elsewhere
    void console_message(const char* msg);
    void destroy_source(PCM_source* src);
    int insert_media(const char* file, int mode);
    void delete_item(Item* item);
    // The take leaves its item and goes stale, its source with it; the active take stays the same
    // take when it remains, else becomes the first.
    void delete_take(Take* take);
    void move_item(Item* item, Track* destination);
    void record_misuse(std::string text);
    bool parameter_write_fails(std::string_view parmname) const;
    // A function handed a NeedBig buffer too small for its text asks for `size` bytes and fails;
    // a caller that can grow the buffer takes the request (0: none) and calls again, as REAPER's
    // script binding grows such buffers.
    void request_buffer(std::size_t size) { buffer_request_ = size; }
    std::size_t take_buffer_request() { return std::exchange(buffer_request_, 0); }

private:
    friend class Source;
    void fill_item(Item* item, const ItemSpec& wanted);
    void note_source_created();  // Duplicate() counts its copy
    void record_call(std::string_view function, std::string_view detail);
    struct State;
    std::unique_ptr<State> state_;
    bool log_calls_ = true;
    std::size_t buffer_request_ = 0;
    static inline Host* active_ = nullptr;
};

// What InsertMedia makes of a real file: null when it cannot be read or its extension is unknown.
// A .wav whose RIFF/WAVE header parses gives its rate, channels, bits and length.
std::optional<SourceSpec> read_media_file(const std::string& path);

// The C host functions, by REAPER name, as GetFunc hands them out ("plugin_register",
// "GetMediaItem", ..., "ShowConsoleMsg", "CF_GetMediaSourceBitDepth").
void* host_function(std::string_view name);
const std::vector<std::string>& host_function_names();

// The C host functions themselves, answering for Host::active() (null/0 without one). Not global:
// the extension's own slots carry these names.
namespace reaper {
int plugin_register(const char* name, void* infostruct);
MediaItem* GetMediaItem(ReaProject* proj, int itemidx);
MediaItem* GetSelectedMediaItem(ReaProject* proj, int selitem);
MediaTrack* GetTrack(ReaProject* proj, int trackidx);
MediaTrack* GetSelectedTrack(ReaProject* proj, int seltrackidx);
MediaItem* GetTrackMediaItem(MediaTrack* tr, int itemidx);
int CountMediaItems(ReaProject* proj);
int CountSelectedMediaItems(ReaProject* proj);
int CountTrackMediaItems(MediaTrack* track);
int CountSelectedTracks(ReaProject* proj);
int CountTracks(ReaProject* proj);
MediaTrack* GetMediaItem_Track(MediaItem* item);
ReaProject* GetItemProjectContext(MediaItem* item);
MediaItem_Take* GetActiveTake(MediaItem* item);
PCM_source* GetMediaItemTake_Source(MediaItem_Take* take);
double GetMediaItemInfo_Value(MediaItem* item, const char* parmname);
bool SetMediaItemInfo_Value(MediaItem* item, const char* parmname, double newvalue);
double GetMediaItemTakeInfo_Value(MediaItem_Take* take, const char* parmname);
bool SetMediaItemTakeInfo_Value(MediaItem_Take* take, const char* parmname, double newvalue);
void* GetSetMediaItemTakeInfo(MediaItem_Take* tk, const char* parmname, void* setNewValue);
bool GetSetMediaItemTakeInfo_String(MediaItem_Take* tk, const char* parmname, char* stringNeedBig,
                                    bool setNewValue);
double GetMediaTrackInfo_Value(MediaTrack* tr, const char* parmname);
const char* GetTakeName(MediaItem_Take* take);
void GetMediaSourceType(PCM_source* source, char* typebufOut, int typebufOut_sz);
int GetMediaSourceSampleRate(PCM_source* source);
int GetMediaSourceNumChannels(PCM_source* source);
void PCM_Source_Destroy(PCM_source* src);
MediaItem* AddMediaItemToTrack(MediaTrack* tr);
MediaItem_Take* AddTakeToMediaItem(MediaItem* item);
bool DeleteTrackMediaItem(MediaTrack* tr, MediaItem* it);
bool MoveMediaItemToTrack(MediaItem* item, MediaTrack* desttr);
void SetMediaItemSelected(MediaItem* item, bool selected);
void SetOnlyTrackSelected(MediaTrack* track);
void SetTrackSelected(MediaTrack* track, bool selected);
int InsertMedia(const char* file, int mode);
double TimeMap_curFrameRate(ReaProject* proj, bool* dropFrameOut);
int GetPlayState();
double GetPlayPositionEx(ReaProject* proj);
double GetCursorPositionEx(ReaProject* proj);
void SetEditCurPos2(ReaProject* proj, double time, bool moveview, bool seekplay);
void CSurf_GoEnd();
void UpdateArrange();
int ShowMessageBox(const char* msg, const char* title, int type);
void ShowConsoleMsg(const char* msg);
int CF_GetMediaSourceBitDepth(PCM_source* src);
}  // namespace reaper

// Loads an extension module as REAPER does.
class Module {
public:
    // dlopen + dlsym("ReaperPluginEntry"); null and a message in `error` on failure.
    static std::unique_ptr<Module> open(const std::string& path, std::string& error);
    ~Module();  // dlclose; does not call the entry
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    int load(Host& host);  // entry(handle, host.plugin_info()): 1 stays loaded, 0 refused
    int unload();          // entry(handle, nullptr)
    void* symbol(const char* name) const;
    const std::string& path() const { return path_; }

private:
    Module(std::string path, void* handle, EntryFunction entry);
    std::string path_;
    void* handle_ = nullptr;
    EntryFunction entry_ = nullptr;
};

}  // namespace sim
