#include "host_functions.h"

#include <cstdint>
#include <cstring>
#include <tuple>
#include <utility>

#include "sim/host.h"

namespace reaper_sim {
namespace {

using namespace std::string_view_literals;

template <class T>
struct type_text;
#define REAPER_SIM_TYPE_TEXT(type, text)           \
    template <>                                    \
    struct type_text<type> {                       \
        static constexpr const char* value = text; \
    };
REAPER_SIM_TYPE_TEXT(void, "void")
REAPER_SIM_TYPE_TEXT(int, "int")
REAPER_SIM_TYPE_TEXT(bool, "bool")
REAPER_SIM_TYPE_TEXT(double, "double")
REAPER_SIM_TYPE_TEXT(const char*, "const char*")
REAPER_SIM_TYPE_TEXT(char*, "char*")
REAPER_SIM_TYPE_TEXT(bool*, "bool*")
REAPER_SIM_TYPE_TEXT(int*, "int*")
REAPER_SIM_TYPE_TEXT(double*, "double*")
REAPER_SIM_TYPE_TEXT(const bool*, "const bool*")
REAPER_SIM_TYPE_TEXT(const int*, "const int*")
REAPER_SIM_TYPE_TEXT(const double*, "const double*")
REAPER_SIM_TYPE_TEXT(const char**, "const char**")
REAPER_SIM_TYPE_TEXT(TrackEnvelope*, "TrackEnvelope*")
REAPER_SIM_TYPE_TEXT(HWND, "HWND")
REAPER_SIM_TYPE_TEXT(ReaProject*, "ReaProject*")
REAPER_SIM_TYPE_TEXT(MediaTrack*, "MediaTrack*")
REAPER_SIM_TYPE_TEXT(MediaItem*, "MediaItem*")
REAPER_SIM_TYPE_TEXT(MediaItem_Take*, "MediaItem_Take*")
REAPER_SIM_TYPE_TEXT(PCM_source*, "PCM_source*")
#undef REAPER_SIM_TYPE_TEXT

template <class T>
T read_slot(void* slot) {
    if constexpr (std::is_same_v<T, int>) {
        return static_cast<int>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(slot)));
    } else if constexpr (std::is_same_v<T, bool>) {
        return slot != nullptr;
    } else if constexpr (std::is_same_v<T, double>) {
        return slot != nullptr ? *static_cast<const double*>(slot) : 0.0;
    } else {
        static_assert(std::is_pointer_v<T>, "no slot rule for this parameter type");
        return static_cast<T>(slot);
    }
}

template <class Sig>
struct shim;

template <class R, class... A>
struct shim<R(A...)> {
    using Function = R (*)(A...);

    static void* call(void* function, void** arglist, int numparms) {
        if (function == nullptr || numparms < static_cast<int>(sizeof...(A))) return nullptr;
        Function f = nullptr;
        std::memcpy(&f, &function, sizeof f);
        return invoke(f, arglist, numparms, std::index_sequence_for<A...>{});
    }

    static std::vector<std::string> signature() {
        return {type_text<R>::value, type_text<A>::value...};
    }

private:
    template <std::size_t... I>
    static void* invoke(Function f, void** arglist, int numparms, std::index_sequence<I...>) {
        if constexpr (std::is_void_v<R>) {
            f(read_slot<A>(arglist[I])...);
            return nullptr;
        } else {
            R r = f(read_slot<A>(arglist[I])...);
            if constexpr (std::is_same_v<R, double>) {
                if (arglist[numparms] != nullptr) *static_cast<double*>(arglist[numparms]) = r;
                return nullptr;
            } else if constexpr (std::is_same_v<R, bool>) {
                return reinterpret_cast<void*>(std::uintptr_t{r ? 1u : 0u});
            } else if constexpr (std::is_same_v<R, int>) {
                return reinterpret_cast<void*>(static_cast<std::intptr_t>(r));
            } else {
                return const_cast<void*>(static_cast<const void*>(r));
            }
        }
    }
};

// ROW(name, C signature, definition text)
// clang-format off
#define REAPER_SIM_HOST_ROWS(ROW) \
    ROW(GetMediaItem, MediaItem*(ReaProject*, int), "MediaItem*\0ReaProject*,int\0proj,itemidx\0Get an item by its index in the project, counting every item track by track from 0."sv) \
    ROW(GetSelectedMediaItem, MediaItem*(ReaProject*, int), "MediaItem*\0ReaProject*,int\0proj,selitem\0Get a selected item by its index among the selected items, from 0."sv) \
    ROW(GetTrack, MediaTrack*(ReaProject*, int), "MediaTrack*\0ReaProject*,int\0proj,trackidx\0Get a track by its index, from 0; the master track is not counted."sv) \
    ROW(GetSelectedTrack, MediaTrack*(ReaProject*, int), "MediaTrack*\0ReaProject*,int\0proj,seltrackidx\0Get a selected track by its index among the selected tracks, from 0."sv) \
    ROW(GetTrackMediaItem, MediaItem*(MediaTrack*, int), "MediaItem*\0MediaTrack*,int\0tr,itemidx\0Get an item of a track by its index on the track, from 0."sv) \
    ROW(CountMediaItems, int(ReaProject*), "int\0ReaProject*\0proj\0Count the items of the project."sv) \
    ROW(CountSelectedMediaItems, int(ReaProject*), "int\0ReaProject*\0proj\0Count the selected items of the project."sv) \
    ROW(CountTrackMediaItems, int(MediaTrack*), "int\0MediaTrack*\0track\0Count the items of a track."sv) \
    ROW(CountSelectedTracks, int(ReaProject*), "int\0ReaProject*\0proj\0Count the selected tracks; the master track is not counted."sv) \
    ROW(CountTracks, int(ReaProject*), "int\0ReaProject*\0proj\0Count the tracks; the master track is not counted."sv) \
    ROW(GetMediaItem_Track, MediaTrack*(MediaItem*), "MediaTrack*\0MediaItem*\0item\0Get the track an item is on."sv) \
    ROW(GetItemProjectContext, ReaProject*(MediaItem*), "ReaProject*\0MediaItem*\0item\0Get the project an item belongs to."sv) \
    ROW(GetActiveTake, MediaItem_Take*(MediaItem*), "MediaItem_Take*\0MediaItem*\0item\0Get the active take of an item."sv) \
    ROW(GetMediaItemTake_Source, PCM_source*(MediaItem_Take*), "PCM_source*\0MediaItem_Take*\0take\0Get the media source of a take."sv) \
    ROW(GetMediaItemInfo_Value, double(MediaItem*, const char*), "double\0MediaItem*,const char*\0item,parmname\0Get an item parameter: D_POSITION, D_LENGTH, D_FADEINLEN, D_FADEOUTLEN, C_FADEINSHAPE, C_FADEOUTSHAPE, B_MUTE, B_MUTE_ACTUAL, B_LOOPSRC, C_LOCK, D_VOL, B_UISEL."sv) \
    ROW(SetMediaItemInfo_Value, bool(MediaItem*, const char*, double), "bool\0MediaItem*,const char*,double\0item,parmname,newvalue\0Set an item parameter; false for an unknown parameter."sv) \
    ROW(GetMediaItemTakeInfo_Value, double(MediaItem_Take*, const char*), "double\0MediaItem_Take*,const char*\0take,parmname\0Get a take parameter: D_STARTOFFS, D_VOL, D_PAN, D_PLAYRATE, D_PITCH, B_PPITCH, I_CHANMODE, I_PITCHMODE."sv) \
    ROW(SetMediaItemTakeInfo_Value, bool(MediaItem_Take*, const char*, double), "bool\0MediaItem_Take*,const char*,double\0take,parmname,newvalue\0Set a take parameter; false for an unknown parameter."sv) \
    ROW(GetSetMediaItemTakeInfo_String, bool(MediaItem_Take*, const char*, char*, bool), "bool\0MediaItem_Take*,const char*,char*,bool\0tk,parmname,stringNeedBig,setNewValue\0Get or set a take text parameter: P_NAME."sv) \
    ROW(GetMediaTrackInfo_Value, double(MediaTrack*, const char*), "double\0MediaTrack*,const char*\0tr,parmname\0Get a track parameter: I_SELECTED, P_PROJECT."sv) \
    ROW(GetTakeName, const char*(MediaItem_Take*), "const char*\0MediaItem_Take*\0take\0Get the name of a take; nil for no take."sv) \
    ROW(GetMediaSourceType, void(PCM_source*, char*, int), "void\0PCM_source*,char*,int\0source,typebufOut,typebufOut_sz\0Get the type of a media source: WAVE, MP3, MIDI, VORBIS, FLAC, VIDEO, EMPTY, SECTION, ..."sv) \
    ROW(GetMediaSourceSampleRate, int(PCM_source*), "int\0PCM_source*\0source\0Get the sample rate of a media source; 0 for MIDI."sv) \
    ROW(GetMediaSourceNumChannels, int(PCM_source*), "int\0PCM_source*\0source\0Get the channel count of a media source."sv) \
    ROW(PCM_Source_Destroy, void(PCM_source*), "void\0PCM_source*\0src\0Destroy a media source that no take plays."sv) \
    ROW(AddMediaItemToTrack, MediaItem*(MediaTrack*), "MediaItem*\0MediaTrack*\0tr\0Add a new, empty item to a track."sv) \
    ROW(AddTakeToMediaItem, MediaItem_Take*(MediaItem*), "MediaItem_Take*\0MediaItem*\0item\0Add a take without a source to an item."sv) \
    ROW(DeleteTrackMediaItem, bool(MediaTrack*, MediaItem*), "bool\0MediaTrack*,MediaItem*\0tr,it\0Delete an item from its track."sv) \
    ROW(MoveMediaItemToTrack, bool(MediaItem*, MediaTrack*), "bool\0MediaItem*,MediaTrack*\0item,desttr\0Move an item to another track."sv) \
    ROW(SetMediaItemSelected, void(MediaItem*, bool), "void\0MediaItem*,bool\0item,selected\0Select or unselect an item."sv) \
    ROW(SetOnlyTrackSelected, void(MediaTrack*), "void\0MediaTrack*\0track\0Select a track and unselect every other."sv) \
    ROW(SetTrackSelected, void(MediaTrack*, bool), "void\0MediaTrack*,bool\0track,selected\0Select or unselect a track."sv) \
    ROW(InsertMedia, int(const char*, int), "int\0const char*,int\0file,mode\0Insert a media file; mode 0 adds it on the current track at the edit cursor."sv) \
    ROW(TimeMap_curFrameRate, double(ReaProject*, bool*), "double\0ReaProject*,bool*\0proj,dropFrameOut\0Get the project's video frame rate and whether timecode drops frames."sv) \
    ROW(GetPlayState, int(), "int\0\0\0Get the play state: 0 stopped, &1 playing, &2 paused, &4 recording."sv) \
    ROW(GetPlayPositionEx, double(ReaProject*), "double\0ReaProject*\0proj\0Get the play position, in seconds."sv) \
    ROW(GetCursorPositionEx, double(ReaProject*), "double\0ReaProject*\0proj\0Get the edit cursor position, in seconds."sv) \
    ROW(SetEditCurPos2, void(ReaProject*, double, bool, bool), "void\0ReaProject*,double,bool,bool\0proj,time,moveview,seekplay\0Move the edit cursor."sv) \
    ROW(CSurf_GoEnd, void(), "void\0\0\0Move the edit cursor to the end of the project."sv) \
    ROW(UpdateArrange, void(), "void\0\0\0Redraw the arrange view."sv) \
    ROW(ShowMessageBox, int(const char*, const char*, int), "int\0const char*,const char*,int\0msg,title,type\0Show a modal message box; type 4 is Yes/No and answers 6 (Yes) or 7 (No)."sv) \
    ROW(ShowConsoleMsg, void(const char*), "void\0const char*\0msg\0Print text to the console."sv) \
    ROW(CF_GetMediaSourceBitDepth, int(PCM_source*), "int\0PCM_source*\0src\0SWS: get the bit depth of a media source."sv)
// clang-format on

#define REAPER_SIM_ROW(name, sig, def) \
    HostFunctionRow{#name, def, &shim<sig>::call, &shim<sig>::signature},

const HostFunctionRow rows[] = {REAPER_SIM_HOST_ROWS(REAPER_SIM_ROW)};
#undef REAPER_SIM_ROW

}  // namespace

std::span<const HostFunctionRow> host_function_rows() {
    return rows;
}

}  // namespace reaper_sim
