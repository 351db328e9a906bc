#include "api/addressing.h"
#include "api/api.h"
#include "api/frames.h"
#include "script_bridge/wrappers.h"

namespace {

bool read_position(MediaItem* item, double* secondOut) {
    *secondOut = GetMediaItemInfo_Value(item, "D_POSITION");
    return true;
}

// A frame rate or position the conversion cannot use leaves the output as it was.
bool read_frame(MediaItem* item, ReaProject* project, int* frameOut) {
    const double rate = qm_api::frame_rate(project);
    if (rate == 0.0) return false;
    const auto frame = qm_api::seconds_to_frame(GetMediaItemInfo_Value(item, "D_POSITION"), rate);
    if (!frame) return false;
    *frameOut = *frame;
    return true;
}

bool write_position(MediaItem* item, double setSeconds) {
    return SetMediaItemInfo_Value(item, "D_POSITION", setSeconds);
}

bool write_frame(MediaItem* item, ReaProject* project, double setFrame) {
    const double rate = qm_api::frame_rate(project);
    if (rate == 0.0) return false;
    const double position = qm_api::frame_to_seconds(setFrame, rate);
    return qm_api::usable(position) && write_position(item, position);
}

bool read_length(MediaItem* item, double* lengthOut) {
    *lengthOut = GetMediaItemInfo_Value(item, "D_LENGTH");
    return true;
}

bool read_end(MediaItem* item, double* endTimeOut) {
    const double position = GetMediaItemInfo_Value(item, "D_POSITION");
    *endTimeOut = GetMediaItemInfo_Value(item, "D_LENGTH") + position;
    return true;
}

}  // namespace

QM_FIVE_FORMS(Get, StartTimeSeconds, read_position, (double* secondOut), (secondOut))
QM_FIVE_FORMS_IN_PROJECT(Get, StartTimeFrame, read_frame, (int* frameOut), (frameOut))

// Only the item form refuses a time before the project start.
bool SetMediaItemStartTimeSeconds(MediaItem* item, double setSeconds) noexcept {
    return qm_api::usable(setSeconds) && !(setSeconds < 0.0) && write_position(item, setSeconds);
}
QM_INDEX_FORMS(Set, StartTimeSeconds, write_position, (double setSeconds), (setSeconds))

bool SetMediaItemStartTimeFrame(MediaItem* item, double setFrame) noexcept {
    return qm_api::usable(setFrame) && !(setFrame < 0.0) &&
           write_frame(item, GetItemProjectContext(item), setFrame);
}
QM_INDEX_FORMS_IN_PROJECT(Set, StartTimeFrame, write_frame, (double setFrame), (setFrame))

QM_FIVE_FORMS(Get, Length, read_length, (double* lengthOut), (lengthOut))
QM_FIVE_FORMS(Get, EndTime, read_end, (double* endTimeOut), (endTimeOut))

QM_DEFINE_WRAPPERS(QM_ROWS_TIMING)
