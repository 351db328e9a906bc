// What the take-extras and in-take MIDI functions share: the live take a handle names, and the
// small checks their answers go through.
#pragma once

#include "sim/host.h"

namespace sim::take_extras {

// Null for a null, stale or empty take; the call is logged when the host logs calls.
inline Take* take_of(const char* function, MediaItem_Take* handle) {
    Host* host = Host::active();
    if (host == nullptr) return nullptr;
    if (host->logs_calls()) host->log_call(function);
    Take* take = host->take(handle);
    return take != nullptr && !take->empty ? take : nullptr;
}

template <class T>
void put(T* out, T value) {
    if (out != nullptr) *out = value;
}

template <class V>
bool in_range(const V& list, int idx) {
    return idx >= 0 && idx < static_cast<int>(list.size());
}

}  // namespace sim::take_extras
