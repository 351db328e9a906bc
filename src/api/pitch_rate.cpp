#include <cmath>

#include "api/addressing.h"
#include "api/api.h"
#include "script_bridge/wrappers.h"

namespace {

bool read_pitch(MediaItem* item, double* pitchOut) {
    *pitchOut = GetMediaItemTakeInfo_Value(GetActiveTake(item), "D_PITCH");
    return true;
}

bool read_rate(MediaItem* item, double* rateOut) {
    *rateOut = GetMediaItemTakeInfo_Value(GetActiveTake(item), "D_PLAYRATE");
    return true;
}

bool write_take_pitch(MediaItem_Take* take, double pitch) {
    if (!std::isfinite(pitch)) return false;
    const bool ok = SetMediaItemTakeInfo_Value(take, "D_PITCH", pitch);
    UpdateArrange();
    return ok;
}

bool write_pitch(MediaItem* item, double setPitch) {
    return write_take_pitch(GetActiveTake(item), setPitch);
}

bool add_pitch(MediaItem* item, double addPitch) {
    MediaItem_Take* take = GetActiveTake(item);
    return write_take_pitch(take, GetMediaItemTakeInfo_Value(take, "D_PITCH") + addPitch);
}

bool positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// A new rate keeps the item on the same stretch of its source: the length and both fades scale
// by old rate / new rate. Nothing is written unless every rescaled value is a usable number; the
// fades are read again after the length and rate writes because the host may adjust them then.
// Every write is attempted even after a refusal; only a complete change counts as success.
bool write_rate(MediaItem* item, double setRate) {
    if (!positive(setRate)) return false;
    MediaItem_Take* take = GetActiveTake(item);
    const double old_rate = GetMediaItemTakeInfo_Value(take, "D_PLAYRATE");
    if (!positive(old_rate)) return false;
    const double length = GetMediaItemInfo_Value(item, "D_LENGTH");
    const double ratio = setRate / old_rate;
    const double new_length = length / ratio;
    if (!positive(ratio) || !std::isfinite(new_length) ||
        !std::isfinite(GetMediaItemInfo_Value(item, "D_FADEINLEN") / ratio) ||
        !std::isfinite(GetMediaItemInfo_Value(item, "D_FADEOUTLEN") / ratio)) {
        return false;
    }
    bool ok = SetMediaItemInfo_Value(item, "D_LENGTH", new_length);
    ok = SetMediaItemTakeInfo_Value(take, "D_PLAYRATE", setRate) && ok;
    const double fade_in = GetMediaItemInfo_Value(item, "D_FADEINLEN") / ratio;
    const double fade_out = GetMediaItemInfo_Value(item, "D_FADEOUTLEN") / ratio;
    ok = std::isfinite(fade_in) && SetMediaItemInfo_Value(item, "D_FADEINLEN", fade_in) && ok;
    ok = std::isfinite(fade_out) && SetMediaItemInfo_Value(item, "D_FADEOUTLEN", fade_out) && ok;
    UpdateArrange();
    return ok;
}

}  // namespace

QM_FIVE_FORMS(Get, Pitch, read_pitch, (double* pitchOut), (pitchOut))
QM_FIVE_FORMS(Set, Pitch, write_pitch, (double setPitch), (setPitch))
QM_FIVE_FORMS(Set, AddPitch, add_pitch, (double addPitch), (addPitch))
QM_FIVE_FORMS(Get, Rate, read_rate, (double* rateOut), (rateOut))
QM_FIVE_FORMS(Set, Rate, write_rate, (double setRate), (setRate))

QM_DEFINE_WRAPPERS(QM_ROWS_PITCH_RATE)
