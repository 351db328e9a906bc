// Project and selection: counting, finding and selecting items and tracks.
#include "families.h"
#include "sim/script_functions.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_project_selection() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetMediaItem", &sim::reaper::GetMediaItem,
            "MediaItem*\0ReaProject*,int\0proj,itemidx\0Get an item by its index in the project, counting every item track by track from 0."sv),
        c_function("GetSelectedMediaItem", &sim::reaper::GetSelectedMediaItem,
            "MediaItem*\0ReaProject*,int\0proj,selitem\0Get a selected item by its index among the selected items, from 0."sv),
        c_function("CountMediaItems", &sim::reaper::CountMediaItems,
            "int\0ReaProject*\0proj\0Count the items of the project."sv),
        c_function("CountSelectedMediaItems", &sim::reaper::CountSelectedMediaItems,
            "int\0ReaProject*\0proj\0Count the selected items of the project."sv),
        c_function("SetMediaItemSelected", &sim::reaper::SetMediaItemSelected,
            "void\0MediaItem*,bool\0item,selected\0Select or unselect an item."sv),
        c_function("GetSelectedTrack", &sim::reaper::GetSelectedTrack,
            "MediaTrack*\0ReaProject*,int\0proj,seltrackidx\0Get a selected track by its index among the selected tracks, from 0."sv),
        c_function("CountSelectedTracks", &sim::reaper::CountSelectedTracks,
            "int\0ReaProject*\0proj\0Count the selected tracks; the master track is not counted."sv),
        c_function("SetOnlyTrackSelected", &sim::reaper::SetOnlyTrackSelected,
            "void\0MediaTrack*\0track\0Select a track and unselect every other."sv),
        c_function("SetTrackSelected", &sim::reaper::SetTrackSelected,
            "void\0MediaTrack*,bool\0track,selected\0Select or unselect a track."sv),
        c_function("IsMediaItemSelected", &sim::reaper::IsMediaItemSelected,
            "bool\0MediaItem*\0item\0Whether an item is selected."sv),
        c_function("SelectAllMediaItems", &sim::reaper::SelectAllMediaItems,
            "void\0ReaProject*,bool\0proj,selected\0Select or unselect every item of the project."sv),
        c_function("EnumProjects", &sim::reaper::EnumProjects,
            "ReaProject*\0int,char*,int\0idx,projfnOutOptional,projfnOutOptional_sz\0Get an open project by its tab index, or the current one for -1, and its file's full path (empty if never saved); nil when there is no such tab."sv),
        c_function("GetProjectLength", &sim::reaper::GetProjectLength,
            "double\0ReaProject*\0proj\0Get the project's length in seconds: the latest end of its items, markers, regions and tempo points."sv),
        c_function("GetSetProjectInfo", &sim::reaper::GetSetProjectInfo,
            "double\0ReaProject*,const char*,double,bool\0project,desc,value,is_set\0Get or set a numeric project setting: PROJECT_SRATE, PROJECT_SRATE_USE, PROJECT_TIMEBASE (read-only), READONLY, RENDER_SETTINGS, RENDER_BOUNDSFLAG, RENDER_CHANNELS, RENDER_SRATE, RENDER_STARTPOS, RENDER_ENDPOS, RENDER_TAILFLAG, RENDER_TAILMS, RENDER_DITHER, RENDER_NORMALIZE; 0 for any other."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
