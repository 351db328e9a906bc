#include "rpp/load.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "rpp/text.h"

namespace rpp {

namespace {

// Blocks nested deeper than this are no project REAPER wrote; refusing them bounds the reader.
constexpr int kMaxDepth = 64;

// Formats REAPER decodes itself; a file of one of these that cannot be decoded is offline.
constexpr std::string_view kAudioTypes[] = {"WAVE", "MP3", "FLAC", "VORBIS", "OPUS"};
constexpr std::string_view kTakeBlocks[] = {"SOURCE", "TAKEFX",  "VOLENV",
                                            "PANENV", "MUTEENV", "PITCHENV"};

template <std::size_t N>
bool listed(const std::string_view (&names)[N], std::string_view key) {
    return std::find(std::begin(names), std::end(names), key) != std::end(names);
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool base64_append(std::string_view text, std::string& bytes, unsigned& bits, int& count) {
    for (char c : text) {
        int v;
        if (c >= 'A' && c <= 'Z')
            v = c - 'A';
        else if (c >= 'a' && c <= 'z')
            v = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            v = c - '0' + 52;
        else if (c == '+')
            v = 62;
        else if (c == '/')
            v = 63;
        else if (c == '=' || c == ' ')
            continue;
        else
            return false;
        bits = (bits << 6) | static_cast<unsigned>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xff);
        }
    }
    return true;
}

// The keys of an item's lines, told apart by length first: every line of every item is asked.
// From `name` on, lines that belong to a take, so an item's first take starts at the first of them.
enum class ItemKey {
    other,
    take,
    position,
    length,
    snapoffs,
    loop,
    lock,
    sel,
    group,
    color,
    iguid,
    fadein,
    fadeout,
    mute,
    volpan,
    iid,
    name,
    takevolpan,
    soffs,
    playrate,
    chanmode,
    takecolor,
    guid,
    recpass,
    takefx_nch,
    sm,
    tkm
};

template <std::size_t N>
bool same(std::string_view key, const char (&name)[N]) {
    return std::memcmp(key.data(), name, N - 1) == 0;  // the lengths are equal already
}

ItemKey item_key(std::string_view key) {
    switch (key.size()) {
        case 2:
            return same(key, "SM") ? ItemKey::sm : ItemKey::other;
        case 3:
            return same(key, "SEL")   ? ItemKey::sel
                   : same(key, "IID") ? ItemKey::iid
                   : same(key, "TKM") ? ItemKey::tkm
                                      : ItemKey::other;
        case 4:
            return same(key, "TAKE")   ? ItemKey::take
                   : same(key, "NAME") ? ItemKey::name
                   : same(key, "GUID") ? ItemKey::guid
                   : same(key, "LOOP") ? ItemKey::loop
                   : same(key, "LOCK") ? ItemKey::lock
                   : same(key, "MUTE") ? ItemKey::mute
                                       : ItemKey::other;
        case 5:
            return same(key, "GROUP")   ? ItemKey::group
                   : same(key, "COLOR") ? ItemKey::color
                   : same(key, "IGUID") ? ItemKey::iguid
                   : same(key, "SOFFS") ? ItemKey::soffs
                                        : ItemKey::other;
        case 6:
            return same(key, "LENGTH")   ? ItemKey::length
                   : same(key, "FADEIN") ? ItemKey::fadein
                   : same(key, "VOLPAN") ? ItemKey::volpan
                                         : ItemKey::other;
        case 7:
            return same(key, "FADEOUT")   ? ItemKey::fadeout
                   : same(key, "RECPASS") ? ItemKey::recpass
                                          : ItemKey::other;
        case 8:
            return same(key, "POSITION")   ? ItemKey::position
                   : same(key, "SNAPOFFS") ? ItemKey::snapoffs
                   : same(key, "PLAYRATE") ? ItemKey::playrate
                   : same(key, "CHANMODE") ? ItemKey::chanmode
                                           : ItemKey::other;
        case 9:
            return same(key, "TAKECOLOR") ? ItemKey::takecolor : ItemKey::other;
        case 10:
            return same(key, "TAKEVOLPAN")   ? ItemKey::takevolpan
                   : same(key, "TAKEFX_NCH") ? ItemKey::takefx_nch
                                             : ItemKey::other;
        default:
            return ItemKey::other;
    }
}

class Reader {
public:
    Reader(const Document& doc, Format& format, Error& error,
           const std::vector<bool>* take_values = nullptr)
        : doc_(doc), format_(format), error_(error), take_values_(take_values) {}

    bool fail(std::uint32_t line, std::string message) {
        error_ = Error{static_cast<std::size_t>(line) + 1, std::move(message)};
        return false;
    }

    // The close of the block opened on `open`; kNone (and the error) when the file ends first.
    std::uint32_t skip(std::uint32_t open, int depth) {
        int inner = 0;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            const Kind kind = p.kind;
            if (kind == Kind::open) {
                if (p.key == "ITEM") {
                    fail(i, "an item outside a track");
                    return kNone;
                }
                if (p.key == "TRACK") {
                    fail(i, "a track outside the project");
                    return kNone;
                }
                if (depth + ++inner > kMaxDepth) {
                    fail(i, "blocks nested deeper than " + std::to_string(kMaxDepth));
                    return kNone;
                }
            } else if (kind == Kind::close && inner-- == 0) {
                return i;
            }
        }
        truncated(open);
        return kNone;
    }

    void truncated(std::uint32_t open) {
        fail(doc_.size() - 1, "the file ends inside the block opened on line " +
                                  std::to_string(open + 1) + " (truncated?)");
    }

    bool number(const FieldList& f, std::size_t i, double& out, std::uint32_t line,
                std::string_view key) {
        if (i >= f.size()) return true;
        double value = 0.0;
        if (!parse_double(f[i].value, value)) {
            return fail(line, std::string(key) + " field " + std::to_string(i + 1) + " (\"" +
                                  std::string(f[i].value) + "\") is not a number");
        }
        out = value;
        return true;
    }
    bool integer(const FieldList& f, std::size_t i, int& out, std::uint32_t line,
                 std::string_view key) {
        double value = out;
        if (!number(f, i, value, line, key)) return false;
        if (std::fabs(value) > 4.2e9) {
            return fail(line,
                        std::string(key) + " field " + std::to_string(i + 1) + " is out of range");
        }
        // Colours are written unsigned; they are ints in the host.
        out = static_cast<int>(static_cast<std::int64_t>(value));
        return true;
    }
    bool boolean(const FieldList& f, std::size_t i, bool& out, std::uint32_t line,
                 std::string_view key) {
        double value = out ? 1.0 : 0.0;
        if (!number(f, i, value, line, key)) return false;
        out = value != 0.0;
        return true;
    }
    bool required(const FieldList& f, std::size_t count, std::uint32_t line, std::string_view key) {
        if (f.size() >= count) return true;
        return fail(line, std::string(key) + " needs " + std::to_string(count) + " fields");
    }

    // ---- one item ----

    bool item(std::uint32_t open, ItemRead& out) {
        out.clear();
        out.open = open;
        for (std::uint32_t i = open + 1;;) {
            if (i >= doc_.size()) {
                truncated(open);
                return false;
            }
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                out.close = i;
                break;
            }
            std::uint32_t next = i + 1;
            if (p.kind == Kind::open) {
                std::uint32_t close = kNone;
                // The item's notes, wherever before its first TAKE line they stand.
                if (p.key == "NOTES" && out.notes_open == kNone && out.first_marker == kNone) {
                    close = notes(i, out);
                } else if (listed(kTakeBlocks, p.key)) {
                    TakeRead& take = current_take(out, i);
                    if (take.wanted.empty || !take.values_read) {
                        close = skip(i, 2);
                    } else if (p.key == "SOURCE") {
                        close = take.source_open == kNone ? source(i, take, 2) : skip(i, 2);
                    } else if (p.key == "TAKEFX") {
                        close = take.fx_open == kNone ? takefx(i, take) : skip(i, 2);
                    } else {
                        close = envelope(i, p, take, -1, 2);
                    }
                } else {
                    close = skip(i, 2);
                }
                if (close == kNone) return false;
                next = close + 1;
            } else if (!item_line(i, p, out)) {
                return false;
            }
            i = next;
        }
        if (!out.takes.empty()) out.takes.back().end = out.close;
        out.wanted.active_take = 0;
        for (std::size_t k = 0; k < out.takes.size(); ++k) {
            if (out.takes[k].selected) {
                out.wanted.active_take = static_cast<int>(k);
                break;
            }
        }
        return true;
    }

    TakeRead& current_take(ItemRead& item, std::uint32_t i) {
        if (item.takes.empty()) new_take(item).first = i;
        return item.takes.back();
    }

    TakeRead& new_take(ItemRead& item) {
        const std::size_t k = item.takes.size();
        TakeRead& take = item.takes.emplace_back();
        take.values_read =
            take_values_ == nullptr || k >= take_values_->size() || (*take_values_)[k];
        return take;
    }

    bool item_line(std::uint32_t i, const Parsed& p, ItemRead& item) {
        const std::string_view key = p.key;
        const ItemKey which = item_key(key);
        if (which == ItemKey::take) {
            if (item.takes.empty()) new_take(item).wanted.empty = true;  // an empty first slot
            item.takes.back().end = i;
            if (item.first_marker == kNone) item.first_marker = i;
            TakeRead& take = new_take(item);
            take.marker = take.first = i;
            const FieldList f(p.rest);
            for (std::size_t k = 0; k < f.size(); ++k) {
                take.wanted.empty = take.wanted.empty || f.value(k) == "NULL";
                take.selected = take.selected || f.value(k) == "SEL";
            }
            return true;
        }
        if (item.first_marker != kNone) {
            TakeRead& take = item.takes.back();
            return take.wanted.empty || !take.values_read || take_line(i, p, which, take);
        }
        sim::ItemSpec& s = item.wanted;
        const auto once = [&](std::uint32_t& line) {
            if (line != kNone) return false;
            line = i;
            return true;
        };
        if (which == ItemKey::other) return true;
        if (which >= ItemKey::name) {
            TakeRead& take = current_take(item, i);
            return !take.values_read || take_line(i, p, which, take);
        }
        // The fades' and mute's field counts are learnt from the first of them.
        const bool count_fields =
            ((which == ItemKey::fadein || which == ItemKey::fadeout) && format_.fade_fields == 0) ||
            (which == ItemKey::mute && format_.mute_fields == 0);
        const FieldList f(p.rest, count_fields                ? kAllFields
                                  : which == ItemKey::volpan  ? 3
                                  : which == ItemKey::fadein  ? 2
                                  : which == ItemKey::fadeout ? 2
                                                              : 1);
        switch (which) {
            case ItemKey::position:
                return !once(item.position) || number(f, 0, s.position, i, key);
            case ItemKey::length:
                return !once(item.length) || number(f, 0, s.length, i, key);
            case ItemKey::snapoffs:
                return !once(item.snapoffs) || number(f, 0, s.snap_offset, i, key);
            case ItemKey::loop:
                return !once(item.loop) || boolean(f, 0, s.loop, i, key);
            case ItemKey::lock:
                return !once(item.lock) || integer(f, 0, s.lock, i, key);
            case ItemKey::sel:
                return !once(item.sel) || boolean(f, 0, s.selected, i, key);
            case ItemKey::group:
                return !once(item.group) || integer(f, 0, s.group, i, key);
            case ItemKey::color:
                return !once(item.color) || integer(f, 0, s.color, i, key);
            case ItemKey::iguid:
                if (once(item.iguid)) s.guid = std::string(f.value(0));
                return true;
            case ItemKey::fadein:
            case ItemKey::fadeout: {
                const bool in = which == ItemKey::fadein;
                if (!once(in ? item.fadein : item.fadeout)) return true;
                if (format_.fade_fields == 0) format_.fade_fields = f.size() == 6 ? 6 : 7;
                return integer(f, 0, in ? s.fade_in_shape : s.fade_out_shape, i, key) &&
                       number(f, 1, in ? s.fade_in : s.fade_out, i, key);
            }
            case ItemKey::mute:
                if (!once(item.mute)) return true;
                if (format_.mute_fields == 0) format_.mute_fields = f.size() == 1 ? 1 : 2;
                return boolean(f, 0, s.mute, i, key);
            case ItemKey::iid: {
                double iid = 0.0;
                if (parse_double(f.value(0), iid) && iid < 1e15) {
                    format_.max_iid = std::max(format_.max_iid, static_cast<long long>(iid));
                }
                return true;
            }
            case ItemKey::volpan: {
                // The item's volume, then the first slot's pan and volume.
                if (!once(item.volpan)) return true;
                if (!number(f, 0, s.vol, i, key)) return false;
                if (f.size() < 2) return true;
                TakeRead& take = current_take(item, i);
                return number(f, 1, take.wanted.pan, i, key) &&
                       number(f, 2, take.wanted.vol, i, key);
            }
            default:
                return true;
        }
    }

    bool take_line(std::uint32_t i, const Parsed& p, ItemKey which, TakeRead& take) {
        const std::string_view key = p.key;
        sim::TakeSpec& s = take.wanted;
        if (which == ItemKey::name && take.name == kNone) {
            take.name = i;
            s.name = std::string(FieldList(p.rest, 1).value(0));
        } else if (which == ItemKey::takevolpan && take.marker != kNone && take.volpan == kNone) {
            // The first slot's pan and volume are in the item's VOLPAN line.
            take.volpan = i;
            const FieldList f(p.rest, 2);
            return number(f, 0, s.pan, i, key) && number(f, 1, s.vol, i, key);
        } else if (which == ItemKey::soffs && take.soffs == kNone) {
            take.soffs = i;
            return number(FieldList(p.rest, 1), 0, s.start_offset, i, key);
        } else if (which == ItemKey::playrate && take.playrate == kNone) {
            take.playrate = i;
            const FieldList f(p.rest, 4);
            return number(f, 0, s.rate, i, key) && boolean(f, 1, s.preserve_pitch, i, key) &&
                   number(f, 2, s.pitch, i, key) && integer(f, 3, s.pitch_mode, i, key);
        } else if (which == ItemKey::chanmode && take.chanmode == kNone) {
            take.chanmode = i;
            return integer(FieldList(p.rest, 1), 0, s.chan_mode, i, key);
        } else if (which == ItemKey::takecolor && take.color == kNone) {
            take.color = i;
            return integer(FieldList(p.rest, 1), 0, s.color, i, key);
        } else if (which == ItemKey::guid && take.guid == kNone) {
            take.guid = i;
            s.guid = std::string(FieldList(p.rest, 1).value(0));
        } else if (which == ItemKey::tkm) {
            // TKM position name colour: a take marker, in source seconds.
            const FieldList f(p.rest, 3);
            sim::TakeMarker m;
            if (!required(f, 1, i, key) || !number(f, 0, m.source_position, i, key) ||
                !integer(f, 2, m.color, i, key)) {
                return false;
            }
            m.name = std::string(f.value(1));
            take.tkm.push_back(i);
            s.markers.push_back(std::move(m));
        } else if (which == ItemKey::sm && take.sm == kNone) {
            // SM position source-position [slope] + position source-position [slope] + …
            take.sm = i;
            const FieldList f(p.rest);
            std::size_t k = 0;
            while (k < f.size()) {
                sim::StretchMarker m;
                std::size_t n = 0;
                double values[3] = {0, 0, 0};
                for (; k < f.size() && f.value(k) != "+"; ++k, ++n) {
                    if (n < 3 && !number(f, k, values[n], i, key)) return false;
                }
                if (n < 2)
                    return fail(i, "SM: a stretch marker needs a position and a source position");
                m.position = values[0];
                m.source_position = values[1];
                m.slope = values[2];
                s.stretch_markers.push_back(m);
                ++k;  // the "+"
            }
        }
        return true;
    }

    std::uint32_t notes(std::uint32_t open, ItemRead& item) {
        item.notes_open = open;
        std::string& text = item.wanted.notes;
        bool first = true;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                item.notes_close = i;
                return i;
            }
            const std::string_view body = doc_.content(i).substr(p.indent.size());
            if (p.kind == Kind::open || body.empty() || body.front() != '|') {
                fail(i, "a NOTES line must start with |");
                return kNone;
            }
            if (!first) text += '\n';
            text += body.substr(1);
            first = false;
        }
        truncated(open);
        return kNone;
    }

    std::uint32_t source(std::uint32_t open, TakeRead& take, int depth) {
        if (depth > kMaxDepth) {
            fail(open, "blocks nested deeper than " + std::to_string(kMaxDepth));
            return kNone;
        }
        const Parsed head = classify(doc_.content(open));
        const std::string type(FieldList(head.rest, 1).value(0));
        const bool outer = take.source_open == kNone;
        if (outer) {
            take.source_open = open;
            take.wanted.source = sim::SourceSpec{.type = type, .file = ""};
            take.wanted.source->sample_rate = take.wanted.source->channels =
                take.wanted.source->bit_depth = 0;
            take.wanted.source->length = 0.0;
        }
        sim::SourceSpec& media = *take.wanted.source;
        const bool midi = type == "MIDI";
        std::int64_t tick = 0;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                if (outer) take.source_close = i;
                return i;
            }
            if (p.kind == Kind::open) {
                std::uint32_t close = kNone;
                if (p.key == "SOURCE") {
                    close = source(i, take, depth + 1);
                } else if (midi && outer && midi_event(p)) {
                    close = sysex(i, p, media, tick, take);
                } else {
                    close = skip(i, depth);
                }
                if (close == kNone) return kNone;
                i = close;
                continue;
            }
            if (p.key == "FILE" && take.file_line == kNone) {
                take.file_line = i;
                take.file_type = type;
                media.file = std::string(FieldList(p.rest, 1).value(0));
            } else if (p.key == "LENGTH" && outer && type == "SECTION" &&
                       take.section_length < 0.0) {
                double length = 0.0;
                if (!number(FieldList(p.rest), 0, length, i, p.key)) return kNone;
                take.section_length = std::max(length, 0.0);
            } else if (midi && outer && p.key == "HASDATA") {
                const FieldList f(p.rest);
                int ticks = media.ticks_per_qn;
                if (!integer(f, 1, ticks, i, p.key)) return kNone;
                if (ticks > 0) media.ticks_per_qn = ticks;
            } else if (midi && outer && midi_event(p)) {
                // E delta status data…: e selected, m muted; bytes in hex.
                const FieldList f(p.rest);
                double delta = 0.0;
                if (!required(f, 2, i, p.key) || !number(f, 0, delta, i, p.key)) return kNone;
                sim::MidiEvent e;
                tick += static_cast<std::int64_t>(delta);
                e.tick = tick;
                e.flags = static_cast<std::uint8_t>((p.key[0] == 'e' ? 1 : 0) |
                                                    (p.key.size() > 1 ? 2 : 0));
                for (std::size_t k = 1; k < f.size(); ++k) {
                    const std::string_view h = f.value(k);
                    if (h.size() != 2 || hex_digit(h[0]) < 0 || hex_digit(h[1]) < 0) {
                        fail(i, std::string(p.key) + " field " + std::to_string(k + 1) +
                                    " is not a hex byte");
                        return kNone;
                    }
                    e.message += static_cast<char>(hex_digit(h[0]) * 16 + hex_digit(h[1]));
                }
                media.midi.push_back(std::move(e));
                if (take.midi_first == kNone) take.midi_first = i;
                take.midi_end = i + 1;
            }
        }
        truncated(open);
        return kNone;
    }

    // <X delta flags, base64 lines, >: a sysex or meta event.
    std::uint32_t sysex(std::uint32_t open, const Parsed& head, sim::SourceSpec& media,
                        std::int64_t& tick, TakeRead& take) {
        const FieldList f(head.rest);
        double delta = 0.0;
        if (!number(f, 0, delta, open, head.key)) return kNone;
        sim::MidiEvent e;
        tick += static_cast<std::int64_t>(delta);
        e.tick = tick;
        e.flags = head.key == "x" ? 1 : 0;
        unsigned bits = 0;
        int count = 0;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                media.midi.push_back(std::move(e));
                if (take.midi_first == kNone) take.midi_first = open;
                take.midi_end = i + 1;
                return i;
            }
            if (p.kind == Kind::open ||
                !base64_append(doc_.content(i).substr(p.indent.size()), e.message, bits, count)) {
                fail(i, "a MIDI event's data is not base64");
                return kNone;
            }
        }
        truncated(open);
        return kNone;
    }

    std::uint32_t takefx(std::uint32_t open, TakeRead& take) {
        take.fx_open = open;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                if (!take.fx.empty()) take.fx.back().end = i;
                take.fx_close = i;
                return i;
            }
            if (p.kind == Kind::open) {
                std::uint32_t close = kNone;
                if (p.key == "PARMENV" && !take.wanted.fx.empty()) {
                    close = envelope(i, p, take, static_cast<int>(take.wanted.fx.size()) - 1, 3);
                } else {
                    close = skip(i, 3);
                    if (close == kNone) return kNone;
                    if (take.fx.empty() || take.fx.back().open != kNone) new_fx(take, kNone, i);
                    FxLines& lines = take.fx.back();
                    sim::TakeFx& fx = take.wanted.fx.back();
                    lines.open = i;
                    lines.close = close;
                    const FieldList f(p.rest);
                    fx.name = std::string(f.value(0));
                    if (p.key == "JS" && fx.name.rfind("JS:", 0) != 0) fx.name = "JS: " + fx.name;
                    for (std::uint32_t k = i; k <= close; ++k) {
                        fx.state += doc_.content(k).substr(
                            std::min(p.indent.size(), classify(doc_.content(k)).indent.size()));
                        fx.state += '\n';
                    }
                }
                if (close == kNone) return kNone;
                i = close;
                continue;
            }
            if (p.key == "BYPASS") {
                const FieldList f(p.rest);
                new_fx(take, i, i);
                bool bypassed = false, offline = false;
                if (!boolean(f, 0, bypassed, i, p.key) || !boolean(f, 1, offline, i, p.key)) {
                    return kNone;
                }
                take.wanted.fx.back().enabled = !bypassed;
                take.wanted.fx.back().offline = offline;
            } else if (p.key == "FXID" && !take.wanted.fx.empty()) {
                take.wanted.fx.back().guid = std::string(FieldList(p.rest).value(0));
            }
        }
        truncated(open);
        return kNone;
    }

    void new_fx(TakeRead& take, std::uint32_t bypass, std::uint32_t at) {
        if (!take.fx.empty()) take.fx.back().end = at;
        take.fx.push_back(FxLines{bypass, kNone, kNone, kNone});
        take.wanted.fx.emplace_back();
    }

    std::uint32_t envelope(std::uint32_t open, const Parsed& head, TakeRead& take, int fx,
                           int depth) {
        sim::Envelope env;
        env.kind = std::string(head.key);
        env.fx = fx;
        if (head.key == "PARMENV") env.parameter = std::string(head.rest);
        EnvelopeLines lines{open, kNone, {}};
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                lines.close = i;
                take.envelopes.push_back(std::move(lines));
                take.wanted.envelopes.push_back(std::move(env));
                return i;
            }
            if (p.kind == Kind::open) {
                const std::uint32_t close = skip(i, depth + 1);
                if (close == kNone) return kNone;
                i = close;
                continue;
            }
            if (p.key != "PT") continue;
            // PT time value shape [?] [selected] [?] [bezier tension]
            const FieldList f(p.rest);
            sim::EnvelopePoint point;
            if (!required(f, 2, i, p.key) || !number(f, 0, point.time, i, p.key) ||
                !number(f, 1, point.value, i, p.key) || !integer(f, 2, point.shape, i, p.key) ||
                !boolean(f, 4, point.selected, i, p.key) ||
                !number(f, 6, point.tension, i, p.key)) {
                return kNone;
            }
            lines.points.push_back(i);
            env.points.push_back(point);
        }
        truncated(open);
        return kNone;
    }

    // ---- the project ----

    bool project(Index& index) {
        const Document& d = doc_;
        const Parsed first = classify(d.content(0));
        if (first.kind != Kind::open || first.key != "REAPER_PROJECT") {
            return fail(0, "not a REAPER project: the file must start with <REAPER_PROJECT");
        }
        std::uint32_t root_close = kNone;
        ProjectLines& lines = index.project;
        sim::Project& loaded = index.loaded;
        for (std::uint32_t i = 1; i < d.size(); ++i) {
            const Parsed p = classify(d.content(i));
            if (p.kind == Kind::close) {
                root_close = i;
                break;
            }
            if (p.kind == Kind::open) {
                std::uint32_t close = kNone;
                if (p.key == "TRACK") {
                    close = track(i, index);
                } else if (p.key == "ITEM") {
                    return fail(i, "an item outside a track");
                } else if (p.key == "TEMPOENVEX" && lines.tempo_env_open == kNone) {
                    close = tempo_envelope(i, index);
                } else if (p.key == "EXTSTATE" && lines.ext_state_open == kNone) {
                    close = ext_state(i, index);
                } else {
                    close = skip(i, 1);
                }
                if (close == kNone) return false;
                if (lines.marker_after == kNone && p.key == "TRACK") lines.marker_after = i;
                i = close;
                continue;
            }
            if (!project_line(i, p, lines, loaded)) return false;
        }
        if (root_close == kNone) {
            truncated(0);
            return false;
        }
        if (!loaded.markers.empty() && loaded.markers.back().region &&
            lines.markers.back().end_line == kNone) {
            const sim::Marker& last = loaded.markers.back();
            return fail(lines.markers.back().line, "region " + std::to_string(last.number) +
                                                       " has no end line (MARKER " +
                                                       std::to_string(last.number) + " … 1)");
        }
        if (lines.marker_after == kNone) lines.marker_after = root_close;
        if (lines.tempo_env_close != kNone && lines.markers.empty()) {
            lines.marker_after = std::min(lines.marker_after, lines.tempo_env_close + 1);
        }
        for (std::uint32_t i = root_close + 1; i < d.size(); ++i) {
            // Blank lines after the end are kept as they are; anything else is not a project.
            const Parsed p = classify(d.content(i));
            if (p.kind != Kind::plain || !p.key.empty() || !p.rest.empty()) {
                return fail(i, "text after the end of the project");
            }
        }
        index.root_close = root_close;
        return true;
    }

    // SetProjExtState's strings: a sub-block per section of `key value` lines; anything else in
    // it is kept for the save.
    std::uint32_t ext_state(std::uint32_t open, Index& index) {
        const std::uint32_t close = skip(open, 1);
        if (close == kNone) return kNone;
        const Document& d = doc_;
        index.project.ext_state_open = open;
        index.project.ext_state_close = close;
        std::string name, key, value;
        for (std::uint32_t i = open + 1; i < close; ++i) {
            if (classify(d.content(i)).kind != Kind::open) continue;
            const std::uint32_t end = d.close_of(i);
            for (std::uint32_t j = i + 1; j < end && block_name(d.content(i), name); ++j) {
                if (classify(d.content(j)).kind == Kind::open) {
                    j = d.close_of(j);
                } else if (key_value(d.content(j), key, value)) {
                    index.loaded.ext_state[name][key] = value;
                }
            }
            i = end;
        }
        return close;
    }

    bool project_line(std::uint32_t i, const Parsed& p, ProjectLines& lines, sim::Project& loaded) {
        const std::string_view key = p.key;
        if (key == "CURSOR" && lines.cursor == kNone) {
            lines.cursor = i;
            return number(FieldList(p.rest), 0, loaded.cursor, i, key);
        }
        if (key == "TIMEMODE" && lines.timemode == kNone) {
            lines.timemode = i;
            double rate = loaded.frame_rate;
            if (!number(FieldList(p.rest), 3, rate, i, key)) return false;
            if (rate > 0.0) loaded.frame_rate = rate;
            return true;
        }
        if (key == "TEMPO" && lines.tempo == kNone) {
            // TEMPO bpm numerator denominator
            lines.tempo = i;
            const FieldList f(p.rest);
            sim::Tempo& t = loaded.tempo;
            if (!required(f, 1, i, key) || !number(f, 0, t.bpm, i, key) ||
                !integer(f, 1, t.num, i, key) || !integer(f, 2, t.denom, i, key)) {
                return false;
            }
            if (t.bpm <= 0.0 || t.num <= 0 || t.denom <= 0) {
                return fail(i, "TEMPO needs a positive tempo and time signature");
            }
            return true;
        }
        if ((key == "SELECTION" || key == "SELECTION2") &&
            (key == "SELECTION" ? lines.selection : lines.selection2) == kNone) {
            // SELECTION start end: the time selection; SELECTION2: the loop range.
            const bool time = key == "SELECTION";
            (time ? lines.selection : lines.selection2) = i;
            sim::TimeRange& range = time ? loaded.time_selection : loaded.loop_range;
            const FieldList f(p.rest);
            return number(f, 0, range.start, i, key) && number(f, 1, range.end, i, key);
        }
        if (key == "MARKER") return marker(i, p, lines, loaded);
        return true;
    }

    // MARKER number position name flags [colour …]: flags &1 a region, whose end is the next
    // line, MARKER with the same number, the end as position and no name.
    bool marker(std::uint32_t i, const Parsed& p, ProjectLines& lines, sim::Project& loaded) {
        const FieldList f(p.rest);
        sim::Marker m;
        int flags = 0;
        if (!required(f, 3, i, p.key) || !integer(f, 0, m.number, i, p.key) ||
            !number(f, 1, m.position, i, p.key) || !integer(f, 3, flags, i, p.key) ||
            !integer(f, 4, m.color, i, p.key)) {
            return false;
        }
        m.region = (flags & 1) != 0;
        if (!loaded.markers.empty()) {
            sim::Marker& last = loaded.markers.back();
            ProjectLines::MarkerLines& last_lines = lines.markers.back();
            if (last.region && last_lines.end_line == kNone) {
                if (!m.region || m.number != last.number) {
                    return fail(i, "region " + std::to_string(last.number) +
                                       " has no end line (MARKER " + std::to_string(last.number) +
                                       " … 1)");
                }
                last.end = m.position;
                last_lines.end_line = i;
                return true;
            }
        }
        m.name = std::string(f.value(2));
        if (f.size() > 7) m.guid = std::string(f.value(7));
        loaded.markers.push_back(std::move(m));
        lines.markers.push_back({i, kNone});
        return true;
    }

    std::uint32_t tempo_envelope(std::uint32_t open, Index& index) {
        index.project.tempo_env_open = open;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                index.project.tempo_env_close = i;
                return i;
            }
            if (p.kind == Kind::open) {
                const std::uint32_t close = skip(i, 2);
                if (close == kNone) return kNone;
                i = close;
                continue;
            }
            if (p.key != "PT") continue;
            // PT time bpm shape [signature: numerator + 65536 × denominator] …
            const FieldList f(p.rest);
            sim::TempoPoint point;
            double signature = 0.0;
            if (!required(f, 2, i, p.key) || !number(f, 0, point.position, i, p.key) ||
                !number(f, 1, point.bpm, i, p.key) || !integer(f, 2, point.shape, i, p.key) ||
                !number(f, 3, signature, i, p.key)) {
                return kNone;
            }
            if (point.bpm <= 0.0 || signature < 0.0 || signature >= 4294967296.0) {
                fail(i, "PT: a tempo point needs a positive tempo and a valid time signature");
                return kNone;
            }
            const auto packed = static_cast<std::uint32_t>(signature);
            point.num = static_cast<int>(packed & 0xffff);
            point.denom = static_cast<int>(packed >> 16);
            index.project.tempo_points.push_back(i);
            index.loaded.tempo.points.push_back(point);
        }
        truncated(open);
        return kNone;
    }

    std::uint32_t track(std::uint32_t open, Index& index) {
        TrackNode node;
        node.index = &index;
        node.open = open;
        node.first_item = static_cast<std::uint32_t>(index.items.size());
        node.head_end = kNone;
        for (std::uint32_t i = open + 1; i < doc_.size(); ++i) {
            const Parsed p = classify(doc_.content(i));
            if (p.kind == Kind::close) {
                node.close = i;
                if (node.head_end == kNone) node.head_end = i;
                index.tracks.push_back(node);
                return i;
            }
            if (p.kind != Kind::open) {
                if (p.key == "NAME" && node.name == kNone) node.name = i;
                // The track's own SEL is read as a number.
                if (p.key == "SEL" && node.sel == kNone) {
                    node.sel = i;
                    bool selected = false;
                    if (!boolean(FieldList(p.rest), 0, selected, i, p.key)) return kNone;
                }
                continue;
            }
            std::uint32_t close = kNone;
            if (p.key == "ITEM") {
                if (!item(i, scratch_)) return kNone;
                close = scratch_.close;
                if (node.head_end == kNone) node.head_end = i;
                ItemNode in;
                in.index = &index;
                in.open = i;
                in.close = close;
                in.first_take = static_cast<std::uint32_t>(index.takes.size());
                in.take_count = static_cast<std::uint32_t>(scratch_.takes.size());
                index.items.push_back(in);
                sim::ItemSpec& wanted = *index.read_items.emplace_back(
                    std::make_unique<sim::ItemSpec>(std::move(scratch_.wanted)));
                wanted.takes.reserve(scratch_.takes.size());
                for (TakeRead& take : scratch_.takes) {
                    index.takes.push_back(TakeNode{&index, nullptr});
                    if (take.source_open != kNone) {
                        index.sources.push_back(
                            SourceNode{&index, take.source_open, take.source_close});
                    }
                    index.read_takes.push_back({take.guid != kNone, take.file_line != kNone,
                                                listed(kAudioTypes, take.file_type),
                                                take.section_length});
                    wanted.takes.push_back(std::move(take.wanted));
                }
                ++node.item_count;
            } else {
                close = skip(i, 2);
            }
            if (close == kNone) return kNone;
            i = close;
        }
        truncated(open);
        return kNone;
    }

private:
    const Document& doc_;
    Format& format_;
    Error& error_;
    const std::vector<bool>* take_values_;
    ItemRead scratch_;
};

}  // namespace

void ItemRead::clear() {
    // The takes' storage stays for the next item read into this one.
    std::vector<TakeRead> kept = std::move(takes);
    kept.clear();
    *this = ItemRead{};
    takes = std::move(kept);
}

bool midi_event(const Parsed& p) {
    if (p.kind == Kind::open) return p.key == "X" || p.key == "x";
    return p.kind == Kind::plain && !p.key.empty() && (p.key[0] == 'E' || p.key[0] == 'e') &&
           (p.key.size() == 1 || p.key.substr(1) == "m");
}

bool read_item(const Document& doc, std::uint32_t open, ItemRead& out, Format& format, Error& error,
               const std::vector<bool>* take_values) {
    return Reader(doc, format, error, take_values).item(open, out);
}

bool read_project(Index& index, Error& error) {
    return Reader(index.doc, index.format, error).project(index);
}

// ---- into the host ----

bool load_project(Index& index, sim::Host& host, sim::Project* project, const std::string& folder,
                  const MediaReader& read_media, Error& /*error*/) {
    const Document& d = index.doc;
    project->cursor = index.loaded.cursor;
    project->frame_rate = index.loaded.frame_rate;
    project->drop_frame = false;
    project->tempo = index.loaded.tempo;
    project->time_selection = index.loaded.time_selection;
    project->loop_range = index.loaded.loop_range;
    project->markers = index.loaded.markers;
    project->ext_state = index.loaded.ext_state;
    for (std::size_t m = 0; m < project->markers.size(); ++m) {
        project->markers[m].origin = &index.project.markers[m];
    }

    std::unordered_map<std::string, MediaInfo> known;
    // Projects name a few files many times: each name is resolved once.
    std::unordered_map<std::string, MediaInfo> by_name;
    const auto read_once = [&](const std::string& file) {
        namespace fs = std::filesystem;
        const auto probe = [&](const std::string& path) {
            const fs::path full =
                fs::path(path).is_absolute() ? fs::path(path) : fs::path(folder) / path;
            const std::string key = full.lexically_normal().string();
            auto found = known.find(key);
            if (found == known.end()) {
                found = known.emplace(key, read_media ? read_media(key) : MediaInfo{}).first;
            }
            return found->second;
        };
        MediaInfo info = probe(file);
        if (info.status == MediaInfo::Status::missing && file.find('\\') != std::string::npos) {
            std::string forward = file;
            std::replace(forward.begin(), forward.end(), '\\', '/');
            info = probe(forward);
        }
        return info;
    };
    const auto media = [&](const std::string& file) {
        auto found = by_name.find(file);
        if (found == by_name.end()) found = by_name.emplace(file, read_once(file)).first;
        return found->second;
    };

    std::vector<bool> online;
    std::size_t source_node = 0;
    host.reserve(index.items.size(), index.takes.size(), index.sources.size());
    for (TrackNode& tn : index.tracks) {
        sim::Track* track = host.add_track(project, loaded_name(tn), loaded_selected(tn));
        track->origin = &tn;
        track->items.reserve(tn.item_count);
        track->guid = FieldList(classify(d.content(tn.open)).rest).value(0);
        for (std::uint32_t k = 0; k < tn.item_count; ++k) {
            ItemNode& in = index.items[tn.first_item + k];
            sim::ItemSpec& wanted = *index.read_items[tn.first_item + k];
            const Index::ReadTake* read = index.read_takes.data() + in.first_take;
            online.assign(wanted.takes.size(), true);
            for (std::size_t t = 0; t < wanted.takes.size(); ++t) {
                const Index::ReadTake& tk = read[t];
                if (wanted.takes[t].source && tk.file_line) {
                    sim::SourceSpec& s = *wanted.takes[t].source;
                    const MediaInfo info = media(s.file);
                    if (info.status == MediaInfo::Status::decoded) {
                        s.sample_rate = info.sample_rate;
                        s.channels = info.channels;
                        s.bit_depth = info.bit_depth;
                        s.length = tk.section_length >= 0.0 ? tk.section_length : info.length;
                    } else {
                        online[t] = info.status == MediaInfo::Status::undecodable && !tk.audio_type;
                    }
                }
            }
            const bool item_guid = !wanted.guid.empty();
            const double position = wanted.position;
            // The read is freed right after: its texts and lists move into the host's objects.
            sim::Item* item = host.add_item(track, std::move(wanted));
            item->origin = &in;
            // A GUID the file does not have is made on loading; it is written once it changes.
            if (!item_guid) index.made_guids.emplace(&in, item->guid);
            for (std::size_t t = 0; t < item->takes.size(); ++t) {
                sim::Take* take = item->takes[t];
                TakeNode& node = index.takes[in.first_take + t];
                take->origin = &node;
                node.loaded_source = take->source;
                if (!read[t].guid_line) index.made_guids.emplace(&node, take->guid);
                if (take->source == nullptr) continue;
                take->source->origin = &index.sources[source_node++];
                take->source->SetAvailable(online[t]);
            }
            record_loaded(index, in, *item);
            in.position = position;
            index.read_items[tn.first_item + k].reset();  // built: its memory goes back now
        }
    }
    index.read_items.clear();
    index.read_items.shrink_to_fit();
    index.read_takes = {};
    return true;
}

}  // namespace rpp
