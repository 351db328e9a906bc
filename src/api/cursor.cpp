#include "api/cursor.h"

#include "api/addressing.h"
#include "api/api.h"
#include "api/frames.h"
#include "script_bridge/wrappers.h"

namespace qm_api {

double play_cursor_position(ReaProject* project) {
    return GetPlayState() != 0 ? GetPlayPositionEx(project) : GetCursorPositionEx(project);
}

double cursor_target(ReaProject* project, int startEndType, double seconds) {
    if (startEndType == 0) return seconds;
    CSurf_GoEnd();
    return play_cursor_position(project) + seconds;
}

std::optional<FrameTarget> move_cursor_to_frame(ReaProject* project, int startEndType,
                                                int setFrame) {
    const double rate = frame_rate(project);
    if (rate == 0.0) return std::nullopt;
    const double seconds =
        cursor_target(project, startEndType, frame_to_seconds(static_cast<double>(setFrame), rate));
    SetEditCurPos2(project, seconds, true, true);
    return FrameTarget{seconds, rate};
}

}  // namespace qm_api

bool GetPlayCursorPosition(ReaProject* projID, double* posOut) noexcept {
    if (!qm_api::all_usable(posOut)) return false;
    *posOut = qm_api::play_cursor_position(projID);
    return true;
}

bool SetPlayCursorPosition(ReaProject* projID, int startEndType, double setPos,
                           double* posOut) noexcept {
    if (!qm_api::all_usable(setPos, posOut)) return false;
    SetEditCurPos2(projID, qm_api::cursor_target(projID, startEndType, setPos), true, true);
    *posOut = qm_api::play_cursor_position(projID);
    return true;
}

// Reports the frame aimed at, not where REAPER put the cursor: the given frame itself from the
// start, the target's frame from the end.
bool SetPlayCursorPositionFrame(ReaProject* projID, int startEndType, int setFrame,
                                int* posFrameOut) noexcept {
    if (!qm_api::all_usable(posFrameOut)) return false;
    const auto target = qm_api::move_cursor_to_frame(projID, startEndType, setFrame);
    if (!target) return false;
    if (startEndType == 0) {
        *posFrameOut = setFrame;
        return true;
    }
    const std::optional<int> frame = qm_api::seconds_to_frame(target->seconds, target->rate);
    if (!frame) return false;
    *posFrameOut = *frame;
    return true;
}

QM_DEFINE_WRAPPERS(QM_ROWS_CURSOR)
