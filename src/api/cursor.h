// The play cursor as scripts see it, and the edit-cursor move that both the frame setter and the
// frame insertions make.
#pragma once

#include <optional>

#include "entry/host_api.h"

namespace qm_api {

// The play position while the transport runs (playing, paused or recording), else the edit
// cursor.
double play_cursor_position(ReaProject* project);

// Counted from the project start for startEndType 0, from its end for any other value; when
// counted from the end, REAPER moves the edit cursor there first.
double cursor_target(ReaProject* project, int startEndType, double seconds);

struct FrameTarget {
    double seconds;
    double rate;
};

// Moves the edit cursor to `setFrame` frames from the start or the end. Nothing, and no move at
// all, when the project's frame rate is unusable.
std::optional<FrameTarget> move_cursor_to_frame(ReaProject* project, int startEndType,
                                                int setFrame);

}  // namespace qm_api
