// Time, the edit cursor, transport and markers.
#include "families.h"
#include "sim/functions_markers.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_markers_time() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("TimeMap_curFrameRate", &sim::reaper::TimeMap_curFrameRate,
            "double\0ReaProject*,bool*\0proj,dropFrameOut\0Get the project's video frame rate and whether timecode drops frames."sv),
        c_function("GetPlayState", &sim::reaper::GetPlayState,
            "int\0\0\0Get the play state: 0 stopped, &1 playing, &2 paused, &4 recording."sv),
        c_function("GetPlayPositionEx", &sim::reaper::GetPlayPositionEx,
            "double\0ReaProject*\0proj\0Get the play position, in seconds."sv),
        c_function("GetCursorPositionEx", &sim::reaper::GetCursorPositionEx,
            "double\0ReaProject*\0proj\0Get the edit cursor position, in seconds."sv),
        c_function("SetEditCurPos2", &sim::reaper::SetEditCurPos2,
            "void\0ReaProject*,double,bool,bool\0proj,time,moveview,seekplay\0Move the edit cursor."sv),
        c_function("CSurf_GoEnd", &sim::reaper::CSurf_GoEnd,
            "void\0\0\0Move the edit cursor to the end of the project."sv),
        c_function("GetCursorPosition", &sim::reaper::GetCursorPosition,
            "double\0\0\0Get the edit cursor position, in seconds."sv),
        c_function("SetEditCurPos", &sim::reaper::SetEditCurPos,
            "void\0double,bool,bool\0time,moveview,seekplay\0Move the edit cursor; negative times go to 0."sv),
        c_function("MoveEditCursor", &sim::reaper::MoveEditCursor,
            "void\0double,bool\0adjamt,dosel\0Move the edit cursor by adjamt seconds; dosel extends the time selection along."sv),
        c_function("GetSet_LoopTimeRange", &sim::reaper::GetSet_LoopTimeRange,
            "void\0bool,bool,double*,double*,bool\0isSet,isLoop,startOut,endOut,allowautoseek\0Get or set the time selection (isLoop false) or the loop points; they are linked. No selection: 0, 0."sv),
        c_function("GetSet_LoopTimeRange2", &sim::reaper::GetSet_LoopTimeRange2,
            "void\0ReaProject*,bool,bool,double*,double*,bool\0proj,isSet,isLoop,startOut,endOut,allowautoseek\0Get or set a project's time selection or loop points."sv),
        c_function("GetSet_ArrangeView2", &sim::reaper::GetSet_ArrangeView2,
            "void\0ReaProject*,bool,int,int,double*,double*\0proj,isSet,screen_x_start,screen_x_end,start_timeInOut,end_timeInOut\0Get or set the visible time range of the arrange view."sv),
        c_function("SnapToGrid", &sim::reaper::SnapToGrid,
            "double\0ReaProject*,double\0project,time_pos\0The nearest grid line to time_pos, whether snapping is on or not."sv),
        c_function("TimeMap_QNToTime", &sim::reaper::TimeMap_QNToTime,
            "double\0double\0qn\0Convert a position in quarter notes to seconds through the tempo map."sv),
        c_function("TimeMap_timeToQN", &sim::reaper::TimeMap_timeToQN,
            "double\0double\0tpos\0Convert a position in seconds to quarter notes through the tempo map."sv),
        c_function("TimeMap2_QNToTime", &sim::reaper::TimeMap2_QNToTime,
            "double\0ReaProject*,double\0proj,qn\0Convert a position in quarter notes to seconds through a project's tempo map."sv),
        c_function("TimeMap2_timeToQN", &sim::reaper::TimeMap2_timeToQN,
            "double\0ReaProject*,double\0proj,tpos\0Convert a position in seconds to quarter notes through a project's tempo map."sv),
        c_function("TimeMap2_GetDividedBpmAtTime", &sim::reaper::TimeMap2_GetDividedBpmAtTime,
            "double\0ReaProject*,double\0proj,time\0The tempo at time, counted in the time signature's beats (bpm x denominator / 4)."sv),
        c_function("GetProjectTimeOffset", &sim::reaper::GetProjectTimeOffset,
            "double\0ReaProject*,bool\0proj,rndframe\0The project start time offset, in seconds; rndframe rounds it to whole frames."sv),
        c_function("CountProjectMarkers", &sim::reaper::CountProjectMarkers,
            "int\0ReaProject*,int*,int*\0proj,num_markersOut,num_regionsOut\0Count markers and regions: the total, then each."sv),
        c_function("EnumProjectMarkers", &sim::reaper::EnumProjectMarkers,
            "int\0int,bool*,double*,double*,const char**,int*\0idx,isrgnOut,posOut,rgnendOut,nameOut,markrgnindexnumberOut\0Marker or region idx, markers and regions together by position; returns idx + 1, or 0 past the end."sv),
        c_function("EnumProjectMarkers3", &sim::reaper::EnumProjectMarkers3,
            "int\0ReaProject*,int,bool*,double*,double*,const char**,int*,int*\0proj,idx,isrgnOut,posOut,rgnendOut,nameOut,markrgnindexnumberOut,colorOut\0Marker or region idx of a project, with its color; returns idx + 1, or 0 past the end."sv),
        c_function("GetLastMarkerAndCurRegion", &sim::reaper::GetLastMarkerAndCurRegion,
            "void\0ReaProject*,double,int*,int*\0proj,time,markeridxOut,regionidxOut\0The enumeration indices of the last marker at or before time and of the region holding time; -1 for none."sv),
        c_function("AddProjectMarker", &sim::reaper::AddProjectMarker,
            "int\0ReaProject*,bool,double,double,const char*,int\0proj,isrgn,pos,rgnend,name,wantidx\0Add a marker, or a region pos..rgnend; returns its number (wantidx if free, else the lowest free one), -1 on failure."sv),
        c_function("DeleteProjectMarker", &sim::reaper::DeleteProjectMarker,
            "bool\0ReaProject*,int,bool\0proj,markrgnindexnumber,isrgn\0Delete the marker or region shown with that number."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
