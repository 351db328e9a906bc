// Video frames of a project's frame rate: the one place where seconds and frame numbers meet, for
// item timing, the play cursor and media insertion alike.
#pragma once

#include <climits>
#include <cmath>
#include <optional>

#include "entry/host_api.h"

namespace qm_api {

// The project's frame rate as REAPER reports it (drop-frame is not corrected for); 0 when it is
// not a finite number above 0, since every conversion divides or multiplies by it. A plain double
// keeps the frame functions' code as short as the host calls around it.
inline double frame_rate(ReaProject* project) {
    bool dropFrame = false;
    const double rate = TimeMap_curFrameRate(project, &dropFrame);
    return std::isfinite(rate) && rate > 0.0 ? rate : 0.0;
}

// ((seconds × 10000) × rate) × 0.0001, truncated toward zero after a nudge of 1e-6 frame away
// from zero, so that a whole frame written as seconds reads back as itself while positions
// between frames still truncate. Nothing when the frame number does not fit an int.
inline std::optional<int> seconds_to_frame(double seconds, double rate) {
    double frame = ((seconds * 10000.0) * rate) * 0.0001;
    frame += std::copysign(1e-6, frame);
    // The conversion truncates toward zero; it is defined when the truncated value fits an int,
    // which is when the value lies strictly between INT_MIN - 1 and INT_MAX + 1. Also false for
    // NaN: no comparison holds.
    if (!(frame > static_cast<double>(INT_MIN) - 1.0 &&
          frame < static_cast<double>(INT_MAX) + 1.0)) {
        return std::nullopt;
    }
    return static_cast<int>(frame);
}

// A plain division: a fractional frame gives a position between frames.
inline double frame_to_seconds(double frame, double rate) {
    return frame / rate;
}

}  // namespace qm_api
