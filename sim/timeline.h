// What the time, marker and MIDI host functions compute over a project's tempo map beyond its
// time/quarter-note conversions: grid lines, the divided tempo, a take's MIDI ticks, and the
// numbering of markers and regions.
#pragma once

#include <vector>

#include "sim/host.h"

namespace sim::timeline {

// The nearest grid line to `time` for a grid of `division` quarter notes. Lines restart at every
// measure (a signature change starts one), so a division that does not fill a measure evenly still
// lands on its start.
double snap(const Tempo& tempo, double time, double division);

// The tempo counted in the signature's own beats: bpm x denom / 4.
double divided_bpm_at(const Tempo& tempo, double time);

// A take's MIDI ticks: tick 0 sits where the take's source starts in the project (the item
// position less the start offset at the take's rate), and the rate scales ticks per quarter note.
struct TakeClock {
    double source_start = 0.0;  // project seconds
    double rate = 1.0;
    double ticks_per_qn = 960.0;
};
TakeClock take_clock(const Take& take);
double ppq_from_time(const Tempo& tempo, const TakeClock& clock, double time);
double qn_from_ppq(const Tempo& tempo, const TakeClock& clock, double ppq);
double time_from_ppq(const Tempo& tempo, const TakeClock& clock, double ppq);

// The number a new marker (or region) gets among the `taken` numbers of its kind: `wanted` when
// it is 0 or more and free, else the lowest free number from 1.
int marker_number(const std::vector<int>& taken, int wanted);

}  // namespace sim::timeline
