#include "sim/timeline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim::timeline {

namespace {

// Where the signature in force at `time` took effect, in quarter notes, and the next change's.
struct Measures {
    double start_qn = 0.0;
    double next_change_qn = std::numeric_limits<double>::infinity();
    int num = 4;
    int denom = 4;
};

Measures measures_at(const Tempo& tempo, double time) {
    Measures m;
    m.num = tempo.num > 0 ? tempo.num : 4;
    m.denom = tempo.denom > 0 ? tempo.denom : 4;
    for (const TempoPoint& p : tempo.points) {
        if (p.num <= 0 || p.denom <= 0) continue;
        if (p.position > time) {
            m.next_change_qn = tempo.time_to_qn(p.position);
            break;
        }
        m.start_qn = tempo.time_to_qn(p.position);
        m.num = p.num;
        m.denom = p.denom;
    }
    return m;
}

}  // namespace

double snap(const Tempo& tempo, double time, double division) {
    if (!std::isfinite(time) || !std::isfinite(division) || division <= 0.0) return time;
    const Measures m = measures_at(tempo, time);
    const double qn = tempo.time_to_qn(time);
    const double measure = m.num * 4.0 / m.denom;
    const double start = m.start_qn + std::floor((qn - m.start_qn) / measure) * measure;
    const double end = std::min(start + measure, m.next_change_qn);
    const double within = qn - start;
    const double below = start + std::floor(within / division) * division;
    const double above = std::min(start + std::ceil(within / division) * division, end);
    return tempo.qn_to_time(qn - below <= above - qn ? below : above);
}

double divided_bpm_at(const Tempo& tempo, double time) {
    return tempo.bpm_at(time) * tempo.signature_at(time).second / 4.0;
}

TakeClock take_clock(const Take& take) {
    TakeClock clock;
    const double rate = take.params.at("D_PLAYRATE");
    clock.rate = rate > 0.0 ? rate : 1.0;
    clock.source_start =
        take.item->params.at("D_POSITION") - take.params.at("D_STARTOFFS") / clock.rate;
    if (take.source != nullptr && take.source->media.ticks_per_qn > 0) {
        clock.ticks_per_qn = take.source->media.ticks_per_qn;
    }
    return clock;
}

double ppq_from_time(const Tempo& tempo, const TakeClock& clock, double time) {
    return (tempo.time_to_qn(time) - tempo.time_to_qn(clock.source_start)) * clock.rate *
           clock.ticks_per_qn;
}

double qn_from_ppq(const Tempo& tempo, const TakeClock& clock, double ppq) {
    return tempo.time_to_qn(clock.source_start) + ppq / (clock.rate * clock.ticks_per_qn);
}

double time_from_ppq(const Tempo& tempo, const TakeClock& clock, double ppq) {
    return tempo.qn_to_time(qn_from_ppq(tempo, clock, ppq));
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
