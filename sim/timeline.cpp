#include "sim/timeline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim::timeline {

TempoMap::TempoMap(double bpm, int num, int denom, const std::vector<TempoPoint>& points) {
    const auto valid_bpm = [](double b) { return std::isfinite(b) && b > 0.0; };
    Segment first;
    first.point = {0.0, valid_bpm(bpm) ? bpm : 120.0, num > 0 ? num : 4, denom > 0 ? denom : 4,
                   false};
    segments_.push_back(first);
    std::vector<TempoPoint> sorted;
    for (const TempoPoint& p : points) {
        if (std::isfinite(p.time) && p.time >= 0.0 && valid_bpm(p.bpm)) sorted.push_back(p);
    }
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const TempoPoint& a, const TempoPoint& b) { return a.time < b.time; });
    for (const TempoPoint& p : sorted) {
        Segment& last = segments_.back();
        const bool signature = p.num > 0 && p.denom > 0;
        if (p.time == last.point.time) {
            // A later point at the same time wins.
            last.point.bpm = p.bpm;
            last.point.ramp = p.ramp;
            if (signature) {
                last.point.num = p.num;
                last.point.denom = p.denom;
                last.new_signature = true;
            }
            continue;
        }
        Segment next;
        next.point = p;
        next.point.num = signature ? p.num : last.point.num;
        next.point.denom = signature ? p.denom : last.point.denom;
        next.new_signature = signature;
        segments_.push_back(next);
    }
    // Positions in quarter notes once every point is known: a ramp needs the tempo it ends on.
    for (std::size_t i = 1; i < segments_.size(); ++i) {
        const Segment& before = segments_[i - 1];
        Segment& s = segments_[i];
        s.qn = before.qn + qn_into(i - 1, s.point.time - before.point.time);
        s.measure_qn = s.new_signature ? s.qn : before.measure_qn;
    }
}

double TempoMap::end_bpm(std::size_t index) const {
    const Segment& s = segments_[index];
    if (!s.point.ramp || index + 1 >= segments_.size()) return s.point.bpm;
    return segments_[index + 1].point.bpm;
}

double TempoMap::qn_into(std::size_t index, double dt) const {
    const Segment& s = segments_[index];
    const double b0 = s.point.bpm;
    if (dt <= 0.0 || index + 1 >= segments_.size() || !s.point.ramp) return b0 * dt / 60.0;
    const double span = segments_[index + 1].point.time - s.point.time;
    const double slope = (end_bpm(index) - b0) / span;
    return (b0 * dt + slope * dt * dt / 2.0) / 60.0;
}

const TempoMap::Segment& TempoMap::segment_at_time(double time) const {
    auto after = std::upper_bound(segments_.begin(), segments_.end(), time,
                                  [](double t, const Segment& s) { return t < s.point.time; });
    return after == segments_.begin() ? segments_.front() : *(after - 1);
}

const TempoMap::Segment& TempoMap::segment_at_qn(double qn) const {
    auto after = std::upper_bound(segments_.begin(), segments_.end(), qn,
                                  [](double q, const Segment& s) { return q < s.qn; });
    return after == segments_.begin() ? segments_.front() : *(after - 1);
}

double TempoMap::qn_at(double time) const {
    if (!std::isfinite(time)) return time;
    const Segment& s = segment_at_time(time);
    const auto index = static_cast<std::size_t>(&s - segments_.data());
    return s.qn + qn_into(index, time - s.point.time);
}

double TempoMap::time_at(double qn) const {
    if (!std::isfinite(qn)) return qn;
    const Segment& s = segment_at_qn(qn);
    const auto index = static_cast<std::size_t>(&s - segments_.data());
    const double q = (qn - s.qn) * 60.0;
    const double b0 = s.point.bpm;
    if (q <= 0.0 || !s.point.ramp || index + 1 >= segments_.size()) return s.point.time + q / b0;
    const double span = segments_[index + 1].point.time - s.point.time;
    const double slope = (end_bpm(index) - b0) / span;
    // The root of b0*dt + slope*dt^2/2 = q, in the form that stays exact as slope nears 0.
    return s.point.time + 2.0 * q / (b0 + std::sqrt(b0 * b0 + 2.0 * slope * q));
}

double TempoMap::bpm_at(double time) const {
    if (!std::isfinite(time)) return segments_.front().point.bpm;
    const Segment& s = segment_at_time(time);
    const auto index = static_cast<std::size_t>(&s - segments_.data());
    const double dt = time - s.point.time;
    if (dt <= 0.0 || !s.point.ramp || index + 1 >= segments_.size()) return s.point.bpm;
    const double span = segments_[index + 1].point.time - s.point.time;
    return s.point.bpm + (end_bpm(index) - s.point.bpm) * dt / span;
}

double TempoMap::divided_bpm_at(double time) const {
    const Segment& s = segment_at_time(std::isfinite(time) ? time : 0.0);
    return bpm_at(time) * s.point.denom / 4.0;
}

double TempoMap::snap(double time, double division) const {
    if (!std::isfinite(time) || !std::isfinite(division) || division <= 0.0) return time;
    const double qn = qn_at(time);
    const Segment& s = segment_at_time(time);
    const double measure = s.point.num * 4.0 / s.point.denom;
    const double start = s.measure_qn + std::floor((qn - s.measure_qn) / measure) * measure;
    // A signature change cuts the measure short and starts the next one.
    double end = start + measure;
    for (const Segment& later : segments_) {
        if (later.qn > qn && later.new_signature && later.qn < end) end = later.qn;
    }
    const double within = qn - start;
    const double below = start + std::floor(within / division) * division;
    const double above = std::min(start + std::ceil(within / division) * division, end);
    return time_at(qn - below <= above - qn ? below : above);
}

double ppq_from_time(const TempoMap& map, double time, double source_start, double rate,
                     double ticks_per_qn) {
    return (map.qn_at(time) - map.qn_at(source_start)) * rate * ticks_per_qn;
}

double qn_from_ppq(const TempoMap& map, double ppq, double source_start, double rate,
                   double ticks_per_qn) {
    if (rate <= 0.0 || ticks_per_qn <= 0.0) return map.qn_at(source_start);
    return map.qn_at(source_start) + ppq / (rate * ticks_per_qn);
}

double time_from_ppq(const TempoMap& map, double ppq, double source_start, double rate,
                     double ticks_per_qn) {
    return map.time_at(qn_from_ppq(map, ppq, source_start, rate, ticks_per_qn));
}

int marker_number(const std::vector<int>& taken, int wanted) {
    const auto is_taken = [&](int n) {
        return std::find(taken.begin(), taken.end(), n) != taken.end();
    };
    if (wanted >= 0 && !is_taken(wanted)) return wanted;
    for (int n = 1; n < std::numeric_limits<int>::max(); ++n) {
        if (!is_taken(n)) return n;
    }
    return -1;
}

}  // namespace sim::timeline
