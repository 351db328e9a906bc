// Sources: the media a take plays.
#include "families.h"
#include "sim/script_functions.h"

namespace reaper_sim {

using namespace std::string_view_literals;

std::span<const HostFunctionRow> family_sources() {
    // clang-format off
    static const HostFunctionRow rows[] = {
        c_function("GetMediaItemTake_Source", &sim::reaper::GetMediaItemTake_Source,
            "PCM_source*\0MediaItem_Take*\0take\0Get the media source of a take."sv),
        c_function("GetMediaSourceType", &sim::reaper::GetMediaSourceType,
            "void\0PCM_source*,char*,int\0source,typebufOut,typebufOut_sz\0Get the type of a media source: WAVE, MP3, MIDI, VORBIS, FLAC, VIDEO, EMPTY, SECTION, ..."sv),
        c_function("GetMediaSourceSampleRate", &sim::reaper::GetMediaSourceSampleRate,
            "int\0PCM_source*\0source\0Get the sample rate of a media source; 0 for MIDI."sv),
        c_function("GetMediaSourceNumChannels", &sim::reaper::GetMediaSourceNumChannels,
            "int\0PCM_source*\0source\0Get the channel count of a media source."sv),
        c_function("PCM_Source_Destroy", &sim::reaper::PCM_Source_Destroy,
            "void\0PCM_source*\0src\0Destroy a media source that no take plays."sv),
        c_function("CF_GetMediaSourceBitDepth", &sim::reaper::CF_GetMediaSourceBitDepth,
            "int\0PCM_source*\0src\0SWS: get the bit depth of a media source."sv),
        c_function("SetMediaItemTake_Source", &sim::reaper::SetMediaItemTake_Source,
            "bool\0MediaItem_Take*,PCM_source*\0take,source\0Give a take another source (a copy when another take plays it); the old one is the caller's to destroy."sv),
        c_function("GetMediaSourceFileName", &sim::reaper::GetMediaSourceFileName,
            "void\0PCM_source*,char*,int\0source,filenamebufOut,filenamebufOut_sz\0Get the full path of a source's media file; empty for sources held in the project."sv),
        c_function("GetMediaSourceLength", &sim::reaper::GetMediaSourceLength,
            "double\0PCM_source*,bool*\0source,lengthIsQNOut\0Get a source's length: in quarter notes, with lengthIsQN true, for MIDI held in the project; else in seconds."sv),
    };
    // clang-format on
    return rows;
}

}  // namespace reaper_sim
