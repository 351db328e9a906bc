// REAPER's side of the extension interface: its handle types, the plug-in record, the media source
// class and one slot per host function the library calls. The slots are filled at load time.
#pragma once

#include <cstddef>

#include "entry/export.h"

class ReaProject;
class MediaTrack;
class MediaItem;
class MediaItem_Take;

using HWND = struct HWND__*;

struct reaper_plugin_info_t {
    int caller_version;
    HWND hwnd_main;
    int (*Register)(const char* name, void* infostruct);
    void* (*GetFunc)(const char* name);
};

// Only the leading part of REAPER's vtable is declared; the order must match REAPER's exactly.
// Windows lays it out differently: call it only through qm_platform::duplicate().
class PCM_source {
public:
    virtual ~PCM_source() {}
    virtual PCM_source* Duplicate() = 0;
    virtual bool IsAvailable() = 0;
    virtual void SetAvailable(bool avail) = 0;
    virtual const char* GetType() = 0;
    virtual const char* GetFileName() = 0;
    virtual bool SetFileName(const char* newfn) = 0;
    virtual PCM_source* GetSource() = 0;
    virtual void SetSource(PCM_source* src) = 0;
    virtual int GetNumChannels() = 0;
    virtual double GetSampleRate() = 0;
    virtual double GetLength() = 0;
    virtual double GetLengthBeats() = 0;
    virtual int GetBitsPerSample() = 0;
    virtual double GetPreferredPosition() = 0;
};

// Every host function the library calls, in case-insensitive alphabetical order (the order of the
// import table). FN(return type, name, parameter list).
// clang-format off
#define QM_HOST_FUNCTIONS(FN) \
    FN(MediaItem*, AddMediaItemToTrack, (MediaTrack* tr)) \
    FN(MediaItem_Take*, AddTakeToMediaItem, (MediaItem* item)) \
    FN(int, CountMediaItems, (ReaProject* proj)) \
    FN(int, CountSelectedMediaItems, (ReaProject* proj)) \
    FN(int, CountSelectedTracks, (ReaProject* proj)) \
    FN(int, CountTrackMediaItems, (MediaTrack* track)) \
    FN(void, CSurf_GoEnd, ()) \
    FN(bool, DeleteTrackMediaItem, (MediaTrack* tr, MediaItem* it)) \
    FN(MediaItem_Take*, GetActiveTake, (MediaItem* item)) \
    FN(double, GetCursorPositionEx, (ReaProject* proj)) \
    FN(ReaProject*, GetItemProjectContext, (MediaItem* item)) \
    FN(MediaItem*, GetMediaItem, (ReaProject* proj, int itemidx)) \
    FN(MediaTrack*, GetMediaItem_Track, (MediaItem* item)) \
    FN(double, GetMediaItemInfo_Value, (MediaItem* item, const char* parmname)) \
    FN(PCM_source*, GetMediaItemTake_Source, (MediaItem_Take* take)) \
    FN(double, GetMediaItemTakeInfo_Value, (MediaItem_Take* take, const char* parmname)) \
    FN(int, GetMediaSourceNumChannels, (PCM_source* source)) \
    FN(int, GetMediaSourceSampleRate, (PCM_source* source)) \
    FN(void, GetMediaSourceType, (PCM_source* source, char* typebufOut, int typebufOut_sz)) \
    FN(double, GetMediaTrackInfo_Value, (MediaTrack* tr, const char* parmname)) \
    FN(double, GetPlayPositionEx, (ReaProject* proj)) \
    FN(int, GetPlayState, ()) \
    FN(MediaItem*, GetSelectedMediaItem, (ReaProject* proj, int selitem)) \
    FN(MediaTrack*, GetSelectedTrack, (ReaProject* proj, int seltrackidx)) \
    FN(void*, GetSetMediaItemTakeInfo, (MediaItem_Take* tk, const char* parmname, void* setNewValue)) \
    FN(bool, GetSetMediaItemTakeInfo_String, (MediaItem_Take* tk, const char* parmname, char* stringNeedBig, bool setNewValue)) \
    FN(const char*, GetTakeName, (MediaItem_Take* take)) \
    FN(MediaTrack*, GetTrack, (ReaProject* proj, int trackidx)) \
    FN(MediaItem*, GetTrackMediaItem, (MediaTrack* tr, int itemidx)) \
    FN(int, InsertMedia, (const char* file, int mode)) \
    FN(bool, MoveMediaItemToTrack, (MediaItem* item, MediaTrack* desttr)) \
    FN(void, PCM_Source_Destroy, (PCM_source* src)) \
    FN(int, plugin_register, (const char* name, void* infostruct)) \
    FN(void, SetEditCurPos2, (ReaProject* proj, double time, bool moveview, bool seekplay)) \
    FN(bool, SetMediaItemInfo_Value, (MediaItem* item, const char* parmname, double newvalue)) \
    FN(void, SetMediaItemSelected, (MediaItem* item, bool selected)) \
    FN(bool, SetMediaItemTakeInfo_Value, (MediaItem_Take* take, const char* parmname, double newvalue)) \
    FN(void, SetOnlyTrackSelected, (MediaTrack* track)) \
    FN(void, SetTrackSelected, (MediaTrack* track, bool selected)) \
    FN(int, ShowMessageBox, (const char* msg, const char* title, int type)) \
    FN(double, TimeMap_curFrameRate, (ReaProject* proj, bool* dropFrameOut)) \
    FN(void, UpdateArrange, ())
// clang-format on

#define QM_DECLARE_HOST_SLOT(ret, name, params) extern ret(*name) params;
QM_HOST_FUNCTIONS(QM_DECLARE_HOST_SLOT)
#undef QM_DECLARE_HOST_SLOT

namespace qm_host {

// One entry of the import table: where the slot lives and the name the host knows it by.
struct ImportEntry {
    void* slot;
    const char* name;
};

extern const ImportEntry import_table[];
extern const std::size_t import_table_size;

// Fills every slot from `lookup`, in table order; answers how many names the lookup did not know.
int resolve(void* (*lookup)(const char* name)) noexcept;

}  // namespace qm_host

// The SDK's loader over the import table: same walk, same count.
QM_EXPORT int REAPERAPI_LoadAPI(void* (*getAPI)(const char*));
