#include <optional>

#include "api/addressing.h"
#include "api/api.h"
#include "script_bridge/wrappers.h"
#include "utility/utility.h"

namespace {

// Shapes are small whole numbers in the host; a stored value no int can hold (or NaN) is not one,
// and converting it would be undefined.
std::optional<int> shape(double stored) {
    if (!(stored > -2147483649.0 && stored < 2147483648.0)) return std::nullopt;
    return static_cast<int>(stored);  // toward zero: 2.9 is shape 2
}

bool read_fades(MediaItem* item, int* inTypeOut, double* inLenOut, int* outTypeOut,
                double* outLenOut) {
    const double in_length = GetMediaItemInfo_Value(item, "D_FADEINLEN");
    const double out_length = GetMediaItemInfo_Value(item, "D_FADEOUTLEN");
    const std::optional<int> in_shape = shape(GetMediaItemInfo_Value(item, "C_FADEINSHAPE"));
    const std::optional<int> out_shape = shape(GetMediaItemInfo_Value(item, "C_FADEOUTSHAPE"));
    if (!in_shape || !out_shape) return false;
    *inLenOut = qm_utility::round(in_length, 2);
    *outLenOut = qm_utility::round(out_length, 2);
    *inTypeOut = *in_shape;
    *outTypeOut = *out_shape;
    return true;
}

// All four writes are attempted even after a refusal, so the item gets whatever the host takes;
// only a complete change counts as success.
bool write_fades(MediaItem* item, int inType, double inLen, int outType, double outLen) {
    bool ok = SetMediaItemInfo_Value(item, "C_FADEINSHAPE", inType);
    ok = SetMediaItemInfo_Value(item, "C_FADEOUTSHAPE", outType) && ok;
    ok = SetMediaItemInfo_Value(item, "D_FADEINLEN", inLen) && ok;
    ok = SetMediaItemInfo_Value(item, "D_FADEOUTLEN", outLen) && ok;
    UpdateArrange();
    return ok;
}

}  // namespace

QM_FIVE_FORMS(Get, Fade, read_fades,
              (int* inTypeOut, double* inLenOut, int* outTypeOut, double* outLenOut),
              (inTypeOut, inLenOut, outTypeOut, outLenOut))
QM_FIVE_FORMS(Set, Fade, write_fades, (int inType, double inLen, int outType, double outLen),
              (inType, inLen, outType, outLen))

QM_DEFINE_WRAPPERS(QM_ROWS_FADES)
