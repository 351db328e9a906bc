// A small, faithful REAPER: projects, tracks, items, takes and sources, the host functions an
// extension calls (answering as REAPER does, null/0/false for null or stale handles), the
// registration API, a scripted message box, an optional SWS function and what a test needs to
// observe: redraws, a call log, registrations, source counts and a canonical project dump.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/project.h"
#include "sim/reaper_abi.h"

namespace sim {

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
    Item* add_item(Track* track, ItemSpec item);
    Take* add_take(Item* item, TakeSpec take);
    // Room for this many more items, takes and sources, made in one go (a project file's load).
    void reserve(std::size_t items, std::size_t takes, std::size_t sources);
    // A copy of `item` (takes, their sources duplicated, markers, FX, envelopes) on `track`, with
    // fresh item and take GUIDs; null for a stale item or track.
    Item* copy_item(const Item* item, Track* track);
    // Gives `item` the state `wanted` describes, in place (handle and track kept); its old takes
    // and their sources are gone, their handles stale. False for a stale item.
    bool set_item(Item* item, const ItemSpec& wanted);
    // "{…}", 32 random upper-case hex digits: never one the session has handed out before.
    std::string fresh_guid();
    Source* add_source(SourceSpec media);  // unowned until a take plays it
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
    void fill_item(Item* item, ItemSpec wanted);
    Take* attach_take(Item* item, TakeSpec wanted);  // `item` known to be live
    void note_source_created();                      // Duplicate() counts its copy
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
