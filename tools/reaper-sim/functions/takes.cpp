// Takes: the active take, parameters and names.
#include "families.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_takes() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetActiveTake", &sim::reaper::GetActiveTake,
            "MediaItem_Take*\0MediaItem*\0item\0Get the active take of an item."sv),
        c_function("GetMediaItemTakeInfo_Value", &sim::reaper::GetMediaItemTakeInfo_Value,
            "double\0MediaItem_Take*,const char*\0take,parmname\0Get a take parameter: D_STARTOFFS, D_VOL, D_PAN, D_PLAYRATE, D_PITCH, B_PPITCH, I_CHANMODE, I_PITCHMODE."sv),
        c_function("SetMediaItemTakeInfo_Value", &sim::reaper::SetMediaItemTakeInfo_Value,
            "bool\0MediaItem_Take*,const char*,double\0take,parmname,newvalue\0Set a take parameter; false for an unknown parameter."sv),
        c_function("GetSetMediaItemTakeInfo_String", &sim::reaper::GetSetMediaItemTakeInfo_String,
            "bool\0MediaItem_Take*,const char*,char*,bool\0tk,parmname,stringNeedBig,setNewValue\0Get or set a take text parameter: P_NAME."sv),
        c_function("GetTakeName", &sim::reaper::GetTakeName,
            "const char*\0MediaItem_Take*\0take\0Get the name of a take; nil for no take."sv),
        c_function("AddTakeToMediaItem", &sim::reaper::AddTakeToMediaItem,
            "MediaItem_Take*\0MediaItem*\0item\0Add a take without a source to an item."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
