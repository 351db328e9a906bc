#include <cmath>

#include "sim/host.h"

namespace sim {

namespace {

// One stretch of the map: from `start` (seconds, at `qn` quarter notes) the tempo goes from `bpm`
// to `end_bpm` evenly in time over `span` seconds (span < 0: it lasts for ever at `bpm`).
struct Segment {
    double start = 0.0;
    double qn = 0.0;
    double bpm = 120.0;
    double end_bpm = 120.0;
    double span = -1.0;

    double qn_after(double dt) const {
        if (span <= 0.0) return dt * bpm / 60.0;
        return dt * (2.0 * bpm + (end_bpm - bpm) * dt / span) / 120.0;
    }
    double time_after(double dq) const {
        const double slope = span > 0.0 ? (end_bpm - bpm) / (span * 120.0) : 0.0;
        if (std::fabs(slope) < 1e-12) return dq * 60.0 / bpm;
        // slope·dt² + (bpm/60)·dt − dq = 0, the root that grows with dq.
        const double b = bpm / 60.0;
        return (-b + std::sqrt(std::max(0.0, b * b + 4.0 * slope * dq))) / (2.0 * slope);
    }
};

bool usable(double bpm) {
    return std::isfinite(bpm) && bpm > 0.0;
}

// Walks the segments in order until `done` says the answer lies in one.
template <class Done>
Segment find_segment(const Tempo& tempo, Done done) {
    Segment s;
    s.bpm = s.end_bpm = usable(tempo.bpm) ? tempo.bpm : 120.0;
    const auto& points = tempo.points;
    for (std::size_t i = 0; i <= points.size(); ++i) {
        const bool last = i == points.size();
        const double next_start = last ? 0.0 : points[i].position;
        if (!last && next_start > s.start) {
            Segment bounded = s;
            bounded.span = next_start - s.start;
            if (s.span < 0.0) bounded.end_bpm = s.bpm;
            if (done(bounded, next_start)) return s;
            s.qn += bounded.qn_after(bounded.span);
            s.start = next_start;
        }
        if (last) return s;
        const TempoPoint& p = points[i];
        s.bpm = usable(p.bpm) ? p.bpm : s.bpm;
        s.end_bpm = s.bpm;
        s.span = -1.0;
        if (p.shape == 0 && i + 1 < points.size() && usable(points[i + 1].bpm)) {
            s.end_bpm = points[i + 1].bpm;
            s.span = std::max(0.0, points[i + 1].position - std::max(p.position, s.start));
        }
    }
    return s;
}

}  // namespace

double Tempo::time_to_qn(double time) const {
    const Segment s = find_segment(*this, [&](const Segment&, double end) { return time < end; });
    return s.qn + s.qn_after(time - s.start);
}

double Tempo::qn_to_time(double qn) const {
    const Segment s = find_segment(
        *this, [&](const Segment& seg, double) { return qn < seg.qn + seg.qn_after(seg.span); });
    return s.start + s.time_after(qn - s.qn);
}

double Tempo::bpm_at(double time) const {
    const Segment s = find_segment(*this, [&](const Segment&, double end) { return time < end; });
    if (s.span <= 0.0) return s.bpm;
    const double dt = std::min(time - s.start, s.span);
    return s.bpm + (s.end_bpm - s.bpm) * dt / s.span;
}

std::pair<int, int> Tempo::signature_at(double time) const {
    std::pair<int, int> signature{num, denom};
    for (const TempoPoint& p : points) {
        if (p.position > time) break;
        if (p.num > 0 && p.denom > 0) signature = {p.num, p.denom};
    }
    return signature;
}

}  // namespace sim
