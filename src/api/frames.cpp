#include "api/frames.h"

#include <climits>
#include <cmath>

namespace qm_api {

std::optional<double> frame_rate(ReaProject* project) {
    bool dropFrame = false;
    const double rate = TimeMap_curFrameRate(project, &dropFrame);
    if (!std::isfinite(rate) || rate <= 0.0) return std::nullopt;
    return rate;
}

std::optional<int> seconds_to_frame(double seconds, double rate) {
    double frame = ((seconds * 10000.0) * rate) * 0.0001;
    frame = std::trunc(frame + std::copysign(1e-6, frame));
    // Also false for NaN: no comparison holds.
    if (!(frame >= static_cast<double>(INT_MIN) && frame <= static_cast<double>(INT_MAX))) {
        return std::nullopt;
    }
    return static_cast<int>(frame);
}

double frame_to_seconds(double frame, double rate) {
    return frame / rate;
}

}  // namespace qm_api
