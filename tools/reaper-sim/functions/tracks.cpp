// Tracks: finding them and their parameters.
#include "families.h"
#include "lua_support.h"
#include "sim/script_functions.h"

namespace reaper_sim {

using namespace std::string_view_literals;

namespace {

// GetTrackGUID answers a GUID*, which Lua sees as its text: bound by hand, checking its track as
// the binding checks handles.
int track_guid_body(lua_State* L) {
    if (!lua_islightuserdata(L, 1)) {
        throw ScriptError("bad argument #1 to 'GetTrackGUID' (MediaTrack expected)");
    }
    sim::Host* host = sim::Host::active();
    void* track = lua_touserdata(L, 1);
    if (host == nullptr || !host->validate(nullptr, track, "MediaTrack*")) {
        throw ScriptError("GetTrackGUID argument 1: expected MediaTrack*");
    }
    const sim::GUID* guid = sim::reaper::GetTrackGUID(static_cast<MediaTrack*>(track));
    lua_pushstring(L, sim::script::guid_text(*guid).c_str());
    return 1;
}

}  // namespace

std::span<const HostFunctionRow> family_tracks() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetTrack", &sim::reaper::GetTrack,
            "MediaTrack*\0ReaProject*,int\0proj,trackidx\0Get a track by its index, from 0; the master track is not counted."sv),
        c_function("CountTracks", &sim::reaper::CountTracks,
            "int\0ReaProject*\0proj\0Count the tracks; the master track is not counted."sv),
        c_function("GetMediaTrackInfo_Value", &sim::reaper::GetMediaTrackInfo_Value,
            "double\0MediaTrack*,const char*\0tr,parmname\0Get a track parameter by name (D_VOL, B_MUTE, I_FOLDERDEPTH, IP_TRACKNUMBER, ...), as a number; 0 for an unknown name."sv),
        c_function("GetNumTracks", &sim::reaper::GetNumTracks,
            "int\0\0\0Count the tracks of the current project; the master track is not counted."sv),
        c_function("SetMediaTrackInfo_Value", &sim::reaper::SetMediaTrackInfo_Value,
            "bool\0MediaTrack*,const char*,double\0tr,parmname,newvalue\0Set a track parameter; false for an unknown or read-only one."sv),
        c_function("GetSetMediaTrackInfo_String", &sim::reaper::GetSetMediaTrackInfo_String,
            "bool\0MediaTrack*,const char*,char*,bool\0tr,parmname,stringNeedBig,setNewValue\0Get or set a track text parameter: P_NAME, P_ICON, P_MCP_LAYOUT, P_TCP_LAYOUT, P_RAZOREDITS, P_RAZOREDITS_EXT, P_EXT:name, GUID."sv),
        c_function("GetTrackName", &sim::reaper::GetTrackName,
            "bool\0MediaTrack*,char*,int\0track,bufOut,bufOut_sz\0Get a track's name, or \"Track N\" for an unnamed track."sv),
        c_function("GetParentTrack", &sim::reaper::GetParentTrack,
            "MediaTrack*\0MediaTrack*\0track\0Get the folder track holding a track; nil at the top level."sv),
        c_function("IsTrackVisible", &sim::reaper::IsTrackVisible,
            "bool\0MediaTrack*,bool\0track,mixer\0Whether a track is shown in the mixer (mixer true) or the arrange view."sv),
        c_function("CSurf_TrackToID", &sim::reaper::CSurf_TrackToID,
            "int\0MediaTrack*,bool\0track,mcpView\0Get a track's control-surface number: 1 for the first track (with mcpView, counting only tracks the mixer shows); -1 when not found."sv),
        c_function("InsertTrackAtIndex", &sim::reaper::InsertTrackAtIndex,
            "void\0int,bool\0idx,wantDefaults\0Insert a new track at an index of the current project."sv),
        c_function("InsertTrackInProject", &sim::reaper::InsertTrackInProject,
            "void\0ReaProject*,int,int\0proj,idx,flags\0Insert a new track at an index of a project."sv),
        c_function("DeleteTrack", &sim::reaper::DeleteTrack,
            "void\0MediaTrack*\0tr\0Delete a track with its items."sv),
        c_function("TrackList_AdjustWindows", &sim::reaper::TrackList_AdjustWindows,
            "void\0bool\0isMinor\0Lay out the track panels again."sv),
        lua_function("GetTrackGUID", &guarded<&track_guid_body>,
            "string guid = reaper.GetTrackGUID(MediaTrack tr)"),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
