#include <utility>

#include "sim/host.h"
#include "sim/platform.h"

namespace sim {

Source::Source(Host& host, SourceSpec media)
    : media(std::move(media)),
      face{platform::source_face_vtable(), this},
      handle(platform::source_handle(*this)),
      host_(host) {}

Source::~Source() = default;

PcmSourceInterface* Source::Duplicate() {
    ++duplicate_calls;
    if (!duplicable) return nullptr;
    Source* copy = host_.add_source(media);
    copy->generation = generation + 1;
    copy->available_ = available_;
    copy->origin = origin;
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
    return media.type.c_str();
}

const char* Source::GetFileName() {
    return media.file.c_str();
}

bool Source::SetFileName(const char* newfn) {
    if (newfn == nullptr) return false;
    media.file = newfn;
    return true;
}

// A plain file source has no parent; only section-like sources wrap another.
PcmSourceInterface* Source::GetSource() {
    return nullptr;
}

void Source::SetSource(PcmSourceInterface* /*src*/) {}

int Source::GetNumChannels() {
    return media.channels;
}

double Source::GetSampleRate() {
    return media.sample_rate;
}

double Source::GetLength() {
    return media.length;
}

// REAPER answers -1 for sources whose length is not measured in beats; MIDI at the default 120 bpm.
double Source::GetLengthBeats() {
    return media.type == "MIDI" ? media.length * 2.0 : -1.0;
}

int Source::GetBitsPerSample() {
    return media.bit_depth;
}

double Source::GetPreferredPosition() {
    return -1.0;
}

}  // namespace sim
