// Items: their track, parameters, creation, deletion and moves.
#include "families.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_items() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetTrackMediaItem", &sim::reaper::GetTrackMediaItem,
            "MediaItem*\0MediaTrack*,int\0tr,itemidx\0Get an item of a track by its index on the track, from 0."sv),
        c_function("CountTrackMediaItems", &sim::reaper::CountTrackMediaItems,
            "int\0MediaTrack*\0track\0Count the items of a track."sv),
        c_function("GetMediaItem_Track", &sim::reaper::GetMediaItem_Track,
            "MediaTrack*\0MediaItem*\0item\0Get the track an item is on."sv),
        c_function("GetItemProjectContext", &sim::reaper::GetItemProjectContext,
            "ReaProject*\0MediaItem*\0item\0Get the project an item belongs to."sv),
        c_function("GetMediaItemInfo_Value", &sim::reaper::GetMediaItemInfo_Value,
            "double\0MediaItem*,const char*\0item,parmname\0Get an item parameter: D_POSITION, D_LENGTH, D_FADEINLEN, D_FADEOUTLEN, C_FADEINSHAPE, C_FADEOUTSHAPE, B_MUTE, B_MUTE_ACTUAL, B_LOOPSRC, C_LOCK, D_VOL, B_UISEL."sv),
        c_function("SetMediaItemInfo_Value", &sim::reaper::SetMediaItemInfo_Value,
            "bool\0MediaItem*,const char*,double\0item,parmname,newvalue\0Set an item parameter; false for an unknown parameter."sv),
        c_function("AddMediaItemToTrack", &sim::reaper::AddMediaItemToTrack,
            "MediaItem*\0MediaTrack*\0tr\0Add a new, empty item to a track."sv),
        c_function("DeleteTrackMediaItem", &sim::reaper::DeleteTrackMediaItem,
            "bool\0MediaTrack*,MediaItem*\0tr,it\0Delete an item from its track."sv),
        c_function("MoveMediaItemToTrack", &sim::reaper::MoveMediaItemToTrack,
            "bool\0MediaItem*,MediaTrack*\0item,desttr\0Move an item to another track."sv),
        c_function("InsertMedia", &sim::reaper::InsertMedia,
            "int\0const char*,int\0file,mode\0Insert a media file; mode 0 adds it on the current track at the edit cursor."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
