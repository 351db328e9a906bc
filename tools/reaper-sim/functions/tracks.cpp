// Tracks: finding them and their parameters.
#include "families.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_tracks() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetTrack", &sim::reaper::GetTrack,
            "MediaTrack*\0ReaProject*,int\0proj,trackidx\0Get a track by its index, from 0; the master track is not counted."sv),
        c_function("CountTracks", &sim::reaper::CountTracks,
            "int\0ReaProject*\0proj\0Count the tracks; the master track is not counted."sv),
        c_function("GetMediaTrackInfo_Value", &sim::reaper::GetMediaTrackInfo_Value,
            "double\0MediaTrack*,const char*\0tr,parmname\0Get a track parameter: I_SELECTED, P_PROJECT."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
