#include "rpp/save.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "rpp/load.h"
#include "rpp/text.h"

namespace rpp {

namespace {

// The line orders REAPER writes, used to place a line a file left out.
constexpr std::string_view kItemOrder[] = {
    "POSITION", "SNAPOFFS", "LENGTH",           "LOOP",  "ALLTAKES",    "COLOR", "BEAT",  "FADEIN",
    "FADEOUT",  "MUTE",     "FADEFLAG",         "LOCK",  "IMPLIEDWARP", "SEL",   "GROUP", "IGUID",
    "IID",      "NOTES",    "IMGRESOURCEFLAGS", "VOLPAN"};
constexpr std::string_view kTakeOrder[] = {
    "NAME",      "VOLPAN",   "TAKEVOLPAN", "SOFFS",      "PLAYRATE", "CHANMODE",
    "TAKECOLOR", "GUID",     "RECPASS",    "SOURCE",     "VOLENV",   "PANENV",
    "MUTEENV",   "PITCHENV", "TAKEFX",     "TAKEFX_NCH", "SM",       "TKM"};
constexpr std::string_view kTrackOrder[] = {
    "NAME",     "PEAKCOL", "BEAT",    "AUTOMODE",  "VOLPAN",   "MUTESOLO", "IPHASE",
    "PLAYOFFS", "ISBUS",   "BUSCOMP", "SHOWINMIX", "FREEMODE", "SEL"};
constexpr std::size_t npos = static_cast<std::size_t>(-1);

template <std::size_t N>
std::size_t rank(const std::string_view (&order)[N], std::string_view key) {
    for (std::size_t i = 0; i < N; ++i) {
        if (order[i] == key) return i;
    }
    return npos;
}

std::string number(double v) {
    return format_number(v);
}
std::string bool_text(double v) {
    return v != 0.0 ? "1" : "0";
}
std::string int_text(double v) {
    return format_number(std::trunc(v));
}
std::string color_text(int c) {
    return std::to_string(c);
}

using ItemParams = sim::Parameters<sim::kItemParameters>;
using TakeParams = sim::Parameters<sim::kTakeParameters>;

// An empty slot stays one until something is put in it.
bool is_empty(const sim::Take& t) {
    return t.empty && t.source == nullptr;
}

std::string hex_bytes(std::string_view bytes) {
    std::string out;
    char h[4];
    for (unsigned char c : bytes) {
        std::snprintf(h, sizeof h, " %02x", c);
        out += h;
    }
    return out;
}

std::string base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                           static_cast<unsigned char>(bytes[i + 1]) << 8 |
                           static_cast<unsigned char>(bytes[i + 2]);
        for (int s = 18; s >= 0; s -= 6) out += kAlphabet[(v >> s) & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

struct Edit {
    std::uint32_t first;  // first line replaced, or the line the text goes before
    std::uint32_t last;   // one past the last line replaced; == first for an insertion
    std::string text;
};

// One field of a modelled line: its text now, and whether it changed since loading.
struct Put {
    std::size_t field;
    std::string text;
    bool changed;
};

// Lines of one document written out: verbatim, or re-indented and re-ended when the block goes
// somewhere else (a state chunk's item saved into a project, an item given as a chunk).
class Lines {
public:
    Lines(const Document& d, std::string_view from, std::string to, std::string eol)
        : d(d), to(std::move(to)), eol(std::move(eol)), from_(from) {
        verbatim_ = from_ == this->to && this->eol == d.eol();
    }
    const Document& d;

    void copy(std::string& out, std::uint32_t a, std::uint32_t b) const {
        if (a >= b) return;
        if (verbatim_) {
            out.append(d.lines(a, b));
            return;
        }
        for (std::uint32_t i = a; i < b; ++i) {
            std::string_view c = d.content(i);
            if (c.substr(0, from_.size()) == from_) c.remove_prefix(from_.size());
            out += to;
            out += c;
            out += eol;
        }
    }
    // The indentation line `i` gets where it is written.
    std::string indent(std::uint32_t i) const {
        std::string_view own = classify(d.content(i)).indent;
        if (own.substr(0, from_.size()) == from_) own.remove_prefix(from_.size());
        return to + std::string(own);
    }
    std::string ending(std::uint32_t i) const { return verbatim_ ? std::string(d.ending(i)) : eol; }
    // The indentation of lines inside the block opened on `open`.
    std::string child(std::uint32_t open) const { return indent(open) + "  "; }

    std::string to;
    std::string eol;

private:
    std::string from_;
    bool verbatim_ = true;
};

// A line's default fields, for writing it whole or filling fields it lacks: a braced list or a
// vector, held for the call only (an argument's list lives until the call returns). Past its end
// a field is "0".
class Defaults {
public:
    Defaults() = default;
    Defaults(std::initializer_list<std::string_view> list) : list_(list) {}
    Defaults(const std::vector<std::string>& list) : strings_(&list) {}
    std::size_t size() const { return strings_ != nullptr ? strings_->size() : list_.size(); }
    std::string_view operator[](std::size_t i) const {
        if (i >= size()) return "0";
        return strings_ != nullptr ? std::string_view((*strings_)[i]) : list_.begin()[i];
    }

private:
    std::initializer_list<std::string_view> list_;
    const std::vector<std::string>* strings_ = nullptr;
};

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}

    // Copies lines [a, b) of `l` with the edits that fall among them (sorted, taken in order).
    class Emitter {
    public:
        Emitter(Writer& w, const Lines& l, std::vector<Edit>& edits) : w_(w), l_(l), edits_(edits) {
            const auto before = [](const Edit& x, const Edit& y) {
                return x.first != y.first ? x.first < y.first : x.last < y.last;
            };
            // An edited item has one or two edits, usually in order already.
            if (!std::is_sorted(edits_.begin(), edits_.end(), before)) {
                std::stable_sort(edits_.begin(), edits_.end(), before);
            }
        }
        // An insertion right before line b goes here, ahead of whatever is written at b next.
        void operator()(std::uint32_t a, std::uint32_t b) {
            while (next_ < edits_.size() &&
                   (edits_[next_].first < b ||
                    (edits_[next_].first == b && edits_[next_].last == b))) {
                const Edit& e = edits_[next_++];
                if (e.first < a) continue;
                l_.copy(w_.out_, a, e.first);
                w_.out_ += e.text;
                a = std::max(e.first, e.last);
            }
            l_.copy(w_.out_, a, b);
        }

    private:
        Writer& w_;
        const Lines& l_;
        std::vector<Edit>& edits_;
        std::size_t next_ = 0;
    };

    // Where a missing `key` goes among the direct children in [begin, end): after the last one
    // that comes before it in `order`, else at `fallback`.
    template <std::size_t N>
    static std::uint32_t place(const Document& d, std::uint32_t begin, std::uint32_t end,
                               const std::string_view (&order)[N], std::string_view key,
                               std::uint32_t fallback) {
        const std::size_t wanted = rank(order, key);
        std::uint32_t at = fallback;
        for (std::uint32_t i = begin; i < end; ++i) {
            const Parsed p = classify(d.content(i));
            const std::uint32_t last = p.kind == Kind::open ? d.close_of(i) : i;
            const std::size_t r = rank(order, p.key);
            if (p.kind != Kind::close && r != npos && r < wanted) at = last + 1;
            i = last;
        }
        return at;
    }

    // Writes the changed fields of a modelled line in place; a missing line is written whole,
    // before line where(), its other fields the defaults.
    template <class Where>
    static void put_line(const Lines& l, std::vector<Edit>& edits, std::uint32_t at,
                         std::string_view key, std::initializer_list<Put> puts,
                         const Defaults& fields, std::string_view indent, Where where) {
        if (std::none_of(puts.begin(), puts.end(), [](const Put& p) { return p.changed; })) return;
        if (at != kNone) {
            edits.push_back(Edit{at, at + 1, spliced(l, at, puts, fields)});
            return;
        }
        std::size_t count = fields.size();
        for (const Put& p : puts) count = std::max(count, p.field + 1);
        std::string text(indent);
        text += key;
        for (std::size_t i = 0; i < count; ++i) {
            const Put* put = nullptr;
            for (const Put& p : puts) put = p.field == i ? &p : put;
            text += ' ';
            text += put != nullptr ? std::string_view(put->text) : fields[i];
        }
        text += l.eol;
        const std::uint32_t before = where();
        edits.push_back(Edit{before, before, std::move(text)});
    }

    static void drop(std::vector<Edit>& edits, std::uint32_t first, std::uint32_t last) {
        if (first != kNone) edits.push_back(Edit{first, last, ""});
    }

    // Line `at` with the changed fields of `puts` written over it, the rest as it was; fields it
    // lacks before a changed one are the defaults. A quoted last field left open is closed: it
    // reads the same and no longer swallows a field written after it.
    static std::string spliced(const Lines& l, std::uint32_t at, std::initializer_list<Put> puts,
                               const Defaults& fields = {}) {
        const Parsed p = classify(l.d.content(at));
        const FieldList was(p.rest);
        std::size_t count = was.size();
        for (const Put& put : puts) {
            if (put.changed) count = std::max(count, put.field + 1);
        }
        std::string text = l.indent(at);
        text += p.key;
        for (std::size_t i = 0; i < count; ++i) {
            const Put* put = nullptr;
            for (const Put& candidate : puts)
                put = candidate.changed && candidate.field == i ? &candidate : put;
            text += ' ';
            if (put != nullptr) {
                text += put->text;
            } else if (i < was.size()) {
                text += was[i].raw;
                if (i + 1 == was.size()) text += closing_quote(was[i].raw);
            } else {
                text += fields[i];
            }
        }
        text += l.ending(at);
        return text;
    }

    // A list of one-line elements: equal ones stay, changed ones are rewritten, gone ones
    // dropped, new ones written after the last.
    template <class Same, class Make>
    static void list_edits(std::vector<Edit>& edits, const std::vector<std::uint32_t>& lines,
                           std::size_t was, std::size_t now, std::uint32_t append_at, Same same,
                           Make make) {
        for (std::size_t i = 0; i < std::min(was, now); ++i) {
            if (!same(i)) edits.push_back(Edit{lines[i], lines[i] + 1, make(i, lines[i])});
        }
        for (std::size_t i = now; i < was; ++i) drop(edits, lines[i], lines[i] + 1);
        std::string added;
        for (std::size_t i = was; i < now; ++i) added += make(i, kNone);
        if (!added.empty()) edits.push_back(Edit{append_at, append_at, std::move(added)});
    }

    std::string& out_;
};

// ---- items ----

class ItemWriter : public Writer {
public:
    ItemWriter(std::string& out, std::string eol, sim::Host* host)
        : Writer(out), eol_(std::move(eol)), host_(host) {}

    void item(const sim::Item& it, const std::string& indent) {
        const ItemNode* node = Index::item_of(it.origin);
        if (node == nullptr || !takes_match(it, *node)) {
            fresh_item(it, indent);
            return;
        }
        const Document& d = node->index->doc;
        const Lines l(d, classify(d.content(node->open)).indent, indent, eol_);
        // Only the takes that changed since loading are read again for their values.
        bool same = hash_item_own(it) == node->hash;
        changed_.assign(node->take_count, false);
        for (std::uint32_t k = 0; k < node->take_count; ++k) {
            changed_[k] = hash_take(*it.takes[k]) != node->index->takes[node->first_take + k].hash;
            same = same && !changed_[k];
        }
        if (same) {
            l.copy(out_, node->open, node->close + 1);
            return;
        }
        ItemRead& r = scratch_;
        Format format = node->index->format;
        Error ignored;
        if (!read_item(d, node->open, r, format, ignored, &changed_)) {
            fresh_item(it, indent);
            return;
        }
        std::vector<Edit>& edits = edits_;  // its storage kept from item to item
        edits.clear();
        item_edits(it, r, l, *node, edits);
        Emitter(*this, l, edits)(node->open, node->close + 1);
    }

    Format format;  // of the file written into
    long long next_iid = 1;

private:
    static bool takes_match(const sim::Item& it, const ItemNode& node) {
        if (it.takes.size() < node.take_count) return false;
        for (std::uint32_t k = 0; k < node.take_count; ++k) {
            if (it.takes[k]->origin != &node.index->takes[node.first_take + k]) return false;
        }
        return true;
    }

    std::string guid() { return host_ != nullptr ? host_->fresh_guid() : fallback_guid(); }
    static std::string fallback_guid() { return "{00000000-0000-0000-0000-000000000000}"; }

    void item_edits(const sim::Item& it, const ItemRead& r, const Lines& l, const ItemNode& node,
                    std::vector<Edit>& edits) {
        const Document& d = l.d;
        const sim::ItemSpec& was = r.wanted;
        const std::string ind = l.child(r.open);
        // The item's own lines end where its first take's begin.
        std::uint32_t head_end = r.first_marker != kNone ? r.first_marker : r.close;
        if (!r.takes.empty() && r.takes.front().first != kNone) {
            head_end = std::min(head_end, r.takes.front().first);
        }
        const auto now = [&](std::size_t slot) { return it.params.value(slot); };
        const auto where = [&](std::string_view key) {
            return [&d, &r, head_end, key] {
                return place(d, r.open + 1, head_end, kItemOrder, key, r.open + 1);
            };
        };
        // The text is made only for a changed value: most of an edited item's values are not.
        const auto put = [&](std::uint32_t at, std::string_view key, const auto& text, bool changed,
                             std::initializer_list<std::string_view> fields = {"0"}) {
            if (!changed) return;
            put_line(l, edits, at, key, {{0, text(), true}}, fields, ind, where(key));
        };
        put(
            r.position, "POSITION", [&] { return number(now(ItemParams::slot("D_POSITION"))); },
            now(ItemParams::slot("D_POSITION")) != was.position);
        put(
            r.snapoffs, "SNAPOFFS", [&] { return number(it.snap_offset); },
            it.snap_offset != was.snap_offset);
        put(
            r.length, "LENGTH", [&] { return number(now(ItemParams::slot("D_LENGTH"))); },
            now(ItemParams::slot("D_LENGTH")) != was.length);
        put(
            r.loop, "LOOP", [&] { return bool_text(now(ItemParams::slot("B_LOOPSRC"))); },
            (now(ItemParams::slot("B_LOOPSRC")) != 0) != was.loop);
        // A value set back to none is written as 0 where the line is: dropping the line would let
        // a stray later one of the same key be read instead.
        put(r.color, "COLOR", [&] { return color_text(it.color); }, it.color != was.color,
            {"0", "B"});
        const auto fade = [this] {
            return std::vector<std::string>(format.fade_fields == 6 ? 6 : 7, "0");
        };
        if (now(ItemParams::slot("C_FADEINSHAPE")) != was.fade_in_shape ||
            now(ItemParams::slot("D_FADEINLEN")) != was.fade_in)
            put_line(l, edits, r.fadein, "FADEIN",
                     {{0, int_text(now(ItemParams::slot("C_FADEINSHAPE"))),
                       now(ItemParams::slot("C_FADEINSHAPE")) != was.fade_in_shape},
                      {1, number(now(ItemParams::slot("D_FADEINLEN"))),
                       now(ItemParams::slot("D_FADEINLEN")) != was.fade_in},
                      {3, int_text(now(ItemParams::slot("C_FADEINSHAPE"))), false}},
                     fade(), ind, where("FADEIN"));
        if (now(ItemParams::slot("C_FADEOUTSHAPE")) != was.fade_out_shape ||
            now(ItemParams::slot("D_FADEOUTLEN")) != was.fade_out)
            put_line(l, edits, r.fadeout, "FADEOUT",
                     {{0, int_text(now(ItemParams::slot("C_FADEOUTSHAPE"))),
                       now(ItemParams::slot("C_FADEOUTSHAPE")) != was.fade_out_shape},
                      {1, number(now(ItemParams::slot("D_FADEOUTLEN"))),
                       now(ItemParams::slot("D_FADEOUTLEN")) != was.fade_out},
                      {3, int_text(now(ItemParams::slot("C_FADEOUTSHAPE"))), false}},
                     fade(), ind, where("FADEOUT"));
        if ((now(ItemParams::slot("B_MUTE")) != 0) != was.mute)
            put_line(
                l, edits, r.mute, "MUTE", {{0, bool_text(now(ItemParams::slot("B_MUTE"))), true}},
                std::vector<std::string>(format.mute_fields == 1 ? 1 : 2, "0"), ind, where("MUTE"));
        put(
            r.lock, "LOCK", [&] { return int_text(now(ItemParams::slot("C_LOCK"))); },
            now(ItemParams::slot("C_LOCK")) != was.lock);
        put(
            r.sel, "SEL", [&] { return bool_text(now(ItemParams::slot("B_UISEL"))); },
            (now(ItemParams::slot("B_UISEL")) != 0) != was.selected);
        put(
            r.group, "GROUP", [&] { return std::to_string(it.group); }, it.group != was.group);
        const std::string& was_guid = r.iguid != kNone ? was.guid : node.index->made_guid(&node);
        put(
            r.iguid, "IGUID", [&] { return it.guid; }, it.guid != was_guid);
        if (it.notes != was.notes) {
            const std::string block = it.notes.empty() ? "" : notes_block(it.notes, ind);
            if (r.notes_open != kNone) {
                edits.push_back(Edit{r.notes_open, r.notes_close + 1, block});
            } else {
                const std::uint32_t at = where("NOTES")();
                edits.push_back(Edit{at, at, block});
            }
        }

        // When the first slot gains a take, its VOLPAN line gets the take's pan and volume, in
        // place (a line that comes first must stay first); the rest of its lines are written new.
        const sim::Take* first = it.takes.empty() ? nullptr : it.takes.front();
        const TakeRead* first_read = r.takes.empty() ? nullptr : &r.takes.front();
        const bool first_written_whole = first != nullptr && !is_empty(*first) &&
                                         (first_read == nullptr || first_read->wanted.empty);
        if (first_written_whole) {
            if (r.volpan != kNone) {
                edits.push_back(
                    Edit{r.volpan, r.volpan + 1,
                         make_line(l.indent(r.volpan), "VOLPAN",
                                   {number(now(ItemParams::slot("D_VOL"))),
                                    number(first->params.value(TakeParams::slot("D_PAN"))),
                                    number(first->params.value(TakeParams::slot("D_VOL"))), "-1"},
                                   l.ending(r.volpan))});
            }
        } else if (first_read != nullptr && !first_read->wanted.empty) {
            const sim::TakeSpec& tw = first_read->wanted;
            const double vol = now(ItemParams::slot("D_VOL")),
                         pan = first->params.value(TakeParams::slot("D_PAN")),
                         take_vol = first->params.value(TakeParams::slot("D_VOL"));
            // Only what is written is formatted: all of a missing line, the changed fields of one.
            const auto text = [&r](double v, bool changed) {
                return changed || r.volpan == kNone ? number(v) : std::string();
            };
            if (vol != was.vol || pan != tw.pan || take_vol != tw.vol)
                put_line(l, edits, r.volpan, "VOLPAN",
                         {{0, text(vol, vol != was.vol), vol != was.vol},
                          {1, text(pan, pan != tw.pan), pan != tw.pan},
                          {2, text(take_vol, take_vol != tw.vol), take_vol != tw.vol}},
                         {"1", "0", "1", "-1"}, ind, [&d, first_read] {
                             return place(d, first_read->first, first_read->end, kTakeOrder,
                                          "VOLPAN", first_read->first);
                         });
        } else {
            put(r.volpan, "VOLPAN", [&] { return number(now(ItemParams::slot("D_VOL"))); },
                now(ItemParams::slot("D_VOL")) != was.vol, {"1"});
        }

        for (std::size_t k = 0; k < r.takes.size(); ++k) take_edits(it, k, r, l, ind, edits);
        std::string added;
        for (std::size_t k = r.takes.size(); k < it.takes.size(); ++k) {
            const sim::Take& t = *it.takes[k];
            const bool active = static_cast<int>(k) == it.active_take;
            if (is_empty(t)) {
                if (k > 0) added += marker(ind, "", active, "NULL");
                continue;
            }
            if (k > 0) added += marker(ind, "", active);
            added += fresh_take(t, k == 0, now(ItemParams::slot("D_VOL")), ind, r.volpan == kNone);
        }
        if (!added.empty()) edits.push_back(Edit{r.close, r.close, std::move(added)});
    }

    std::string notes_block(const std::string& notes, const std::string& ind) const {
        std::string text = ind + "<NOTES" + eol_;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = notes.find('\n', start);
            std::string line = notes.substr(start, end == std::string::npos ? end : end - start);
            for (char& c : line) {
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = ' ';
            }
            text += ind + "  |" + line + eol_;
            if (end == std::string::npos) break;
            start = end + 1;
        }
        return text + ind + ">" + eol_;
    }

    std::string marker(std::string_view indent, std::string_view rest, bool selected,
                       std::string_view extra = {}) const {
        // SEL is recognised by value when read, quoted or not; so it goes by value.
        const std::vector<Field> read = split_fields(rest);
        const std::vector<std::string> raw = raw_fields(rest);
        std::vector<std::string> fields;
        if (!extra.empty()) fields.emplace_back(extra);
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (read[i].value != "SEL") fields.push_back(raw[i]);
        }
        if (selected) fields.emplace_back("SEL");
        return make_line(indent, "TAKE", fields, eol_);
    }

    void take_edits(const sim::Item& it, std::size_t k, const ItemRead& r, const Lines& l,
                    const std::string& ind, std::vector<Edit>& edits) {
        const Document& d = l.d;
        const TakeRead& tr = r.takes[k];
        const sim::Take& t = *it.takes[k];
        const bool active = static_cast<int>(k) == it.active_take;
        if (tr.wanted.empty && !is_empty(t)) {
            const double item_vol = it.params.value(ItemParams::slot("D_VOL"));
            if (k == 0) {
                const std::uint32_t at = r.first_marker != kNone ? r.first_marker : r.close;
                edits.push_back(
                    Edit{at, at, fresh_take(t, true, item_vol, ind, r.volpan == kNone)});
            } else {
                edits.push_back(
                    Edit{tr.first, tr.end,
                         marker(ind, "", active) + fresh_take(t, false, item_vol, ind)});
            }
            return;
        }
        if (tr.marker != kNone && active != tr.selected) {
            const Parsed p = classify(d.content(tr.marker));
            std::string text = marker(l.indent(tr.marker), p.rest, active);
            text.resize(text.size() - eol_.size());
            edits.push_back(Edit{tr.marker, tr.marker + 1, text + l.ending(tr.marker)});
        }
        if (tr.wanted.empty || !tr.values_read) return;

        const sim::TakeSpec& was = tr.wanted;
        const std::uint32_t begin = tr.marker != kNone ? tr.marker + 1 : tr.first;
        const auto where = [&d, &tr, begin](std::string_view key) {
            return
                [&d, &tr, begin, key] { return place(d, begin, tr.end, kTakeOrder, key, begin); };
        };
        const auto now = [&](std::size_t slot) { return t.params.value(slot); };
        if (t.name != was.name)
            put_line(l, edits, tr.name, "NAME", {{0, quote(t.name), t.name != was.name}}, {"\"\""},
                     ind, where("NAME"));
        if (k > 0) {
            put_line(l, edits, tr.volpan, "TAKEVOLPAN",
                     {{0, number(now(TakeParams::slot("D_PAN"))),
                       now(TakeParams::slot("D_PAN")) != was.pan},
                      {1, number(now(TakeParams::slot("D_VOL"))),
                       now(TakeParams::slot("D_VOL")) != was.vol}},
                     {"0", "1", "-1"}, ind, where("TAKEVOLPAN"));
        }
        if (now(TakeParams::slot("D_STARTOFFS")) != was.start_offset)
            put_line(l, edits, tr.soffs, "SOFFS",
                     {{0, number(now(TakeParams::slot("D_STARTOFFS"))),
                       now(TakeParams::slot("D_STARTOFFS")) != was.start_offset}},
                     {"0"}, ind, where("SOFFS"));
        if (now(TakeParams::slot("D_PLAYRATE")) != was.rate ||
            (now(TakeParams::slot("B_PPITCH")) != 0) != was.preserve_pitch ||
            now(TakeParams::slot("D_PITCH")) != was.pitch ||
            now(TakeParams::slot("I_PITCHMODE")) != was.pitch_mode)
            put_line(l, edits, tr.playrate, "PLAYRATE",
                     {{0, number(now(TakeParams::slot("D_PLAYRATE"))),
                       now(TakeParams::slot("D_PLAYRATE")) != was.rate},
                      {1, bool_text(now(TakeParams::slot("B_PPITCH"))),
                       (now(TakeParams::slot("B_PPITCH")) != 0) != was.preserve_pitch},
                      {2, number(now(TakeParams::slot("D_PITCH"))),
                       now(TakeParams::slot("D_PITCH")) != was.pitch},
                      {3, int_text(now(TakeParams::slot("I_PITCHMODE"))),
                       now(TakeParams::slot("I_PITCHMODE")) != was.pitch_mode}},
                     {"1", "1", "0", "-1", "0", "0.0025"}, ind, where("PLAYRATE"));
        if (now(TakeParams::slot("I_CHANMODE")) != was.chan_mode)
            put_line(l, edits, tr.chanmode, "CHANMODE",
                     {{0, int_text(now(TakeParams::slot("I_CHANMODE"))),
                       now(TakeParams::slot("I_CHANMODE")) != was.chan_mode}},
                     {"0"}, ind, where("CHANMODE"));
        if (t.color != was.color) {
            put_line(l, edits, tr.color, "TAKECOLOR", {{0, color_text(t.color), true}}, {"0", "B"},
                     ind, where("TAKECOLOR"));
        }
        const TakeNode* tn = Index::take_of(t.origin);
        const std::string& was_guid =
            tr.guid != kNone || tn == nullptr ? was.guid : tn->index->made_guid(tn);
        if (t.guid != was_guid)
            put_line(l, edits, tr.guid, "GUID", {{0, t.guid, t.guid != was_guid}}, {"{}"}, ind,
                     where("GUID"));
        source_edits(t, tr, l, ind, edits, where);
        fx_edits(t, tr, l, ind, edits, where);
        envelope_edits(t, tr, l, ind, edits, where);
        if (t.stretch_markers != was.stretch_markers) {
            const std::string text = t.stretch_markers.empty() ? "" : sm_line(t, ind);
            if (tr.sm != kNone) {
                edits.push_back(Edit{tr.sm, tr.sm + 1, text});
            } else {
                const std::uint32_t at = where("SM")();
                edits.push_back(Edit{at, at, text});
            }
        }
        if (t.markers != was.markers) {
            list_edits(
                edits, tr.tkm, was.markers.size(), t.markers.size(),
                tr.tkm.empty() ? where("TKM")() : tr.tkm.back() + 1,
                [&](std::size_t i) {
                    return i < was.markers.size() && t.markers[i] == was.markers[i];
                },
                [&](std::size_t i, std::uint32_t line) {
                    const sim::TakeMarker& m = t.markers[i];
                    if (line == kNone) return tkm_line(m, ind);
                    const sim::TakeMarker& w = was.markers[i];
                    return spliced(
                        l, line,
                        {{0, number(m.source_position), m.source_position != w.source_position},
                         {1, quote_always(m.name), m.name != w.name},
                         {2, color_text(m.color), m.color != w.color}});
                });
        }
    }

    std::string tkm_line(const sim::TakeMarker& m, const std::string& ind) const {
        return make_line(ind, "TKM",
                         {number(m.source_position), quote_always(m.name), color_text(m.color)},
                         eol_);
    }

    std::string sm_line(const sim::Take& t, const std::string& ind) const {
        std::vector<std::string> fields;
        for (const sim::StretchMarker& m : t.stretch_markers) {
            if (!fields.empty()) fields.emplace_back("+");
            fields.push_back(number(m.position));
            fields.push_back(number(m.source_position));
            if (m.slope != 0.0) fields.push_back(number(m.slope));
        }
        return make_line(ind, "SM", fields, eol_);
    }

    std::string point_line(const sim::EnvelopePoint& p, const std::string& ind) const {
        std::vector<std::string> fields{number(p.time), number(p.value), std::to_string(p.shape)};
        if (p.selected || p.tension != 0.0) {
            fields.insert(fields.end(), {"0", bool_text(p.selected)});
        }
        if (p.tension != 0.0) fields.insert(fields.end(), {"0", number(p.tension)});
        return make_line(ind, "PT", fields, eol_);
    }

    template <class Where>
    void envelope_edits(const sim::Take& t, const TakeRead& tr, const Lines& l,
                        const std::string& ind, std::vector<Edit>& edits, Where where) {
        const auto& was = tr.wanted.envelopes;
        for (std::size_t e = 0; e < was.size(); ++e) {
            const sim::Envelope* now = nullptr;
            if (e < t.envelopes.size() && t.envelopes[e].kind == was[e].kind &&
                t.envelopes[e].fx == was[e].fx) {
                now = &t.envelopes[e];
            }
            if (now == nullptr) {
                drop(edits, tr.envelopes[e].open, tr.envelopes[e].close + 1);
                continue;
            }
            if (now->points == was[e].points) continue;
            const EnvelopeLines& lines = tr.envelopes[e];
            const std::string pind = l.child(lines.open);
            list_edits(
                edits, lines.points, was[e].points.size(), now->points.size(),
                lines.points.empty() ? lines.close : lines.points.back() + 1,
                [&](std::size_t i) { return now->points[i] == was[e].points[i]; },
                [&](std::size_t i, std::uint32_t line) {
                    const sim::EnvelopePoint& p = now->points[i];
                    if (line == kNone) return point_line(p, pind);
                    const sim::EnvelopePoint& w = was[e].points[i];
                    return spliced(l, line,
                                   {{0, number(p.time), p.time != w.time},
                                    {1, number(p.value), p.value != w.value},
                                    {2, std::to_string(p.shape), p.shape != w.shape},
                                    {4, bool_text(p.selected), p.selected != w.selected},
                                    {6, number(p.tension), p.tension != w.tension}});
                });
        }
        // Envelopes a script made: after the source.
        std::string added;
        for (std::size_t e = was.size(); e < t.envelopes.size(); ++e) {
            const sim::Envelope& env = t.envelopes[e];
            if (env.fx >= 0) continue;
            added += ind + "<" + env.kind + eol_;
            added += make_line(ind + "  ", "EGUID", {guid()}, eol_);
            added += make_line(ind + "  ", "ACT", {"1", "-1"}, eol_);
            added += make_line(ind + "  ", "VIS", {"1", "1", "1"}, eol_);
            added += make_line(ind + "  ", "LANEHEIGHT", {"0", "0"}, eol_);
            added += make_line(ind + "  ", "ARM", {"0"}, eol_);
            added += make_line(ind + "  ", "DEFSHAPE", {"0", "-1", "-1"}, eol_);
            for (const sim::EnvelopePoint& p : env.points) added += point_line(p, ind + "  ");
            added += ind + ">" + eol_;
        }
        if (!added.empty()) {
            const std::uint32_t at = where("VOLENV")();
            edits.push_back(Edit{at, at, std::move(added)});
        }
    }

    template <class Where>
    void fx_edits(const sim::Take& t, const TakeRead& tr, const Lines& l, const std::string& ind,
                  std::vector<Edit>& edits, Where where) {
        const auto& was = tr.wanted.fx;
        if (t.fx.size() == was.size()) {
            bool same = true;
            for (std::size_t i = 0; same && i < was.size(); ++i) {
                same = t.fx[i].name == was[i].name && t.fx[i].enabled == was[i].enabled &&
                       t.fx[i].offline == was[i].offline && t.fx[i].state == was[i].state &&
                       t.fx[i].guid == was[i].guid;
            }
            if (same) return;
        }
        if (tr.fx_open == kNone) {
            if (t.fx.empty()) return;
            std::string text = ind + "<TAKEFX" + eol_;
            const std::string in = ind + "  ";
            text += make_line(in, "WNDRECT", {"24", "52", "655", "408"}, eol_);
            text += make_line(in, "SHOW", {"0"}, eol_);
            text += make_line(in, "LASTSEL", {"0"}, eol_);
            text += make_line(in, "DOCKED", {"0"}, eol_);
            for (const sim::TakeFx& fx : t.fx) text += fresh_fx(fx, in);
            text += ind + ">" + eol_;
            text += make_line(ind, "TAKEFX_NCH", {"2"}, eol_);
            const std::uint32_t at = where("TAKEFX")();
            edits.push_back(Edit{at, at, std::move(text)});
            return;
        }
        // Each FX of the file that is still there keeps its group of lines (BYPASS rewritten when
        // its flags changed); the rest are written new, in the order the take has them now.
        const std::string in = l.child(tr.fx_open);
        std::string text;
        const std::uint32_t first = tr.fx.empty()                   ? tr.fx_close
                                    : tr.fx.front().bypass != kNone ? tr.fx.front().bypass
                                                                    : tr.fx.front().open;
        for (const sim::TakeFx& fx : t.fx) {
            std::size_t found = was.size();
            {
                for (std::size_t i = 0; i < was.size(); ++i) {
                    if (!fx.guid.empty() && fx.guid == was[i].guid && fx.state == was[i].state)
                        found = i;
                }
            }
            if (found == was.size()) {
                text += fresh_fx(fx, in);
                continue;
            }
            const FxLines& g = tr.fx[found];
            std::uint32_t a = g.bypass != kNone ? g.bypass : g.open;
            if (g.bypass != kNone &&
                (fx.enabled != was[found].enabled || fx.offline != was[found].offline)) {
                std::vector<Edit> one;
                put_line(l, one, g.bypass, "BYPASS",
                         {{0, bool_text(!fx.enabled), true}, {1, bool_text(fx.offline), true}},
                         {"0", "0", "0"}, in, [] { return std::uint32_t{0}; });
                text += one.front().text;
                a = g.bypass + 1;
            }
            l.copy(text, a, g.end);
        }
        edits.push_back(Edit{first, tr.fx_close, std::move(text)});
    }

    std::string fresh_fx(const sim::TakeFx& fx, const std::string& in) {
        std::string text =
            make_line(in, "BYPASS", {bool_text(!fx.enabled), bool_text(fx.offline), "0"}, eol_);
        if (!fx.state.empty()) {
            std::size_t start = 0;
            while (start < fx.state.size()) {
                const std::size_t end = std::min(fx.state.find('\n', start), fx.state.size());
                text += in + fx.state.substr(start, end - start) + eol_;
                start = end + 1;
            }
        } else {
            const bool js = fx.name.rfind("JS:", 0) == 0;
            text += in +
                    (js ? "<JS " + quote_always(fx.name.substr(fx.name.find_first_not_of(' ', 3))) +
                              " \"\""
                        : "<VST " + quote_always(fx.name) + " \"\" 0 \"\" 0") +
                    eol_ + in + ">" + eol_;
        }
        text += make_line(in, "FLOATPOS", {"0", "0", "0", "0"}, eol_);
        text += make_line(in, "FXID", {fx.guid.empty() ? guid() : fx.guid}, eol_);
        text += make_line(in, "WAK", {"0", "0"}, eol_);
        return text;
    }

    template <class Where>
    void source_edits(const sim::Take& t, const TakeRead& tr, const Lines& l,
                      const std::string& ind, std::vector<Edit>& edits, Where where) {
        const TakeNode* tn = Index::take_of(t.origin);
        const bool same_source = tn != nullptr && t.source == tn->loaded_source;
        if (same_source && t.source != nullptr && tr.wanted.source &&
            t.source->media.type == tr.wanted.source->type &&
            t.source->media.file == tr.wanted.source->file) {
            const sim::SourceSpec& was = *tr.wanted.source;
            const sim::SourceSpec& now = t.source->media;
            if (now.midi != was.midi && tr.wanted.source->type == "MIDI") {
                const std::string in = l.child(tr.source_open);
                std::string text = midi_events(now, in);
                if (tr.midi_first != kNone) {
                    // What stands among the events and is none of them stays, after them.
                    const Document& d = l.d;
                    for (std::uint32_t i = tr.midi_first; i < tr.midi_end; ++i) {
                        const Parsed p = classify(d.content(i));
                        const std::uint32_t last = p.kind == Kind::open ? d.close_of(i) : i;
                        if (!midi_event(p)) l.copy(text, i, last + 1);
                        i = last;
                    }
                    edits.push_back(Edit{tr.midi_first, tr.midi_end, std::move(text)});
                } else {
                    edits.push_back(Edit{tr.source_close, tr.source_close, std::move(text)});
                }
            }
            return;
        }
        if (same_source && t.source == nullptr) return;
        std::string block = t.source != nullptr ? source_block(*t.source, ind) : "";
        if (tr.source_open != kNone) {
            edits.push_back(Edit{tr.source_open, tr.source_close + 1, std::move(block)});
        } else if (!block.empty()) {
            const std::uint32_t at = where("SOURCE")();
            edits.push_back(Edit{at, at, std::move(block)});
        }
    }

    std::string midi_events(const sim::SourceSpec& media, const std::string& in) const {
        std::string text;
        std::int64_t tick = 0;
        for (const sim::MidiEvent& e : media.midi) {
            const std::int64_t delta = e.tick - tick;
            tick = e.tick;
            const bool plain = !e.message.empty() && e.message.size() <= 3 &&
                               (static_cast<unsigned char>(e.message[0]) & 0x80) != 0 &&
                               static_cast<unsigned char>(e.message[0]) < 0xf0;
            if (plain) {
                std::string key = (e.flags & 1) ? "e" : "E";
                if (e.flags & 2) key += "m";
                text += in + key + " " + std::to_string(delta) + hex_bytes(e.message) + eol_;
            } else {
                text += in + ((e.flags & 1) ? "<x " : "<X ") + std::to_string(delta) + " 0" + eol_;
                text += in + "  " + base64(e.message) + eol_;
                text += in + ">" + eol_;
            }
        }
        return text;
    }

    // A source's block: its original's lines when it came from a file (a duplicate included),
    // with fresh GUIDs and its file as it is now; else the block REAPER writes for a file.
    std::string source_block(const sim::Source& s, const std::string& ind) {
        const SourceNode* node = Index::source_of(s.origin);
        std::string type_now;
        if (node != nullptr) {
            const Parsed head = classify(node->index->doc.content(node->open));
            type_now = std::string(FieldList(head.rest).value(0));
        }
        if (node == nullptr || type_now != s.media.type) {
            std::string text =
                ind + "<SOURCE " + (s.media.type.empty() ? "EMPTY" : s.media.type) + eol_;
            if (s.media.type == "MIDI") {
                text += make_line(ind + "  ", "HASDATA",
                                  {"1", std::to_string(s.media.ticks_per_qn), "QN"}, eol_);
                text += midi_events(s.media, ind + "  ");
                text += make_line(ind + "  ", "GUID", {guid()}, eol_);
            }
            if (!s.media.file.empty()) {
                text += make_line(ind + "  ", "FILE", {quote_always(s.media.file)}, eol_);
            }
            return text + ind + ">" + eol_;
        }
        const Document& d = node->index->doc;
        const std::string_view old_indent = classify(d.content(node->open)).indent;
        std::string text;
        bool file_done = false;
        for (std::uint32_t i = node->open; i <= node->close; ++i) {
            std::string_view content = d.content(i);
            if (content.substr(0, old_indent.size()) == old_indent) {
                content.remove_prefix(old_indent.size());
            }
            const Parsed p = classify(content);
            const bool direct = p.indent.size() == 2 && p.kind == Kind::plain;
            if (direct && p.key == "GUID") {
                text += make_line(ind + "  ", "GUID", {guid()}, eol_);
            } else if (p.kind == Kind::plain && p.key == "FILE" && !file_done) {
                file_done = true;
                std::vector<std::string> fields{quote_always(s.media.file)};
                const auto old = split_fields(p.rest);
                for (std::size_t f = 1; f < old.size(); ++f) fields.emplace_back(old[f].raw);
                text += make_line(ind + std::string(p.indent), "FILE", fields, eol_);
            } else {
                text += ind;
                text += content;
                text += eol_;
            }
        }
        return text;
    }

    // The first slot's VOLPAN carries the item's volume; `volpan` false when that line exists.
    std::string fresh_take(const sim::Take& t, bool first_slot, double item_vol,
                           const std::string& ind, bool volpan = true) {
        const auto now = [&](std::size_t slot) { return t.params.value(slot); };
        std::string text = make_line(ind, "NAME", {quote(t.name)}, eol_);
        if (!first_slot) {
            text += make_line(ind, "TAKEVOLPAN",
                              {number(now(TakeParams::slot("D_PAN"))),
                               number(now(TakeParams::slot("D_VOL"))), "-1"},
                              eol_);
        } else if (volpan) {
            text += make_line(ind, "VOLPAN",
                              {number(item_vol), number(now(TakeParams::slot("D_PAN"))),
                               number(now(TakeParams::slot("D_VOL"))), "-1"},
                              eol_);
        }
        text += make_line(ind, "SOFFS", {number(now(TakeParams::slot("D_STARTOFFS")))}, eol_);
        text += make_line(
            ind, "PLAYRATE",
            {number(now(TakeParams::slot("D_PLAYRATE"))),
             bool_text(now(TakeParams::slot("B_PPITCH"))), number(now(TakeParams::slot("D_PITCH"))),
             int_text(now(TakeParams::slot("I_PITCHMODE"))), "0", "0.0025"},
            eol_);
        text += make_line(ind, "CHANMODE", {int_text(now(TakeParams::slot("I_CHANMODE")))}, eol_);
        if (t.color != 0) text += make_line(ind, "TAKECOLOR", {color_text(t.color), "B"}, eol_);
        text += make_line(ind, "GUID", {t.guid.empty() ? guid() : t.guid}, eol_);
        if (t.source != nullptr) text += source_block(*t.source, ind);
        std::string envs;
        for (const sim::Envelope& env : t.envelopes) {
            if (env.fx >= 0) continue;
            envs += ind + "<" + env.kind + eol_;
            for (const sim::EnvelopePoint& p : env.points) envs += point_line(p, ind + "  ");
            envs += ind + ">" + eol_;
        }
        text += envs;
        if (!t.fx.empty()) {
            text += ind + "<TAKEFX" + eol_;
            for (const sim::TakeFx& fx : t.fx) text += fresh_fx(fx, ind + "  ");
            text += ind + ">" + eol_;
            text += make_line(ind, "TAKEFX_NCH", {"2"}, eol_);
        }
        if (!t.stretch_markers.empty()) text += sm_line(t, ind);
        for (const sim::TakeMarker& m : t.markers) text += tkm_line(m, ind);
        return text;
    }

    void fresh_item(const sim::Item& it, const std::string& ind) {
        const std::string inner = ind + "  ";
        const auto now = [&](std::size_t slot) { return it.params.value(slot); };
        // Shape, length, then fields REAPER fills that are not modelled (the fourth repeats the
        // shape), as many as the file's own fade lines have.
        const auto fade = [&](std::size_t shape, std::size_t length) {
            std::vector<std::string> fields{int_text(now(shape)),
                                            number(now(length)),
                                            "0",
                                            int_text(now(shape)),
                                            "0",
                                            "0",
                                            "0"};
            fields.resize(format.fade_fields == 6 ? 6 : 7);
            return fields;
        };
        std::vector<std::string> mute{bool_text(now(ItemParams::slot("B_MUTE"))), "0"};
        if (format.mute_fields == 1) mute.pop_back();

        out_ += ind + "<ITEM" + eol_;
        out_ += make_line(inner, "POSITION", {number(now(ItemParams::slot("D_POSITION")))}, eol_);
        out_ += make_line(inner, "SNAPOFFS", {number(it.snap_offset)}, eol_);
        out_ += make_line(inner, "LENGTH", {number(now(ItemParams::slot("D_LENGTH")))}, eol_);
        out_ += make_line(inner, "LOOP", {bool_text(now(ItemParams::slot("B_LOOPSRC")))}, eol_);
        out_ += make_line(inner, "ALLTAKES", {"0"}, eol_);
        if (it.color != 0) out_ += make_line(inner, "COLOR", {color_text(it.color), "B"}, eol_);
        out_ += make_line(inner, "FADEIN",
                          fade(ItemParams::slot("C_FADEINSHAPE"), ItemParams::slot("D_FADEINLEN")),
                          eol_);
        out_ += make_line(
            inner, "FADEOUT",
            fade(ItemParams::slot("C_FADEOUTSHAPE"), ItemParams::slot("D_FADEOUTLEN")), eol_);
        out_ += make_line(inner, "MUTE", mute, eol_);
        if (now(ItemParams::slot("C_LOCK")) != 0.0)
            out_ += make_line(inner, "LOCK", {int_text(now(ItemParams::slot("C_LOCK")))}, eol_);
        out_ += make_line(inner, "SEL", {bool_text(now(ItemParams::slot("B_UISEL")))}, eol_);
        if (it.group != 0) out_ += make_line(inner, "GROUP", {std::to_string(it.group)}, eol_);
        out_ += make_line(inner, "IGUID", {it.guid.empty() ? guid() : it.guid}, eol_);
        out_ += make_line(inner, "IID", {std::to_string(next_iid++)}, eol_);
        if (!it.notes.empty()) out_ += notes_block(it.notes, inner);
        const bool first_empty = it.takes.empty() || is_empty(*it.takes.front());
        if (first_empty && (!it.takes.empty() || now(ItemParams::slot("D_VOL")) != 1.0)) {
            out_ += make_line(inner, "VOLPAN", {number(now(ItemParams::slot("D_VOL")))}, eol_);
        }
        for (std::size_t k = 0; k < it.takes.size(); ++k) {
            const sim::Take& t = *it.takes[k];
            const bool active = static_cast<int>(k) == it.active_take;
            if (is_empty(t)) {
                if (k > 0) out_ += marker(inner, "", active, "NULL");
                continue;
            }
            if (k > 0) out_ += marker(inner, "", active);
            out_ += fresh_take(t, k == 0, now(ItemParams::slot("D_VOL")), inner);
        }
        out_ += ind + ">" + eol_;
    }

    std::string eol_;
    sim::Host* host_;
    ItemRead scratch_;  // the item being rewritten, as its file has it
    std::vector<Edit> edits_;
    std::vector<bool> changed_;  // by take: changed since loading
};

// ---- tracks and the project ----

class ProjectWriter : public Writer {
public:
    ProjectWriter(const Index& index, std::string& out, Error& error, sim::Host* host)
        : Writer(out),
          x_(index),
          error_(error),
          host_(host),
          items_(out, index.doc.eol(), host),
          lines_(index.doc, "", "", index.doc.eol()) {
        items_.format = index.format;
        items_.next_iid = index.format.max_iid + 1;
    }

    bool project(const sim::Project& p) {
        if (!check(p)) return false;
        const Document& d = x_.doc;
        const ProjectLines& pl = x_.project;
        const sim::Project& was = x_.loaded;
        std::vector<Edit> edits;
        const std::string ind = "  ";
        const auto first_line = [] { return std::uint32_t{1}; };
        put_line(lines_, edits, pl.cursor, "CURSOR",
                 {{0, number(p.cursor), p.cursor != was.cursor}}, {"0"}, ind, first_line);
        put_line(lines_, edits, pl.timemode, "TIMEMODE",
                 {{3, number(p.frame_rate), p.frame_rate != was.frame_rate}},
                 {"1", "5", "-1", "30", "0", "0", "-1"}, ind, first_line);
        const sim::Tempo& t = p.tempo;
        put_line(lines_, edits, pl.tempo, "TEMPO",
                 {{0, number(t.bpm), t.bpm != was.tempo.bpm},
                  {1, std::to_string(t.num), t.num != was.tempo.num},
                  {2, std::to_string(t.denom), t.denom != was.tempo.denom}},
                 {"120", "4", "4"}, ind, first_line);
        put_line(
            lines_, edits, pl.selection, "SELECTION",
            {{0, number(p.time_selection.start),
              p.time_selection.start != was.time_selection.start},
             {1, number(p.time_selection.end), p.time_selection.end != was.time_selection.end}},
            {"0", "0"}, ind, first_line);
        put_line(lines_, edits, pl.selection2, "SELECTION2",
                 {{0, number(p.loop_range.start), p.loop_range.start != was.loop_range.start},
                  {1, number(p.loop_range.end), p.loop_range.end != was.loop_range.end}},
                 {"0", "0"}, ind, first_line);
        tempo_points(p, edits);
        markers(p, edits);
        ext_state(p, edits);

        const auto& now = p.tracks;
        const std::size_t loaded = x_.tracks.size();
        bool in_place = now.size() >= loaded;
        for (std::size_t k = 0; in_place && k < loaded; ++k) {
            in_place = now[k]->origin == &x_.tracks[k];
        }
        Emitter emit(*this, lines_, edits);
        std::uint32_t cursor = 0;
        if (in_place) {
            for (std::size_t k = 0; k < loaded; ++k) {
                emit(cursor, x_.tracks[k].open);
                track(*now[k]);
                cursor = x_.tracks[k].close + 1;
            }
            // New tracks follow the last loaded one, or end the project.
            const std::uint32_t at = loaded > 0 ? cursor : x_.root_close;
            emit(cursor, at);
            for (std::size_t k = loaded; k < now.size(); ++k) track(*now[k]);
            cursor = at;
        } else {
            const std::uint32_t at = x_.tracks.front().open;
            emit(0, at);
            for (const sim::Track* t : now) track(*t);
            cursor = at;
            for (const TrackNode& node : x_.tracks) {
                emit(cursor, node.open);
                cursor = node.close + 1;
            }
        }
        emit(cursor, d.size());
        return error_.message.empty();
    }

    void track(const sim::Track& t) {
        const TrackNode* node = Index::track_of(t.origin);
        if (node == nullptr || node->index != &x_) {
            fresh_track(t, "  ");
            return;
        }
        const Document& d = x_.doc;
        std::vector<Edit> edits;
        const std::string ind = lines_.child(node->open);
        const auto where = [&, node](std::string_view key) {
            return [&d, node, key] {
                return place(d, node->open + 1, node->head_end, kTrackOrder, key, node->open + 1);
            };
        };
        // The track's own NAME and SEL, as the file has them.
        const std::uint32_t name_line = node->name, sel_line = node->sel;
        const std::string was_name = loaded_name(*node);
        const bool was_selected = loaded_selected(*node);
        // A GUID a script gave the track goes in its header, the header's other fields kept.
        const Parsed head = classify(d.content(node->open));
        if (!t.guid.empty() && t.guid != FieldList(head.rest).value(0)) {
            std::vector<std::string> fields = raw_fields(head.rest);
            if (fields.empty()) fields.emplace_back();
            fields[0] = t.guid;
            edits.push_back(Edit{
                node->open, node->open + 1,
                make_line(lines_.indent(node->open), "<TRACK", fields, lines_.ending(node->open))});
        }
        put_line(lines_, edits, name_line, "NAME", {{0, quote(t.name), t.name != was_name}},
                 {"\"\""}, ind, where("NAME"));
        put_line(lines_, edits, sel_line, "SEL",
                 {{0, bool_text(t.selected), t.selected != was_selected}}, {"0"}, ind,
                 where("SEL"));

        const auto& now = t.items;
        bool in_place = now.size() == node->item_count;
        for (std::size_t k = 0; in_place && k < now.size(); ++k) {
            const ItemNode& loaded = x_.items[node->first_item + k];
            // A moved item puts the track's items in position order again.
            in_place = now[k]->origin == &loaded &&
                       now[k]->params.value(ItemParams::slot("D_POSITION")) == loaded.position;
        }
        Emitter emit(*this, lines_, edits);
        std::uint32_t cursor = node->open;
        if (in_place) {
            for (std::size_t k = 0; k < now.size(); ++k) {
                const ItemNode& loaded = x_.items[node->first_item + k];
                emit(cursor, loaded.open);
                items_.item(*now[k], std::string(classify(d.content(loaded.open)).indent));
                cursor = loaded.close + 1;
            }
        } else {
            emit(cursor, node->head_end);
            items_in_order(now, ind);
            cursor = node->head_end;
            for (std::uint32_t k = 0; k < node->item_count; ++k) {
                const ItemNode& loaded = x_.items[node->first_item + k];
                emit(cursor, loaded.open);
                cursor = loaded.close + 1;
            }
        }
        emit(cursor, node->close + 1);
    }

    void items_in_order(std::vector<sim::Item*> items, const std::string& indent) {
        std::stable_sort(items.begin(), items.end(), [](const sim::Item* a, const sim::Item* b) {
            return a->params.value(ItemParams::slot("D_POSITION")) <
                   b->params.value(ItemParams::slot("D_POSITION"));
        });
        for (const sim::Item* i : items) items_.item(*i, indent);
    }

    void fresh_track(const sim::Track& t, const std::string& ind) {
        const std::string inner = ind + "  ";
        const std::string& eol = x_.doc.eol();
        out_ += ind + "<TRACK " + (t.guid.empty() ? fresh_guid() : t.guid) + eol;
        out_ += make_line(inner, "NAME", {quote(t.name)}, eol);
        out_ += make_line(inner, "SEL", {bool_text(t.selected)}, eol);
        items_in_order(t.items, inner);
        out_ += ind + ">" + eol;
    }

    std::string fresh_guid() {
        return host_ != nullptr ? host_->fresh_guid() : "{00000000-0000-0000-0000-000000000000}";
    }

private:
    // Nothing the file cannot hold gets written: every value it would take must be finite.
    bool check(const sim::Project& p) {
        const auto bad = [&](std::string what) {
            error_ = Error{0, what + " is not a finite number; nothing saved"};
            return false;
        };
        if (!std::isfinite(p.cursor)) return bad("the edit cursor");
        if (!std::isfinite(p.frame_rate)) return bad("the frame rate");
        if (!std::isfinite(p.tempo.bpm)) return bad("the tempo");
        for (const sim::Marker& m : p.markers) {
            if (!std::isfinite(m.position) || !std::isfinite(m.end)) return bad("a marker");
        }
        // A line of the file holds no line break.
        const auto one_line = [](std::string_view text) {
            return text.find_first_of("\r\n") == std::string_view::npos;
        };
        for (const auto& [name, keys] : p.ext_state) {
            bool fits = one_line(name);
            for (const auto& [key, value] : keys) fits = fits && one_line(key) && one_line(value);
            if (!fits) {
                error_ =
                    Error{0, "project ext state " + name + " holds a line break; nothing saved"};
                return false;
            }
        }
        const auto where = [](std::size_t t, std::size_t i) {
            return "track " + std::to_string(t + 1) + " item " + std::to_string(i + 1);
        };
        for (std::size_t t = 0; t < p.tracks.size(); ++t) {
            const auto& items = p.tracks[t]->items;
            for (std::size_t i = 0; i < items.size(); ++i) {
                for (const auto& [name, v] : items[i]->params) {
                    if (!std::isfinite(v)) return bad(where(t, i) + " " + std::string(name));
                }
                if (!std::isfinite(items[i]->snap_offset))
                    return bad(where(t, i) + " D_SNAPOFFSET");
                for (const sim::Take* take : items[i]->takes) {
                    for (const auto& [name, v] : take->params) {
                        if (!std::isfinite(v))
                            return bad(where(t, i) + " take " + std::string(name));
                    }
                }
            }
        }
        return true;
    }

    void tempo_points(const sim::Project& p, std::vector<Edit>& edits) {
        const auto& was = x_.loaded.tempo.points;
        const auto& now = p.tempo.points;
        if (now == was) return;
        const ProjectLines& pl = x_.project;
        const std::string& eol = x_.doc.eol();
        const auto make = [&](const sim::TempoPoint& t, const std::string& ind) {
            std::vector<std::string> fields{number(t.position), number(t.bpm),
                                            std::to_string(t.shape)};
            if (t.num > 0 && t.denom > 0) {
                fields.push_back(std::to_string(static_cast<std::uint32_t>(t.num) |
                                                static_cast<std::uint32_t>(t.denom) << 16));
            }
            return make_line(ind, "PT", fields, eol);
        };
        if (pl.tempo_env_open == kNone) {
            std::string text = "  <TEMPOENVEX" + eol;
            text += make_line("    ", "EGUID", {fresh_guid()}, eol);
            text += make_line("    ", "ACT", {"1", "-1"}, eol);
            text += make_line("    ", "VIS", {"1", "0", "1"}, eol);
            text += make_line("    ", "LANEHEIGHT", {"0", "0"}, eol);
            text += make_line("    ", "ARM", {"0"}, eol);
            text += make_line("    ", "DEFSHAPE", {"1", "-1", "-1"}, eol);
            for (const sim::TempoPoint& t : now) text += make(t, "    ");
            text += "  >" + eol;
            const std::uint32_t at = pl.marker_after;
            edits.push_back(Edit{at, at, std::move(text)});
            return;
        }
        const std::string ind = lines_.child(pl.tempo_env_open);
        list_edits(
            edits, pl.tempo_points, was.size(), now.size(),
            pl.tempo_points.empty() ? pl.tempo_env_close : pl.tempo_points.back() + 1,
            [&](std::size_t i) { return now[i] == was[i]; },
            [&](std::size_t i, std::uint32_t line) {
                const sim::TempoPoint& t = now[i];
                if (line == kNone) return make(t, ind);
                const sim::TempoPoint& w = was[i];
                return spliced(lines_, line,
                               {{0, number(t.position), t.position != w.position},
                                {1, number(t.bpm), t.bpm != w.bpm},
                                {2, std::to_string(t.shape), t.shape != w.shape},
                                {3,
                                 std::to_string(static_cast<std::uint32_t>(t.num) |
                                                static_cast<std::uint32_t>(t.denom) << 16),
                                 t.num != w.num || t.denom != w.denom}});
            });
    }
    void markers(const sim::Project& p, std::vector<Edit>& edits) {
        const ProjectLines& pl = x_.project;
        const auto& was = x_.loaded.markers;
        const std::string& eol = x_.doc.eol();
        // Markers the project still has, by the line they came from.
        std::vector<const sim::Marker*> kept(was.size(), nullptr);
        std::string added;
        for (const sim::Marker& m : p.markers) {
            const auto* lines = static_cast<const ProjectLines::MarkerLines*>(m.origin);
            const std::less<const void*> before;
            const bool ours = lines != nullptr && !pl.markers.empty() &&
                              !before(lines, pl.markers.data()) &&
                              before(lines, pl.markers.data() + pl.markers.size());
            if (!ours) {
                added += marker_lines(m, eol);
                continue;
            }
            kept[static_cast<std::size_t>(lines - pl.markers.data())] = &m;
        }
        for (std::size_t k = 0; k < was.size(); ++k) {
            const ProjectLines::MarkerLines& lines = pl.markers[k];
            const std::uint32_t last = (lines.end_line != kNone ? lines.end_line : lines.line) + 1;
            const sim::Marker* m = kept[k];
            if (m == nullptr) {
                drop(edits, lines.line, lines.line + 1);
                if (lines.end_line != kNone) drop(edits, lines.end_line, lines.end_line + 1);
                continue;
            }
            const sim::Marker& w = was[k];
            if (m->region != w.region) {
                drop(edits, lines.line, lines.line + 1);
                if (lines.end_line != kNone) drop(edits, lines.end_line, lines.end_line + 1);
                added += marker_lines(*m, eol);
                continue;
            }
            const int flags_was = [&] {
                int f = 0;
                const FieldList fl(classify(x_.doc.content(lines.line)).rest);
                double v = 0;
                if (parse_double(fl.value(3), v)) f = static_cast<int>(v);
                return f;
            }();
            put_line(lines_, edits, lines.line, "MARKER",
                     {{0, std::to_string(m->number), m->number != w.number},
                      {1, number(m->position), m->position != w.position},
                      {2, quote(m->name), m->name != w.name},
                      {3, std::to_string(flags_was), false},
                      {4, std::to_string(m->color), m->color != w.color}},
                     {}, "  ", [] { return std::uint32_t{0}; });
            if (lines.end_line != kNone) {
                put_line(lines_, edits, lines.end_line, "MARKER",
                         {{0, std::to_string(m->number), m->number != w.number},
                          {1, number(m->end), m->end != w.end}},
                         {}, "  ", [] { return std::uint32_t{0}; });
            }
            (void)last;
        }
        if (!added.empty()) {
            const std::uint32_t at = pl.markers.empty() ? pl.marker_after
                                                        : (pl.markers.back().end_line != kNone
                                                               ? pl.markers.back().end_line
                                                               : pl.markers.back().line) +
                                                              1;
            edits.push_back(Edit{at, at, std::move(added)});
        }
    }

    // SetProjExtState's strings: in the <EXTSTATE block, changed values rewritten, gone keys
    // dropped, new ones added to their section; what the block holds besides stays.
    void ext_state(const sim::Project& p, std::vector<Edit>& edits) {
        const auto& now = p.ext_state;
        if (now == x_.loaded.ext_state) return;
        const ProjectLines& pl = x_.project;
        const Document& d = x_.doc;
        const std::string& eol = d.eol();
        using Keys = std::map<std::string, std::string>;
        const auto pair = [&](const std::string& ind, const std::string& key,
                              const std::string& value, std::string_view end) {
            return make_line(ind, quote(key), {quote(value)}, end);
        };
        const auto section = [&](const std::string& name, const Keys& keys,
                                 const std::string& ind) {
            std::string text = ind + "<" + quote(name) + eol;
            for (const auto& [k, v] : keys) text += pair(ind + "  ", k, v, eol);
            return text + ind + ">" + eol;
        };
        if (pl.ext_state_open == kNone) {
            std::string text = "  <EXTSTATE" + eol;
            for (const auto& [name, keys] : now) text += section(name, keys, "    ");
            text += "  >" + eol;
            const std::uint32_t at = x_.tracks.empty() ? x_.root_close : x_.tracks.front().open;
            edits.push_back(Edit{at, at, std::move(text)});
            return;
        }
        const std::uint32_t open = pl.ext_state_open, close = pl.ext_state_close;
        std::string text;
        lines_.copy(text, open, open + 1);
        std::set<std::string> written;
        std::string name, key, value;
        for (std::uint32_t i = open + 1; i < close; ++i) {
            if (classify(d.content(i)).kind != Kind::open || !block_name(d.content(i), name)) {
                const std::uint32_t last =
                    classify(d.content(i)).kind == Kind::open ? d.close_of(i) : i;
                lines_.copy(text, i, last + 1);
                i = last;
                continue;
            }
            const std::uint32_t end = d.close_of(i);
            // A section named twice in the file gets its keys once, in its first block.
            const auto found = written.insert(name).second ? now.find(name) : now.end();
            const Keys none;
            const Keys& keys = found != now.end() ? found->second : none;
            std::set<std::string> done;
            std::string body;
            bool kept = false;
            for (std::uint32_t j = i + 1; j < end; ++j) {
                if (classify(d.content(j)).kind == Kind::open ||
                    !key_value(d.content(j), key, value)) {
                    const std::uint32_t last =
                        classify(d.content(j)).kind == Kind::open ? d.close_of(j) : j;
                    lines_.copy(body, j, last + 1);
                    j = last;
                    kept = true;
                    continue;
                }
                const auto k = keys.find(key);
                if (k == keys.end() || !done.insert(key).second) continue;
                if (k->second == value) {
                    lines_.copy(body, j, j + 1);
                } else {
                    body += pair(lines_.indent(j), key, k->second, lines_.ending(j));
                }
            }
            for (const auto& [k, v] : keys) {
                if (done.count(k) == 0) body += pair(lines_.child(i), k, v, eol);
            }
            if (!keys.empty() || kept) {
                lines_.copy(text, i, i + 1);
                text += body;
                lines_.copy(text, end, end + 1);
            }
            i = end;
        }
        for (const auto& [n, keys] : now) {
            if (written.count(n) == 0) text += section(n, keys, lines_.child(open));
        }
        lines_.copy(text, close, close + 1);
        edits.push_back(Edit{open, close + 1, std::move(text)});
    }

    std::string marker_lines(const sim::Marker& m, const std::string& eol) {
        const std::string flags = m.region ? "1" : "0";
        std::string text = make_line(
            "  ", "MARKER",
            {std::to_string(m.number), number(m.position), quote(m.name), flags,
             std::to_string(m.color), "1", "B", m.guid.empty() ? fresh_guid() : m.guid, "0"},
            eol);
        if (m.region) {
            text += make_line("  ", "MARKER",
                              {std::to_string(m.number), number(m.end), "\"\"", flags}, eol);
        }
        return text;
    }

    const Index& x_;
    Error& error_;
    sim::Host* host_;
    ItemWriter items_;
    Lines lines_;
};

}  // namespace

bool render_project(const Index& index, const sim::Project& project, sim::Host* host,
                    std::string& out, Error& error) {
    out.clear();
    out.reserve(index.doc.text().size() + index.doc.text().size() / 8);
    error = Error{};
    return ProjectWriter(index, out, error, host).project(project);
}

void render_item(sim::Host* host, const sim::Item& item, std::string_view indent,
                 std::string_view eol, std::string& out) {
    ItemWriter writer(out, std::string(eol), host);
    if (const ItemNode* node = Index::item_of(item.origin)) {
        writer.format = node->index->format;
        writer.next_iid = node->index->format.max_iid + 1;
    }
    writer.item(item, std::string(indent));
}

void render_track(sim::Host* host, const sim::Track& track, std::string& out) {
    Error error;
    if (const TrackNode* node = Index::track_of(track.origin)) {
        ProjectWriter(*node->index, out, error, host).track(track);
        return;
    }
    const Index none;
    ProjectWriter(none, out, error, host).fresh_track(track, "");
}

}  // namespace rpp
