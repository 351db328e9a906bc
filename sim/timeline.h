// Musical time over a project's tempo map, and the numbering rules of markers and regions: pure
// functions the host's time, marker and MIDI functions share.
#pragma once

#include <vector>

namespace sim::timeline {

// One point of the tempo map. A ramped point moves the tempo linearly (in time) to the next
// point's; otherwise the tempo holds until the next. num/denom 0: the signature carries on.
struct TempoPoint {
    double time = 0.0;  // seconds
    double bpm = 120.0;
    int num = 0;
    int denom = 0;
    bool ramp = false;
};

// A tempo map: the project's own tempo and signature at time 0, then its points. Points before
// time 0 are ignored; a point at 0 replaces the project's tempo there.
class TempoMap {
public:
    TempoMap(double bpm, int num, int denom, const std::vector<TempoPoint>& points = {});

    double qn_at(double time) const;  // quarter notes from time 0; negative before it
    double time_at(double qn) const;
    double bpm_at(double time) const;
    // The tempo counted in the signature's own beats: bpm x denom / 4.
    double divided_bpm_at(double time) const;
    // The nearest grid line to `time` for a grid of `division` quarter notes. Lines restart at
    // every measure, so a division that does not fill a measure evenly still lands on its start.
    double snap(double time, double division) const;

private:
    struct Segment {
        TempoPoint point;           // num/denom filled in from the signature in force
        double qn = 0.0;            // at point.time
        double measure_qn = 0.0;    // where the signature in force took effect
        bool new_signature = true;  // the point changes the signature
    };
    const Segment& segment_at_time(double time) const;
    const Segment& segment_at_qn(double qn) const;
    // Quarter notes from the segment's start to `dt` seconds into it.
    double qn_into(std::size_t index, double dt) const;
    double end_bpm(std::size_t index) const;  // the tempo a ramp reaches, or its own

    std::vector<Segment> segments_;
};

// Quarter-note ticks of a take's MIDI source: tick 0 sits at `source_start` (item position minus
// the start offset in project seconds); `rate` is the take's playrate.
double ppq_from_time(const TempoMap& map, double time, double source_start, double rate,
                     double ticks_per_qn);
double time_from_ppq(const TempoMap& map, double ppq, double source_start, double rate,
                     double ticks_per_qn);
double qn_from_ppq(const TempoMap& map, double ppq, double source_start, double rate,
                   double ticks_per_qn);

// The number a new marker (or region) gets among the `taken` numbers of its kind: `wanted` when
// it is 0 or more and free, else the lowest free number from 1.
int marker_number(const std::vector<int>& taken, int wanted);

}  // namespace sim::timeline
