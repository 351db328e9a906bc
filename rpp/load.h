// Reading: the lines of one item block into what the host models, with where each modelled line
// is, so a save can rewrite just that field; and a whole document into an index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rpp/index.h"
#include "rpp/text.h"

namespace rpp {

struct FxLines {
    std::uint32_t bypass = kNone;               // BYPASS, first line of the FX's group
    std::uint32_t open = kNone, close = kNone;  // the plug-in's block
    std::uint32_t end = kNone;                  // one past the group's last line
};

struct EnvelopeLines {
    std::uint32_t open = kNone, close = kNone;
    std::vector<std::uint32_t> points;  // PT lines
};

struct TakeRead {
    std::uint32_t marker = kNone;  // its TAKE line; none for the first slot
    std::uint32_t first = kNone;   // its first line
    std::uint32_t end = kNone;     // one past its last line
    bool selected = false;         // TAKE SEL
    bool values_read = true;       // false: placed only, `wanted` and the lines below not read
    std::uint32_t name = kNone, volpan = kNone, soffs = kNone, playrate = kNone, chanmode = kNone,
                  color = kNone, guid = kNone, sm = kNone;
    std::uint32_t source_open = kNone, source_close = kNone;
    std::uint32_t file_line = kNone;  // the FILE line of the innermost file source
    std::uint32_t fx_open = kNone, fx_close = kNone;
    std::uint32_t midi_first = kNone, midi_end = kNone;  // the event lines of a MIDI source
    std::vector<std::uint32_t> tkm;
    std::vector<FxLines> fx;
    std::vector<EnvelopeLines> envelopes;  // in the order of wanted.envelopes
    sim::TakeSpec wanted;  // as the file has it; its source:: type, file, MIDI events only
    double section_length = -1.0;
    std::string file_type;  // the type of the source holding FILE
};

struct ItemRead {
    std::uint32_t open = kNone, close = kNone;
    std::uint32_t position = kNone, snapoffs = kNone, length = kNone, loop = kNone, color = kNone,
                  fadein = kNone, fadeout = kNone, mute = kNone, lock = kNone, sel = kNone,
                  group = kNone, iguid = kNone, volpan = kNone, notes_open = kNone,
                  notes_close = kNone;
    std::uint32_t first_marker = kNone;  // the first TAKE line
    std::vector<TakeRead> takes;
    sim::ItemSpec wanted;  // as the file has it (takes in `takes`)
    void clear();
};

// A line of a MIDI source's events: `E`/`e`/`Em`/`em` (plain, selected, muted), or a `<X`/`<x`
// block (sysex and meta events).
bool midi_event(const Parsed& p);

// Reads the item block opened on `open`. False with the line at fault for a malformed value or
// a block left open. With `take_values`, a take k with no true there is only placed (its lines,
// TAKE line and slot kind), its values not read (a save rewriting an item whose take is as
// loaded).
bool read_item(const Document& doc, std::uint32_t open, ItemRead& out, Format& format, Error& error,
               const std::vector<bool>* take_values = nullptr);

// Reads a whole project into `index`.
bool read_project(Index& index, Error& error);

// Builds a read project into the host's empty `project`.
bool load_project(Index& index, sim::Host& host, sim::Project* project, const std::string& folder,
                  const MediaReader& read_media, Error& error);

}  // namespace rpp
