#include <utility>

#include "sim/host.h"

namespace sim {

Source::Source(Host& host, SourceSpec media) : spec(std::move(media)), host_(host) {}

Source::~Source() = default;

PcmSourceInterface* Source::Duplicate() {
    ++duplicate_calls;
    Source* copy = host_.add_source(spec);
    copy->generation = generation + 1;
    copy->available_ = available_;
    host_.note_source_created();
    return copy;
}

bool Source::IsAvailable() {
    return available_;
}

void Source::SetAvailable(bool avail) {
    available_ = avail;
}

const char* Source::GetType() {
    return spec.type.c_str();
}

const char* Source::GetFileName() {
    return spec.file.c_str();
}

bool Source::SetFileName(const char* newfn) {
    if (newfn == nullptr) return false;
    spec.file = newfn;
    return true;
}

// A plain file source has no parent; only section-like sources wrap another.
PcmSourceInterface* Source::GetSource() {
    return nullptr;
}

void Source::SetSource(PcmSourceInterface* /*src*/) {}

int Source::GetNumChannels() {
    return spec.channels;
}

double Source::GetSampleRate() {
    return spec.sample_rate;
}

double Source::GetLength() {
    return spec.length;
}

// REAPER answers -1 for sources whose length is not measured in beats; MIDI at the default 120 bpm.
double Source::GetLengthBeats() {
    return spec.type == "MIDI" ? spec.length * 2.0 : -1.0;
}

int Source::GetBitsPerSample() {
    return spec.bit_depth;
}

double Source::GetPreferredPosition() {
    return -1.0;
}

}  // namespace sim
