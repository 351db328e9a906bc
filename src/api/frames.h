// Video frames of a project's frame rate: the one place where seconds and frame numbers meet, for
// item timing, the play cursor and media insertion alike.
#pragma once

#include <optional>

#include "entry/host_api.h"

namespace qm_api {

// The project's frame rate as REAPER reports it (drop-frame is not corrected for); nothing when
// it is not a finite number above 0, since every conversion divides or multiplies by it.
std::optional<double> frame_rate(ReaProject* project);

// ((seconds × 10000) × rate) × 0.0001, truncated toward zero after a nudge of 1e-6 frame away
// from zero, so that a whole frame written as seconds reads back as itself while positions
// between frames still truncate. Nothing when the frame number does not fit an int.
std::optional<int> seconds_to_frame(double seconds, double rate);

// A plain division: a fractional frame gives a position between frames.
double frame_to_seconds(double frame, double rate);

}  // namespace qm_api
