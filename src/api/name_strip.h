// Take names as the name getters hand them out: each line cut from its first full stop that has
// something after it on that line ("Guitar.take2.wav" reads "Guitar", "mix." stays "mix.").
#pragma once

namespace qm_api {

// Writes the stripped `name` into `destination` (size bytes, terminator included) in one pass,
// without allocating; the bounded copy's rules apply. The same text as replacing every match of
// the ECMAScript pattern \..+ with nothing.
void copy_stripped_name(const char* name, char* destination, int size);

}  // namespace qm_api
