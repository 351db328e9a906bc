// The host functions REAPER offers scripts beyond those the extension calls (host.h declares
// those), by family, and what their files share.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "sim/host.h"

namespace sim {

struct HostFunction {
    const char* name;
    void* address;
};
#define QM_SIM_HOST_FUNCTION(name)                             \
    ::sim::HostFunction {                                      \
#name, reinterpret_cast < void*>(&::sim::reaper::name) \
    }

// Each family file's GetFunc entries.
std::span<const HostFunction> project_functions();
std::span<const HostFunction> item_functions();
std::span<const HostFunction> take_functions();
std::span<const HostFunction> source_functions();
std::span<const HostFunction> track_functions();
std::span<const HostFunction> misc_functions();

namespace script {

// The active host, with the call logged, or null without one.
inline Host* enter(const char* function, const char* detail = nullptr) {
    Host* host = Host::active();
    if (host != nullptr && host->logs_calls()) host->log_call(function, detail ? detail : "");
    return host;
}

// What a NeedBig buffer holds at least: REAPER writes into it without knowing its size.
inline constexpr std::size_t kNeedBigCapacity = 64 * 1024;

// `text` into a buffer of `size` bytes (0: the NeedBig minimum), cut short and always terminated.
inline void copy_out(std::string_view text, char* buffer, std::size_t size = 0) {
    if (buffer == nullptr) return;
    if (size == 0) size = kNeedBigCapacity;
    const std::size_t n = std::min(text.size(), size - 1);
    // An empty view may have no data at all: memcpy must not see it.
    if (n != 0) std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// A number as a parameter of the type its name's prefix gives stores it: B_ 0 or 1, C_ a signed
// char, I_ an int, F_ a float, D_ as is.
inline double stored(std::string_view name, double v) {
    const auto integral = [&](double lo, double hi) {
        if (!std::isfinite(v)) return 0.0;
        return std::trunc(std::clamp(v, lo, hi));
    };
    if (name.starts_with("B_")) return v != 0.0 && !std::isnan(v) ? 1.0 : 0.0;
    if (name.starts_with("C_")) {
        // Past its range a char keeps its low byte, as C stores it.
        const double t = integral(-2147483648.0, 2147483647.0);
        return static_cast<double>(static_cast<signed char>(static_cast<int>(t) & 0xff));
    }
    if (name.starts_with("I_")) return integral(-2147483648.0, 2147483647.0);
    if (name.starts_with("F_")) return static_cast<double>(static_cast<float>(v));
    return v;
}

// "P_EXT:name" → "name"; empty when `parmname` is no extension key.
inline std::string_view ext_key(std::string_view parmname) {
    constexpr std::string_view prefix = "P_EXT:";
    return parmname.starts_with(prefix) ? parmname.substr(prefix.size()) : std::string_view{};
}

using TextMap = std::map<std::string, std::string, std::less<>>;

// P_EXT:name of a string table, read through a NeedBig buffer, or written from one.
inline bool get_ext(const TextMap& ext, std::string_view key, char* buffer) {
    if (key.empty()) return false;
    const auto found = ext.find(key);
    copy_out(found != ext.end() ? std::string_view(found->second) : std::string_view{}, buffer);
    return found != ext.end();
}
inline bool set_ext(TextMap& ext, std::string_view key, const char* buffer) {
    if (key.empty()) return false;
    ext.insert_or_assign(std::string(key), std::string(buffer));
    return true;
}

// An object's script state: to read (its own, or the defaults while it has none), to write (made
// on demand), and copied with it.
template <class State>
const State& read_state(const std::unique_ptr<State>& state) {
    static const State defaults;
    return state ? *state : defaults;
}
template <class State>
State& write_state(std::unique_ptr<State>& state) {
    if (!state) state = std::make_unique<State>();
    return *state;
}
template <class State>
std::unique_ptr<State> copy_state(const std::unique_ptr<State>& state) {
    return state ? std::make_unique<State>(*state) : nullptr;
}

int track_number(const Track* track);  // 1-based; 0 when the track is gone

// A GUID string as REAPER writes it ("{…}", 8-4-4-4-12 upper-case hex digits), or "" when
// `text` is none.
std::string normalised_guid(std::string_view text);

// GUID text and the binary form, both ways; parsing needs a normalised text.
std::string guid_text(const GUID& guid);
GUID guid_value(std::string_view normalised);

// A track's GUID, made when first asked for.
const std::string& track_guid(Host* host, Track* track);

// GUID: read, or written when valid, through a NeedBig buffer.
inline bool guid_string(std::string& guid, char* buffer, bool set) {
    if (!set) {
        copy_out(guid, buffer);
        return true;
    }
    std::string valid = normalised_guid(buffer);
    if (valid.empty()) return false;
    guid = std::move(valid);
    return true;
}

// A text field read or written through a NeedBig buffer.
inline bool text_string(std::string& text, char* buffer, bool set) {
    if (set) {
        text = buffer;
    } else {
        copy_out(text, buffer);
    }
    return true;
}

}  // namespace script

namespace reaper {
// ---- project and selection ----
bool IsMediaItemSelected(MediaItem* item);
void SelectAllMediaItems(ReaProject* proj, bool selected);
ReaProject* EnumProjects(int idx, char* projfnOutOptional, int projfnOutOptional_sz);
double GetProjectLength(ReaProject* proj);
double GetSetProjectInfo(ReaProject* project, const char* desc, double value, bool is_set);
// ---- items ----
bool GetSetMediaItemInfo_String(MediaItem* item, const char* parmname, char* stringNeedBig,
                                bool setNewValue);
MediaTrack* GetMediaItemTrack(MediaItem* item);
int GetTrackNumMediaItems(MediaTrack* tr);
MediaItem* CreateNewMIDIItemInProj(MediaTrack* track, double starttime, double endtime,
                                   const bool* qnInOptional);
MediaItem* SplitMediaItem(MediaItem* item, double position);
bool SetMediaItemPosition(MediaItem* item, double position, bool refreshUI);
bool SetMediaItemLength(MediaItem* item, double length, bool refreshUI);
void UpdateItemInProject(MediaItem* item);
int GetDisplayedMediaItemColor(MediaItem* item);
bool ApplyNudge(ReaProject* project, int nudgeflag, int nudgewhat, int nudgeunits, double value,
                bool reverse, int copies);
// ---- takes ----
void SetActiveTake(MediaItem_Take* take);
int CountTakes(MediaItem* item);
MediaItem_Take* GetTake(MediaItem* item, int takeidx);
MediaItem_Take* GetMediaItemTake(MediaItem* item, int tk);
MediaItem* GetMediaItemTake_Item(MediaItem_Take* take);
bool TakeIsMIDI(MediaItem_Take* take);
MediaItem_Take* GetMediaItemTakeByGUID(ReaProject* project, const GUID* guid);
// ---- sources ----
bool SetMediaItemTake_Source(MediaItem_Take* take, PCM_source* source);
void GetMediaSourceFileName(PCM_source* source, char* filenamebufOut, int filenamebufOut_sz);
double GetMediaSourceLength(PCM_source* source, bool* lengthIsQNOut);
// ---- tracks ----
int GetNumTracks();
bool SetMediaTrackInfo_Value(MediaTrack* tr, const char* parmname, double newvalue);
bool GetSetMediaTrackInfo_String(MediaTrack* tr, const char* parmname, char* stringNeedBig,
                                 bool setNewValue);
bool GetTrackName(MediaTrack* track, char* bufOut, int bufOut_sz);
MediaTrack* GetParentTrack(MediaTrack* track);
bool IsTrackVisible(MediaTrack* track, bool mixer);
int CSurf_TrackToID(MediaTrack* track, bool mcpView);
void InsertTrackAtIndex(int idx, bool wantDefaults);
void InsertTrackInProject(ReaProject* proj, int idx, int flags);
void DeleteTrack(MediaTrack* tr);
void TrackList_AdjustWindows(bool isMinor);
GUID* GetTrackGUID(MediaTrack* tr);
// ---- miscellaneous ----
const char* GetResourcePath();
bool GetAudioDeviceInfo(const char* attribute, char* descOut, int descOut_sz);
int ColorToNative(int r, int g, int b);
void ColorFromNative(int col, int* rOut, int* gOut, int* bOut);
bool ValidatePtr(void* pointer, const char* ctypename);
bool ValidatePtr2(ReaProject* proj, void* pointer, const char* ctypename);
void genGuid(GUID* g);
void guidToString(const GUID* g, char* destNeed64);
}  // namespace reaper

}  // namespace sim
