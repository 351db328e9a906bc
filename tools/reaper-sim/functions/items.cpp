// Items: their track, parameters, creation, deletion and moves.
#include "families.h"
#include "sim/script_functions.h"

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
            "double\0MediaItem*,const char*\0item,parmname\0Get an item parameter by name (B_MUTE, D_POSITION, I_CURTAKE, IP_ITEMNUMBER, ...), as a number; 0 for an unknown name."sv),
        c_function("SetMediaItemInfo_Value", &sim::reaper::SetMediaItemInfo_Value,
            "bool\0MediaItem*,const char*,double\0item,parmname,newvalue\0Set an item parameter, stored as its type stores it; false for an unknown or read-only name."sv),
        c_function("AddMediaItemToTrack", &sim::reaper::AddMediaItemToTrack,
            "MediaItem*\0MediaTrack*\0tr\0Add a new, empty item to a track."sv),
        c_function("DeleteTrackMediaItem", &sim::reaper::DeleteTrackMediaItem,
            "bool\0MediaTrack*,MediaItem*\0tr,it\0Delete an item from its track."sv),
        c_function("MoveMediaItemToTrack", &sim::reaper::MoveMediaItemToTrack,
            "bool\0MediaItem*,MediaTrack*\0item,desttr\0Move an item to another track."sv),
        c_function("InsertMedia", &sim::reaper::InsertMedia,
            "int\0const char*,int\0file,mode\0Insert a media file; mode 0 adds it on the current track at the edit cursor."sv),
        c_function("GetSetMediaItemInfo_String", &sim::reaper::GetSetMediaItemInfo_String,
            "bool\0MediaItem*,const char*,char*,bool\0item,parmname,stringNeedBig,setNewValue\0Get or set an item text parameter: P_NOTES, GUID, P_EXT:name (extension data); false for a missing key or a malformed GUID."sv),
        c_function("GetMediaItemTrack", &sim::reaper::GetMediaItemTrack,
            "MediaTrack*\0MediaItem*\0item\0Get the track an item is on."sv),
        c_function("GetTrackNumMediaItems", &sim::reaper::GetTrackNumMediaItems,
            "int\0MediaTrack*\0tr\0Count the items of a track."sv),
        c_function("SplitMediaItem", &sim::reaper::SplitMediaItem,
            "MediaItem*\0MediaItem*,double\0item,position\0Split an item at a project time strictly inside it: the item keeps the left part, the new right part is returned; nil when the time is not inside."sv),
        c_function("SetMediaItemPosition", &sim::reaper::SetMediaItemPosition,
            "bool\0MediaItem*,double,bool\0item,position,refreshUI\0Move an item, as D_POSITION does."sv),
        c_function("SetMediaItemLength", &sim::reaper::SetMediaItemLength,
            "bool\0MediaItem*,double,bool\0item,length,refreshUI\0Set an item's length, as D_LENGTH does."sv),
        c_function("UpdateItemInProject", &sim::reaper::UpdateItemInProject,
            "void\0MediaItem*\0item\0Show an item's changes and put its track's items back in position order."sv),
        c_function("CreateNewMIDIItemInProj", &sim::reaper::CreateNewMIDIItemInProj,
            "MediaItem*\0MediaTrack*,double,double,const bool*\0track,starttime,endtime,qnInOptional\0Create an item from starttime to endtime (seconds, or quarter notes when qnIn is true) whose one take holds an empty MIDI source; nil when the end is not after the start."sv),
        c_function("GetDisplayedMediaItemColor", &sim::reaper::GetDisplayedMediaItemColor,
            "int\0MediaItem*\0item\0Get the colour an item is drawn with: its active take's, else its own, else its track's (native | 0x1000000), or 0 for the theme's."sv),
        c_function("ApplyNudge", &sim::reaper::ApplyNudge,
            "bool\0ReaProject*,int,int,int,double,bool,int\0project,nudgeflag,nudgewhat,nudgeunits,value,reverse,copies\0Nudge (nudgeflag &1: set) the selected items' position (nudgewhat 0), left edge keeping the content in place (1), right edge (3) or content (4), or the edit cursor (6), by milliseconds (nudgeunits 0), seconds (1), samples (17), frames (18) or item lengths (20); false for snapping, other targets and units, or when nothing moved."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
