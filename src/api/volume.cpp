#include <cmath>

#include "api/addressing.h"
#include "api/api.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace {

// A silent item reads as -inf dB: the level is reported as stored, whatever it is.
bool read_volume(MediaItem* item, double* volumeOut) {
    *volumeOut = qm_utility::round(qm_utility::to_dB(GetMediaItemInfo_Value(item, "D_VOL")), 2);
    return true;
}

// A huge level overflows to an infinite gain, and a stored gain below 0 gives NaN; REAPER would
// keep either as the item's volume, so neither is written.
bool write_gain(MediaItem* item, double gain) {
    if (!std::isfinite(gain)) return false;
    const bool ok = SetMediaItemInfo_Value(item, "D_VOL", gain);
    UpdateArrange();
    return ok;
}

bool write_volume(MediaItem* item, double volume) {
    return write_gain(item, qm_utility::to_reaper_volume(volume));
}

// The offset goes onto the unrounded level; -inf dB plus anything stays silent (gain 0).
bool add_volume(MediaItem* item, double addVolume) {
    const double level = qm_utility::to_dB(GetMediaItemInfo_Value(item, "D_VOL")) + addVolume;
    return write_gain(item, qm_utility::to_reaper_volume(level));
}

}  // namespace

QM_FIVE_FORMS(Get, Volume, read_volume, (double* volumeOut), (volumeOut))
QM_FIVE_FORMS(Set, Volume, write_volume, (double volume), (volume))
QM_FIVE_FORMS(Set, AddVolume, add_volume, (double addVolume), (addVolume))

QM_DEFINE_WRAPPERS(QM_ROWS_VOLUME)
