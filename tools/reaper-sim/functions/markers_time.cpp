// Time, the edit cursor, transport and markers.
#include "families.h"

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
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
