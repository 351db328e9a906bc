#include "api/addressing.h"
#include "api/api.h"
#include "platform/platform.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace {

// Copied one at a time, read from the source and written at once, in this order.
constexpr const char* kItemCarried[] = {"B_MUTE", "B_MUTE_ACTUAL", "B_LOOPSRC", "C_LOCK", "D_VOL"};
constexpr const char* kTakeCarried[] = {"D_PAN",    "D_PLAYRATE", "D_PITCH",
                                        "B_PPITCH", "I_CHANMODE", "I_PITCHMODE"};

// Everything made so far goes again: the project is left as it was.
bool abandon(MediaTrack* track, MediaItem* made) {
    DeleteTrackMediaItem(track, made);
    return false;
}

// A new item on the target track with the source item's length, fades, mute, loop, lock and
// volume, holding one take that plays its own duplicate of the active take's source.
bool copy_active_take(MediaItem* item, ReaProject* project, int setTrackID, double setPosition) {
    MediaItem_Take* take = GetActiveTake(item);
    const double length = GetMediaItemInfo_Value(item, "D_LENGTH");
    const double fade_in = GetMediaItemInfo_Value(item, "D_FADEINLEN");
    const double fade_out = GetMediaItemInfo_Value(item, "D_FADEOUTLEN");
    const double fade_in_shape = GetMediaItemInfo_Value(item, "C_FADEINSHAPE");
    const double fade_out_shape = GetMediaItemInfo_Value(item, "C_FADEOUTSHAPE");
    const double start_offset = GetMediaItemTakeInfo_Value(take, "D_STARTOFFS");
    PCM_source* source = GetMediaItemTake_Source(take);
    if (source == nullptr) return false;

    MediaTrack* track = GetTrack(project, setTrackID);
    if (track == nullptr) return false;
    MediaItem* made = AddMediaItemToTrack(track);
    if (made == nullptr) return false;
    SetMediaItemInfo_Value(made, "D_LENGTH", length);
    SetMediaItemInfo_Value(made, "D_POSITION", setPosition);
    SetMediaItemInfo_Value(made, "C_FADEINSHAPE", fade_in_shape);
    SetMediaItemInfo_Value(made, "C_FADEOUTSHAPE", fade_out_shape);
    SetMediaItemInfo_Value(made, "D_FADEINLEN", fade_in);
    SetMediaItemInfo_Value(made, "D_FADEOUTLEN", fade_out);
    for (const char* name : kItemCarried) {
        SetMediaItemInfo_Value(made, name, GetMediaItemInfo_Value(item, name));
    }

    MediaItem_Take* made_take = AddTakeToMediaItem(made);
    if (made_take == nullptr) return abandon(track, made);
    PCM_source* copy = qm_platform::duplicate(source);
    if (copy == nullptr) return abandon(track, made);
    // The old source is taken before the copy replaces it, and is ours to destroy only once the
    // take has let go of it; a copy the take refuses is no one's but ours.
    auto* old = static_cast<PCM_source*>(GetSetMediaItemTakeInfo(made_take, "P_SOURCE", nullptr));
    if (GetSetMediaItemTakeInfo(made_take, "P_SOURCE", copy) == nullptr) {
        PCM_Source_Destroy(copy);
        return abandon(track, made);
    }
    if (old != nullptr) PCM_Source_Destroy(old);

    SetMediaItemTakeInfo_Value(made_take, "D_STARTOFFS", start_offset);
    for (const char* name : kTakeCarried) {
        SetMediaItemTakeInfo_Value(made_take, name, GetMediaItemTakeInfo_Value(take, name));
    }
    // REAPER's string getter would write without knowing the buffer's size.
    char name[4096];
    const char* source_name = GetTakeName(take);
    qm_utility::strcpy(name, sizeof name, source_name != nullptr ? source_name : "");
    GetSetMediaItemTakeInfo_String(made_take, "P_NAME", name, true);
    UpdateArrange();
    return true;
}

}  // namespace

QM_FIVE_FORMS_IN_PROJECT(Set, ActiveTakeCopy, copy_active_take,
                         (int setTrackID, double setPosition), (setTrackID, setPosition))

QM_DEFINE_WRAPPERS(QM_ROWS_TAKE_COPY)
