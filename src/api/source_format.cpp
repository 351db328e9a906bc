#include "api/addressing.h"
#include "api/api.h"
#include "dependency/dependency_manager.h"
#include "entry/entry.h"
#include "script_bridge/wrappers.h"

namespace {

constexpr char kProductTitle[] = "VORMELT_PLIVEN";

using BitDepthQuery = int (*)(PCM_source*);

PCM_source* active_source(MediaItem* item) {
    return GetMediaItemTake_Source(GetActiveTake(item));
}

// Only SWS knows a source's bit depth. It is looked up at every call, not at load: REAPER may load
// SWS after this library.
BitDepthQuery sws_bit_depth() {
    auto* const lookup = qm_app::reaper_plugin->GetFunc;
    if (lookup == nullptr) return nullptr;
    return reinterpret_cast<BitDepthQuery>(lookup("CF_GetMediaSourceBitDepth"));
}

// `functionName` is the caller's script name, which the question to the user shows.
bool read_bit_depth(MediaItem* item, const char* functionName, int* bitRateOut) {
    // Unloaded: there is no REAPER to look through, nor anyone to ask.
    if (qm_app::reaper_plugin == nullptr) return false;
    PCM_source* source = active_source(item);
    const BitDepthQuery query = sws_bit_depth();
    if (query == nullptr) {
        dependency_manager::assert_not_installed(functionName, kProductTitle,
                                                 dependency_manager::third_plugin::SWS);
        return false;
    }
    // SWS is another extension: it is not handed a source that is not there.
    if (source == nullptr) return false;
    *bitRateOut = query(source);
    return true;
}

bool read_sample_rate(MediaItem* item, int* sampleOut) {
    *sampleOut = GetMediaSourceSampleRate(active_source(item));
    return true;
}

// The channels a take plays: mode 0 plays the source as it is and 1 swaps its sides; 2 downmixes
// and 3 to 66 pick one channel; 67 and above pick a pair. A mono source stays mono whatever the
// mode.
int played_channels(double mode, int source_channels) {
    if (source_channels == 1) return 1;
    if (mode <= 1.0) return source_channels;
    if (mode >= 2.0 && mode < 67.0) return 1;
    return 2;
}

bool read_channels(MediaItem* item, int* channelOut) {
    MediaItem_Take* take = GetActiveTake(item);
    const double mode = GetMediaItemTakeInfo_Value(take, "I_CHANMODE");
    *channelOut = played_channels(mode, GetMediaSourceNumChannels(GetMediaItemTake_Source(take)));
    return true;
}

bool read_channel_mode(MediaItem* item, int* chModeOut) {
    const double mode = GetMediaItemTakeInfo_Value(GetActiveTake(item), "I_CHANMODE");
    // NaN, or a value no int holds, is no channel mode.
    if (!(mode > -2147483649.0 && mode < 2147483648.0)) return false;
    *chModeOut = static_cast<int>(mode);
    return true;
}

bool write_channel_mode(MediaItem* item, int setChannelMode) {
    const bool ok = SetMediaItemTakeInfo_Value(GetActiveTake(item), "I_CHANMODE",
                                               static_cast<double>(setChannelMode));
    UpdateArrange();
    return ok;
}

}  // namespace

// The bit-depth forms are written out: each names itself in the question to the user.
bool GetMediaItemBitRate(MediaItem* item, int* bitRateOut) noexcept {
    return bitRateOut != nullptr && read_bit_depth(item, "QM_GetMediaItemBitRate", bitRateOut);
}
bool GetMediaBitRate(ReaProject* projID, int itemID, int* bitRateOut) noexcept {
    return bitRateOut != nullptr &&
           qm_api::on_item(qm_api::project_item(projID, itemID), read_bit_depth,
                           "QM_GetMediaBitRate", bitRateOut);
}
bool GetSelectedMediaBitRate(ReaProject* projID, int selectItemID, int* bitRateOut) noexcept {
    return bitRateOut != nullptr &&
           qm_api::on_item(qm_api::selected_item(projID, selectItemID), read_bit_depth,
                           "QM_GetSelectedMediaBitRate", bitRateOut);
}
bool GetTrackMediaBitRate(ReaProject* projID, int trackID, int trackItemID,
                          int* bitRateOut) noexcept {
    return bitRateOut != nullptr &&
           qm_api::on_item(qm_api::track_item(projID, trackID, trackItemID), read_bit_depth,
                           "QM_GetTrackMediaBitRate", bitRateOut);
}
bool GetSelectedTrackMediaBitRate(ReaProject* projID, int selectTrackID, int trackItemID,
                                  int* bitRateOut) noexcept {
    return bitRateOut != nullptr &&
           qm_api::on_item(qm_api::selected_track_item(projID, selectTrackID, trackItemID),
                           read_bit_depth, "QM_GetSelectedTrackMediaBitRate", bitRateOut);
}

QM_FIVE_FORMS(Get, SampleRate, read_sample_rate, (int* sampleOut), (sampleOut))
QM_FIVE_FORMS(Get, NumChannels, read_channels, (int* channelOut), (channelOut))
QM_FIVE_FORMS(Get, ChannelMode, read_channel_mode, (int* chModeOut), (chModeOut))
QM_FIVE_FORMS(Set, ChannelMode, write_channel_mode, (int setChannelMode), (setChannelMode))

QM_DEFINE_WRAPPERS(QM_ROWS_SOURCE_FORMAT)
