#include "sim/rpp_project.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <unordered_map>
#include <utility>

namespace sim::rpp {

namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);
constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;

// Formats REAPER decodes itself; a file of one of these that cannot be decoded is offline.
constexpr std::string_view kAudioTypes[] = {"WAVE", "MP3", "FLAC", "VORBIS", "OPUS"};

// The line orders REAPER writes, used to place a line a file left out.
constexpr std::string_view kItemOrder[] = {
    "POSITION", "SNAPOFFS", "LENGTH",           "LOOP",  "ALLTAKES",    "COLOR", "BEAT",  "FADEIN",
    "FADEOUT",  "MUTE",     "FADEFLAG",         "LOCK",  "IMPLIEDWARP", "SEL",   "GROUP", "IGUID",
    "IID",      "NOTES",    "IMGRESOURCEFLAGS", "VOLPAN"};
constexpr std::string_view kTakeOrder[] = {"NAME",     "VOLPAN",   "TAKEVOLPAN", "SOFFS",
                                           "PLAYRATE", "CHANMODE", "TAKECOLOR",  "GUID",
                                           "RECPASS",  "SOURCE"};
constexpr std::string_view kTrackOrder[] = {
    "NAME",     "PEAKCOL", "BEAT",    "AUTOMODE",  "VOLPAN",   "MUTESOLO", "IPHASE",
    "PLAYOFFS", "ISBUS",   "BUSCOMP", "SHOWINMIX", "FREEMODE", "SEL"};
// Lines and blocks that belong to a take, so an item's first take starts at the first of them.
constexpr std::string_view kTakeKeys[] = {
    "NAME",    "TAKEVOLPAN", "SOFFS",  "PLAYRATE",   "CHANMODE", "TAKECOLOR", "GUID",
    "RECPASS", "SOURCE",     "TAKEFX", "TAKEFX_NCH", "SM",       "TKM"};

template <std::size_t N>
std::size_t rank(const std::string_view (&order)[N], std::string_view key) {
    for (std::size_t i = 0; i < N; ++i) {
        if (order[i] == key) return i;
    }
    return npos;
}

template <std::size_t N>
bool listed(const std::string_view (&names)[N], std::string_view key) {
    return rank(names, key) != npos;
}

bool blank(char c) {
    return c == ' ' || c == '\t';
}

enum class Kind { plain, open, close };

struct Parsed {
    Kind kind = Kind::plain;
    std::string_view indent;
    std::string_view key;
    std::string_view rest;  // after the key and its space
};

Parsed classify(std::string_view content) {
    Parsed p;
    std::size_t i = 0;
    while (i < content.size() && blank(content[i])) ++i;
    p.indent = content.substr(0, i);
    std::string_view body = content.substr(i);
    if (!body.empty() && body.front() == '<') {
        p.kind = Kind::open;
        body.remove_prefix(1);
    } else {
        std::string_view trimmed = body;
        while (!trimmed.empty() && blank(trimmed.back())) trimmed.remove_suffix(1);
        if (trimmed == ">") {
            p.kind = Kind::close;
            return p;
        }
    }
    const std::size_t space = body.find(' ');
    p.key = body.substr(0, space);
    p.rest = space == std::string_view::npos ? std::string_view() : body.substr(space + 1);
    return p;
}

bool parse_double(std::string_view text, double& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && std::isfinite(out);
}

std::string quote_as(std::string_view raw, bool always) {
    // The format has no escapes: a line break (or another control character) in a name would end
    // the line, so it becomes a space.
    std::string clean(raw);
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = ' ';
    }
    const std::string_view text = clean;
    const bool dq = text.find('"') != std::string_view::npos;
    const bool sq = text.find('\'') != std::string_view::npos;
    const bool bare = !always && !text.empty() && text.find(' ') == std::string_view::npos &&
                      text.front() != '"' && text.front() != '\'' && text.front() != '`';
    if (bare) return std::string(text);
    if (!dq) return "\"" + std::string(text) + "\"";
    if (!sq) return "'" + std::string(text) + "'";
    std::string inner(text);
    std::replace(inner.begin(), inner.end(), '`', '\'');
    return "`" + inner + "`";
}

// ---- the parsed file ----

struct Line {
    std::uint32_t begin = 0;
    std::uint32_t content_end = 0;  // before the line ending
    std::uint32_t end = 0;          // after it
};

struct SourceNode {
    std::size_t open = 0;
    std::size_t close = 0;
    std::string type;
    std::string file;
    std::size_t file_line = npos;
    std::size_t inner = npos;      // the first source nested directly inside
    double section_length = -1.0;  // a section's own LENGTH
    SourceSpec loaded;             // the media the host got
};

struct TakeNode {
    std::size_t marker = npos;  // its TAKE line; none for the first slot
    std::size_t first = npos;   // its first line
    std::size_t end = npos;     // one past its last line
    bool empty = false;         // TAKE NULL, or a first slot with no lines
    bool selected = false;      // TAKE SEL
    std::size_t name = npos, volpan = npos, soffs = npos, playrate = npos, chanmode = npos;
    std::size_t source = npos;
    TakeSpec read;  // the values as the file has them
    std::array<double, std::size(kTakeParameters)> loaded{};
    const Source* loaded_source = nullptr;
};

struct ItemNode {
    std::size_t open = 0;
    std::size_t close = 0;
    std::size_t position = npos, length = npos, loop = npos, fadein = npos, fadeout = npos,
                mute = npos, lock = npos, sel = npos, volpan = npos;
    std::size_t first_marker = npos;
    std::size_t first_take = 0;
    std::size_t take_count = 0;
    ItemSpec read;  // the values as the file has them (no takes)
    std::array<double, std::size(kItemParameters)> loaded{};
    int loaded_active = 0;
};

struct TrackNode {
    std::size_t open = 0;
    std::size_t close = 0;
    std::size_t name = npos, sel = npos;
    std::size_t first_item = 0;
    std::size_t item_count = 0;
    std::string name_value;
    bool selected = false;
};

struct Doc {
    std::string text;
    std::vector<Line> lines;
    std::string eol = "\n";
    std::size_t root_close = 0;
    std::size_t cursor_line = npos, timemode_line = npos;
    double cursor = 0.0;
    double frame_rate = 30.0;
    std::size_t fade_fields = 0;  // 6 or 7 as the file writes them; 0 until seen
    std::size_t mute_fields = 0;  // 1 or 2
    long long max_iid = 0;
    std::vector<TrackNode> tracks;
    std::vector<ItemNode> items;
    std::vector<TakeNode> takes;
    std::vector<SourceNode> sources;

    std::string_view content(std::size_t i) const {
        return std::string_view(text).substr(lines[i].begin, lines[i].content_end - lines[i].begin);
    }
    std::string_view ending(std::size_t i) const {
        return std::string_view(text).substr(lines[i].content_end,
                                             lines[i].end - lines[i].content_end);
    }
    // The line that closes the block opened on line `open`.
    std::size_t close_of(std::size_t open) const {
        int depth = 0;
        for (std::size_t i = open; i < lines.size(); ++i) {
            const Kind kind = classify(content(i)).kind;
            if (kind == Kind::open) ++depth;
            if (kind == Kind::close && --depth == 0) return i;
        }
        return lines.size() - 1;
    }
};

Error at(std::size_t line_index, std::string message) {
    return Error{line_index + 1, std::move(message)};
}

bool split_lines(Doc& d, Error& error) {
    const std::string& t = d.text;
    if (t.empty()) {
        error = Error{0, "the file is empty"};
        return false;
    }
    if (t.size() > kMaxFileSize) {
        error = Error{0, "the file is larger than 1 GiB"};
        return false;
    }
    std::size_t begin = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto c = static_cast<unsigned char>(t[i]);
        if (c >= 0x20 || c == '\t') continue;
        const bool crlf = c == '\r' && i + 1 < t.size() && t[i + 1] == '\n';
        if (c != '\n' && !crlf) {
            char byte[8];
            std::snprintf(byte, sizeof byte, "0x%02x", c);
            error = at(d.lines.size(), std::string("binary data (byte ") + byte + ")");
            return false;
        }
        const std::size_t end = crlf ? i + 2 : i + 1;
        d.lines.push_back(Line{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(i),
                               static_cast<std::uint32_t>(end)});
        if (d.lines.size() == 1 && crlf) d.eol = "\r\n";
        i = end - 1;
        begin = end;
    }
    if (begin < t.size()) {
        const auto size = static_cast<std::uint32_t>(t.size());
        d.lines.push_back(Line{static_cast<std::uint32_t>(begin), size, size});
    }
    return true;
}

// Reads the numbers of one line into the host's values, naming the line when one is not a number.
class Fields {
public:
    Fields(std::string_view key, std::string_view rest, std::size_t line, Error& error)
        : key_(key), fields_(split_fields(rest)), line_(line), error_(error) {}

    std::size_t size() const { return fields_.size(); }
    std::string_view text(std::size_t i) const {
        return i < fields_.size() ? fields_[i].value : std::string_view();
    }
    bool number(std::size_t i, double& out) {
        if (i >= fields_.size()) return true;
        double value = 0.0;
        if (!parse_double(fields_[i].value, value)) {
            error_ = at(line_, std::string(key_) + " field " + std::to_string(i + 1) + " (\"" +
                                   std::string(fields_[i].value) + "\") is not a number");
            return false;
        }
        out = value;
        return true;
    }
    bool integer(std::size_t i, int& out) {
        double value = out;
        if (!number(i, value)) return false;
        if (std::fabs(value) > 1e9) {
            error_ = at(line_,
                        std::string(key_) + " field " + std::to_string(i + 1) + " is out of range");
            return false;
        }
        out = static_cast<int>(value);
        return true;
    }
    bool boolean(std::size_t i, bool& out) {
        double value = out ? 1.0 : 0.0;
        if (!number(i, value)) return false;
        out = value != 0.0;
        return true;
    }

private:
    std::string_view key_;
    std::vector<Field> fields_;
    std::size_t line_;
    Error& error_;
};

enum class Frame { project, track, item, source, other };

class Builder {
public:
    Builder(Doc& d, Error& error) : d_(d), error_(error) {}

    bool run() {
        for (std::size_t i = 0; i < d_.lines.size(); ++i) {
            if (!line(i)) return false;
        }
        if (!stack_.empty()) {
            return fail(d_.lines.size() - 1, "the file ends inside the block opened on line " +
                                                 std::to_string(stack_.back().line + 1) +
                                                 " (truncated?)");
        }
        return true;
    }

private:
    struct Open {
        Frame kind;
        std::size_t node;
        std::size_t line;
    };

    bool fail(std::size_t i, std::string message) {
        error_ = at(i, std::move(message));
        return false;
    }

    bool line(std::size_t i) {
        const Parsed p = classify(d_.content(i));
        if (i == 0) {
            if (p.kind != Kind::open || p.key != "REAPER_PROJECT") {
                return fail(i, "not a REAPER project: the file must start with <REAPER_PROJECT");
            }
            stack_.push_back(Open{Frame::project, 0, i});
            return true;
        }
        if (stack_.empty()) {
            // Blank lines after the end are kept as they are; anything else is not a project.
            if (p.kind == Kind::plain && p.key.empty() && p.rest.empty()) return true;
            return fail(i, "text after the end of the project");
        }
        const Open parent = stack_.back();
        if (p.kind == Kind::close) return close(i);
        if (p.kind == Kind::open) return open(i, p, parent);
        if (parent.kind == Frame::other) return true;  // payloads: kept as text, never read
        Fields fields(p.key, p.rest, i, error_);
        switch (parent.kind) {
            case Frame::project:
                return project_line(i, p.key, fields);
            case Frame::track:
                return track_line(i, p.key, fields, d_.tracks[parent.node]);
            case Frame::item:
                return item_line(i, p.key, fields, d_.items[parent.node]);
            case Frame::source:
                return source_line(i, p.key, fields, d_.sources[parent.node]);
            case Frame::other:
                return true;
        }
        return true;
    }

    bool open(std::size_t i, const Parsed& p, const Open& parent) {
        Open frame{Frame::other, 0, i};
        if (p.key == "TRACK") {
            if (parent.kind != Frame::project) return fail(i, "a track outside the project");
            frame = Open{Frame::track, d_.tracks.size(), i};
            d_.tracks.push_back(TrackNode{});
            d_.tracks.back().open = i;
            d_.tracks.back().first_item = d_.items.size();
        } else if (p.key == "ITEM") {
            if (parent.kind != Frame::track) return fail(i, "an item outside a track");
            frame = Open{Frame::item, d_.items.size(), i};
            d_.items.push_back(ItemNode{});
            d_.items.back().open = i;
            d_.items.back().first_take = d_.takes.size();
            ++d_.tracks[parent.node].item_count;
        } else if (p.key == "SOURCE" &&
                   (parent.kind == Frame::item || parent.kind == Frame::source)) {
            const std::size_t index = d_.sources.size();
            d_.sources.push_back(SourceNode{});
            SourceNode& source = d_.sources.back();
            source.open = i;
            source.type = std::string(Fields(p.key, p.rest, i, error_).text(0));
            if (parent.kind == Frame::source) {
                SourceNode& outer = d_.sources[parent.node];
                if (outer.inner == npos) outer.inner = index;
            } else {
                ItemNode& item = d_.items[parent.node];
                TakeNode* take = current_take(item, i);
                if (take->source == npos) take->source = index;
            }
            frame = Open{Frame::source, index, i};
        } else if (parent.kind == Frame::item && listed(kTakeKeys, p.key)) {
            current_take(d_.items[parent.node], i);
        }
        stack_.push_back(frame);
        return true;
    }

    bool close(std::size_t i) {
        const Open frame = stack_.back();
        stack_.pop_back();
        switch (frame.kind) {
            case Frame::project:
                d_.root_close = i;
                break;
            case Frame::track:
                d_.tracks[frame.node].close = i;
                break;
            case Frame::item: {
                ItemNode& item = d_.items[frame.node];
                item.close = i;
                if (item.take_count > 0) d_.takes.back().end = i;
                int active = 0;
                for (std::size_t k = 0; k < item.take_count; ++k) {
                    if (d_.takes[item.first_take + k].selected) {
                        active = static_cast<int>(k);
                        break;
                    }
                }
                item.read.active_take = active;
                break;
            }
            case Frame::source:
                d_.sources[frame.node].close = i;
                break;
            case Frame::other:
                break;
        }
        return true;
    }

    // The slot the item's lines go to now; the first slot is made by its first line.
    TakeNode* current_take(ItemNode& item, std::size_t i) {
        if (item.take_count == 0) {
            d_.takes.push_back(TakeNode{});
            d_.takes.back().first = i;
            ++item.take_count;
        }
        return &d_.takes.back();
    }

    bool project_line(std::size_t i, std::string_view key, Fields& f) {
        if (key == "CURSOR" && d_.cursor_line == npos) {
            d_.cursor_line = i;
            return f.number(0, d_.cursor);
        }
        if (key == "TIMEMODE" && d_.timemode_line == npos) {
            d_.timemode_line = i;
            double rate = d_.frame_rate;
            if (!f.number(3, rate)) return false;
            if (rate > 0.0) d_.frame_rate = rate;
        }
        return true;
    }

    bool track_line(std::size_t i, std::string_view key, Fields& f, TrackNode& track) {
        if (key == "NAME" && track.name == npos) {
            track.name = i;
            track.name_value = std::string(f.text(0));
        } else if (key == "SEL" && track.sel == npos) {
            track.sel = i;
            return f.boolean(0, track.selected);
        }
        return true;
    }

    bool item_line(std::size_t i, std::string_view key, Fields& f, ItemNode& item) {
        if (key == "TAKE") {
            if (item.take_count == 0) {  // an empty first slot
                d_.takes.push_back(TakeNode{});
                d_.takes.back().empty = true;
                ++item.take_count;
            }
            d_.takes.back().end = i;
            if (item.first_marker == npos) item.first_marker = i;
            TakeNode take;
            take.marker = take.first = i;
            for (std::size_t k = 0; k < f.size(); ++k) {
                take.empty = take.empty || f.text(k) == "NULL";
                take.selected = take.selected || f.text(k) == "SEL";
            }
            d_.takes.push_back(std::move(take));
            ++item.take_count;
            return true;
        }
        if (item.first_marker != npos) {
            TakeNode& take = d_.takes.back();
            return take.empty || take_line(i, key, f, take);
        }
        ItemSpec& s = item.read;
        const auto once = [&](std::size_t& line) {
            if (line != npos) return false;
            line = i;
            return true;
        };
        if (key == "POSITION") return !once(item.position) || f.number(0, s.position);
        if (key == "LENGTH") return !once(item.length) || f.number(0, s.length);
        if (key == "LOOP") return !once(item.loop) || f.boolean(0, s.loop);
        if (key == "FADEIN" || key == "FADEOUT") {
            const bool in = key == "FADEIN";
            if (!once(in ? item.fadein : item.fadeout)) return true;
            if (d_.fade_fields == 0) d_.fade_fields = f.size() == 6 ? 6 : 7;
            return f.integer(0, in ? s.fade_in_shape : s.fade_out_shape) &&
                   f.number(1, in ? s.fade_in : s.fade_out);
        }
        if (key == "MUTE") {
            if (!once(item.mute)) return true;
            if (d_.mute_fields == 0) d_.mute_fields = f.size() == 1 ? 1 : 2;
            return f.boolean(0, s.mute);
        }
        if (key == "LOCK") return !once(item.lock) || f.integer(0, s.lock);
        if (key == "SEL") return !once(item.sel) || f.boolean(0, s.selected);
        if (key == "IID") {
            double iid = 0.0;
            if (parse_double(f.text(0), iid) && iid < 1e15) {
                d_.max_iid = std::max(d_.max_iid, static_cast<long long>(iid));
            }
            return true;
        }
        if (key == "VOLPAN") {
            if (!once(item.volpan)) return true;
            if (!f.number(0, s.vol)) return false;
            if (f.size() < 2) return true;
            TakeNode* take = current_take(item, i);
            return f.number(1, take->read.pan) && f.number(2, take->read.vol);
        }
        if (listed(kTakeKeys, key)) return take_line(i, key, f, *current_take(item, i));
        return true;
    }

    bool take_line(std::size_t i, std::string_view key, Fields& f, TakeNode& take) {
        TakeSpec& s = take.read;
        if (key == "NAME" && take.name == npos) {
            take.name = i;
            s.name = std::string(f.text(0));
        } else if (key == "TAKEVOLPAN" && take.marker != npos && take.volpan == npos) {
            // The first slot's pan and volume are in the item's VOLPAN line.
            take.volpan = i;
            return f.number(0, s.pan) && f.number(1, s.vol);
        } else if (key == "SOFFS" && take.soffs == npos) {
            take.soffs = i;
            return f.number(0, s.start_offset);
        } else if (key == "PLAYRATE" && take.playrate == npos) {
            take.playrate = i;
            return f.number(0, s.rate) && f.boolean(1, s.preserve_pitch) && f.number(2, s.pitch) &&
                   f.integer(3, s.pitch_mode);
        } else if (key == "CHANMODE" && take.chanmode == npos) {
            take.chanmode = i;
            return f.integer(0, s.chan_mode);
        }
        return true;
    }

    bool source_line(std::size_t i, std::string_view key, Fields& f, SourceNode& source) {
        if (key == "FILE" && source.file_line == npos) {
            source.file_line = i;
            source.file = std::string(f.text(0));
        } else if (key == "LENGTH" && source.type == "SECTION" && source.section_length < 0.0) {
            double length = 0.0;
            if (!f.number(0, length)) return false;
            source.section_length = std::max(length, 0.0);
        }
        return true;
    }

    Doc& d_;
    Error& error_;
    std::vector<Open> stack_;
};

template <class T>
const T* own(const std::vector<T>& nodes, const void* origin) {
    if (origin == nullptr || nodes.empty()) return nullptr;
    const std::less<const void*> before;
    if (before(origin, nodes.data()) || !before(origin, nodes.data() + nodes.size()))
        return nullptr;
    return static_cast<const T*>(origin);
}

double value(const std::map<std::string, double, std::less<>>& params, std::string_view name) {
    const auto found = params.find(name);
    return found == params.end() ? 0.0 : found->second;
}

std::string bool_text(double v) {
    return v != 0.0 ? "1" : "0";
}

std::string int_text(double v) {
    return format_number(std::trunc(v));
}

// Indexes into kItemParameters and kTakeParameters.
enum ItemParam {
    kPosition,
    kLength,
    kFadeIn,
    kFadeOut,
    kFadeInShape,
    kFadeOutShape,
    kMute,
    kMuteActual,
    kLoop,
    kLock,
    kItemVol,
    kSelected
};
enum TakeParam {
    kStartOffset,
    kTakeVol,
    kPan,
    kRate,
    kPitch,
    kPreservePitch,
    kChanMode,
    kPitchMode
};

// A line's fields as written, for writing it again with some changed. A quoted field left open
// runs to the end of the line; closed, it reads the same and no longer swallows a field written
// after it.
std::vector<std::string> raw_fields(std::string_view rest) {
    std::vector<std::string> fields;
    for (const Field& f : split_fields(rest)) fields.emplace_back(f.raw);
    if (!fields.empty()) {
        std::string& last = fields.back();
        const char q = last.front();
        if ((q == '"' || q == '\'' || q == '`') && (last.size() == 1 || last.back() != q)) {
            last += q;
        }
    }
    return fields;
}

struct Edit {
    std::size_t first;  // first line replaced, or the line the text goes before
    std::size_t last;   // one past the last line replaced; == first for an insertion
    std::string text;
};

// One field of a modelled line: its text now, and whether it changed since loading.
struct Put {
    std::size_t field;
    std::string text;
    bool changed;
};

}  // namespace

struct ProjectFile::Impl {
    Doc doc;
    Host* host = nullptr;
    Project* project = nullptr;
    double loaded_cursor = 0.0;
    double loaded_frame_rate = 0.0;
};

namespace {

class Renderer {
public:
    Renderer(const Doc& d, std::string& out, Error& error)
        : d_(d), out_(out), error_(error), random_(std::random_device{}()) {
        next_iid_ = d.max_iid + 1;
    }

    bool project(const Project& p, double loaded_cursor, double loaded_frame_rate) {
        if (!check(p)) return false;
        std::vector<Edit> edits;
        const std::string ind = child_indent(0);
        put_line(edits, d_.cursor_line, "CURSOR",
                 {{0, number(p.cursor), p.cursor != loaded_cursor}}, {"0"}, ind,
                 [] { return std::size_t{1}; });
        put_line(edits, d_.timemode_line, "TIMEMODE",
                 {{3, number(p.frame_rate), p.frame_rate != loaded_frame_rate}},
                 {"1", "5", "-1", "30", "0", "0", "-1"}, ind, [] { return std::size_t{1}; });

        const auto& now = p.tracks;
        const std::size_t loaded = d_.tracks.size();
        bool in_place = now.size() >= loaded;
        for (std::size_t k = 0; in_place && k < loaded; ++k) {
            in_place = now[k]->origin == &d_.tracks[k];
        }
        Emitter emit(*this, edits);
        std::size_t cursor = 0;
        if (in_place) {
            for (std::size_t k = 0; k < loaded; ++k) {
                emit(cursor, d_.tracks[k].open);
                track(*now[k]);
                cursor = d_.tracks[k].close + 1;
            }
            // New tracks follow the last loaded one, or end the project.
            const std::size_t at = loaded > 0 ? cursor : d_.root_close;
            emit(cursor, at);
            for (std::size_t k = loaded; k < now.size(); ++k) track(*now[k]);
            cursor = at;
        } else {
            const std::size_t at = d_.tracks.front().open;
            emit(0, at);
            for (const Track* t : now) track(*t);
            cursor = at;
            for (const TrackNode& node : d_.tracks) {
                emit(cursor, node.open);
                cursor = node.close + 1;
            }
        }
        emit(cursor, d_.lines.size());
        return error_.message.empty();
    }

private:
    // Copies lines [a, b) with the edits that fall among them (edits sorted, taken in order).
    class Emitter {
    public:
        Emitter(Renderer& r, std::vector<Edit>& edits) : r_(r), edits_(edits) {
            std::stable_sort(edits_.begin(), edits_.end(), [](const Edit& x, const Edit& y) {
                return x.first != y.first ? x.first < y.first : x.last < y.last;
            });
        }
        // An insertion right before line b goes here, ahead of whatever is written at b next.
        void operator()(std::size_t a, std::size_t b) {
            while (next_ < edits_.size() &&
                   (edits_[next_].first < b ||
                    (edits_[next_].first == b && edits_[next_].last == b))) {
                const Edit& e = edits_[next_++];
                if (e.first < a) continue;
                r_.copy(a, e.first);
                r_.out_ += e.text;
                a = std::max(e.first, e.last);
            }
            r_.copy(a, b);
        }

    private:
        Renderer& r_;
        std::vector<Edit>& edits_;
        std::size_t next_ = 0;
    };

    // Nothing the file cannot hold gets written: every value it would take must be finite.
    bool check(const Project& p) {
        const auto bad = [&](std::string what) {
            error_ = Error{0, what + " is not a finite number; nothing saved"};
            return false;
        };
        if (!std::isfinite(p.cursor)) return bad("the edit cursor");
        if (!std::isfinite(p.frame_rate)) return bad("the frame rate");
        const auto where = [](std::size_t t, std::size_t i) {
            return "track " + std::to_string(t + 1) + " item " + std::to_string(i + 1);
        };
        for (std::size_t t = 0; t < p.tracks.size(); ++t) {
            const auto& items = p.tracks[t]->items;
            for (std::size_t i = 0; i < items.size(); ++i) {
                for (const auto& [name, v] : items[i]->params) {
                    if (!std::isfinite(v)) return bad(where(t, i) + " " + std::string(name));
                }
                for (const Take* take : items[i]->takes) {
                    for (const auto& [name, v] : take->params) {
                        if (!std::isfinite(v))
                            return bad(where(t, i) + " take " + std::string(name));
                    }
                }
            }
        }
        return true;
    }

    void copy(std::size_t a, std::size_t b) {
        if (a >= b) return;
        out_.append(d_.text, d_.lines[a].begin, d_.lines[b - 1].end - d_.lines[a].begin);
    }

    std::string number(double v) { return format_number(v); }

    std::string child_indent(std::size_t open) const {
        return std::string(classify(d_.content(open)).indent) + "  ";
    }

    std::string guid() {
        const std::uint64_t a = random_();
        const std::uint64_t b = random_();
        char text[40];
        std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%04X%08X}",
                      static_cast<unsigned>(a >> 32), static_cast<unsigned>((a >> 16) & 0xffff),
                      static_cast<unsigned>(a & 0xffff), static_cast<unsigned>(b >> 48),
                      static_cast<unsigned>((b >> 32) & 0xffff), static_cast<unsigned>(b));
        return text;
    }

    std::string line(std::string_view indent, std::string_view key,
                     const std::vector<std::string>& fields) const {
        std::string text(indent);
        text += key;
        for (const std::string& f : fields) text += " " + f;
        return text + d_.eol;
    }

    // Where a missing `key` goes among the direct children in [begin, end): after the last one that
    // comes before it in `order`, else at `fallback`.
    template <std::size_t N>
    std::size_t place(std::size_t begin, std::size_t end, const std::string_view (&order)[N],
                      std::string_view key, std::size_t fallback) const {
        const std::size_t wanted = rank(order, key);
        std::size_t at = fallback;
        for (std::size_t i = begin; i < end; ++i) {
            const Parsed p = classify(d_.content(i));
            const std::size_t last = p.kind == Kind::open ? d_.close_of(i) : i;
            const std::size_t r = rank(order, p.key);
            if (p.kind != Kind::close && r != npos && r < wanted) at = last + 1;
            i = last;
        }
        return at;
    }

    // Writes the changed fields of a modelled line in place; a missing line is written whole, at
    // where().
    template <class Where>
    void put_line(std::vector<Edit>& edits, std::size_t at, std::string_view key,
                  const std::vector<Put>& puts, std::vector<std::string> fields,
                  std::string_view indent, Where where) {
        if (std::none_of(puts.begin(), puts.end(), [](const Put& p) { return p.changed; })) return;
        if (at == npos) {
            for (const Put& p : puts) {
                if (fields.size() <= p.field) fields.resize(p.field + 1, "0");
                fields[p.field] = p.text;
            }
            const std::size_t before = where();
            edits.push_back(Edit{before, before, line(indent, key, fields)});
            return;
        }
        const Parsed p = classify(d_.content(at));
        std::vector<std::string> now = raw_fields(p.rest);
        for (const Put& put : puts) {
            if (!put.changed) continue;
            while (now.size() <= put.field) {
                now.push_back(now.size() < fields.size() ? fields[now.size()] : "0");
            }
            now[put.field] = put.text;
        }
        std::string text(p.indent);
        text += p.key;
        for (const std::string& f : now) text += " " + f;
        text += d_.ending(at);
        edits.push_back(Edit{at, at + 1, std::move(text)});
    }

    void track(const Track& t) {
        const TrackNode* node = own(d_.tracks, t.origin);
        if (node == nullptr) {
            fresh_track(t);
            return;
        }
        std::vector<Edit> edits;
        const std::string ind = child_indent(node->open);
        const std::size_t head_end =
            node->item_count > 0 ? d_.items[node->first_item].open : node->close;
        const auto where = [&, node](std::string_view key) {
            return [this, node, head_end, key] {
                return place(node->open + 1, head_end, kTrackOrder, key, node->open + 1);
            };
        };
        put_line(edits, node->name, "NAME", {{0, quote(t.name), t.name != node->name_value}},
                 {"\"\""}, ind, where("NAME"));
        put_line(edits, node->sel, "SEL",
                 {{0, bool_text(t.selected), t.selected != node->selected}}, {"0"}, ind,
                 where("SEL"));

        const auto& now = t.items;
        bool in_place = now.size() == node->item_count;
        for (std::size_t k = 0; in_place && k < now.size(); ++k) {
            const ItemNode& loaded = d_.items[node->first_item + k];
            in_place = now[k]->origin == &loaded &&
                       value(now[k]->params, "D_POSITION") == loaded.loaded[kPosition];
        }
        Emitter emit(*this, edits);
        std::size_t cursor = node->open;
        if (in_place) {
            for (std::size_t k = 0; k < now.size(); ++k) {
                const ItemNode& loaded = d_.items[node->first_item + k];
                emit(cursor, loaded.open);
                item(*now[k], ind);
                cursor = loaded.close + 1;
            }
        } else {
            emit(cursor, head_end);
            items_in_order(now, ind);
            cursor = head_end;
            for (std::size_t k = 0; k < node->item_count; ++k) {
                const ItemNode& loaded = d_.items[node->first_item + k];
                emit(cursor, loaded.open);
                cursor = loaded.close + 1;
            }
        }
        emit(cursor, node->close + 1);
    }

    void items_in_order(std::vector<Item*> items, const std::string& indent) {
        std::stable_sort(items.begin(), items.end(), [](const Item* a, const Item* b) {
            return value(a->params, "D_POSITION") < value(b->params, "D_POSITION");
        });
        for (const Item* i : items) item(*i, indent);
    }

    void fresh_track(const Track& t) {
        const std::string ind = child_indent(0);
        const std::string inner = ind + "  ";
        out_ += ind + "<TRACK " + guid() + d_.eol;
        out_ += line(inner, "NAME", {quote(t.name)});
        out_ += line(inner, "SEL", {bool_text(t.selected)});
        items_in_order(t.items, inner);
        out_ += ind + ">" + d_.eol;
    }

    static bool takes_match(const Item& it, const ItemNode& node, const Doc& d) {
        if (it.takes.size() < node.take_count) return false;
        for (std::size_t k = 0; k < node.take_count; ++k) {
            if (it.takes[k]->origin != &d.takes[node.first_take + k]) return false;
        }
        return true;
    }

    static bool take_unchanged(const Take& t, const TakeNode& node) {
        for (std::size_t p = 0; p < std::size(kTakeParameters); ++p) {
            if (value(t.params, kTakeParameters[p]) != node.loaded[p]) return false;
        }
        return t.name == node.read.name;
    }

    // A loaded empty slot the script left alone.
    bool still_empty(const Take& t) const {
        const TakeNode* node = own(d_.takes, t.origin);
        return node != nullptr && node->empty && t.source == nullptr && take_unchanged(t, *node);
    }

    bool source_unchanged(const Take& t, const TakeNode& node) const {
        if (t.source != node.loaded_source) return false;
        if (t.source == nullptr) return true;
        const SourceNode& s = d_.sources[node.source];
        return t.source->media.file == s.loaded.file && t.source->media.type == s.loaded.type;
    }

    bool item_unchanged(const Item& it, const ItemNode& node) const {
        if (it.takes.size() != node.take_count || it.active_take != node.loaded_active)
            return false;
        for (std::size_t p = 0; p < std::size(kItemParameters); ++p) {
            if (value(it.params, kItemParameters[p]) != node.loaded[p]) return false;
        }
        for (std::size_t k = 0; k < node.take_count; ++k) {
            const TakeNode& tn = d_.takes[node.first_take + k];
            if (!take_unchanged(*it.takes[k], tn) || !source_unchanged(*it.takes[k], tn)) {
                return false;
            }
        }
        return true;
    }

    void item(const Item& it, const std::string& track_indent) {
        const ItemNode* node = own(d_.items, it.origin);
        if (node == nullptr || !takes_match(it, *node, d_)) {
            fresh_item(it, track_indent);
            return;
        }
        if (item_unchanged(it, *node)) {
            copy(node->open, node->close + 1);
            return;
        }
        std::vector<Edit> edits;
        item_edits(it, *node, edits);
        Emitter(*this, edits)(node->open, node->close + 1);
    }

    void item_edits(const Item& it, const ItemNode& n, std::vector<Edit>& edits) {
        const std::string ind = child_indent(n.open);
        const std::size_t head_end = n.first_marker != npos ? n.first_marker : n.close;
        const auto now = [&](ItemParam p) { return value(it.params, kItemParameters[p]); };
        const auto changed = [&](ItemParam p) { return now(p) != n.loaded[p]; };
        const auto where = [&](std::string_view key) {
            return [this, &n, head_end, key] {
                return place(n.open + 1, head_end, kItemOrder, key, n.open + 1);
            };
        };
        put_line(edits, n.position, "POSITION", {{0, number(now(kPosition)), changed(kPosition)}},
                 {"0"}, ind, where("POSITION"));
        put_line(edits, n.length, "LENGTH", {{0, number(now(kLength)), changed(kLength)}}, {"0"},
                 ind, where("LENGTH"));
        put_line(edits, n.loop, "LOOP", {{0, bool_text(now(kLoop)), changed(kLoop)}}, {"0"}, ind,
                 where("LOOP"));
        const std::vector<std::string> fade(d_.fade_fields == 6 ? 6 : 7, "0");
        put_line(edits, n.fadein, "FADEIN",
                 {{0, int_text(now(kFadeInShape)), changed(kFadeInShape)},
                  {1, number(now(kFadeIn)), changed(kFadeIn)},
                  {3, int_text(now(kFadeInShape)), false}},
                 fade, ind, where("FADEIN"));
        put_line(edits, n.fadeout, "FADEOUT",
                 {{0, int_text(now(kFadeOutShape)), changed(kFadeOutShape)},
                  {1, number(now(kFadeOut)), changed(kFadeOut)},
                  {3, int_text(now(kFadeOutShape)), false}},
                 fade, ind, where("FADEOUT"));
        put_line(edits, n.mute, "MUTE", {{0, bool_text(now(kMute)), changed(kMute)}},
                 std::vector<std::string>(d_.mute_fields == 1 ? 1 : 2, "0"), ind, where("MUTE"));
        put_line(edits, n.lock, "LOCK", {{0, int_text(now(kLock)), changed(kLock)}}, {"0"}, ind,
                 where("LOCK"));
        put_line(edits, n.sel, "SEL", {{0, bool_text(now(kSelected)), changed(kSelected)}}, {"0"},
                 ind, where("SEL"));

        // When the first slot gains a take, its VOLPAN line gets the take's pan and volume, in
        // place (a line that comes first must stay first); the rest of its lines are written new.
        const Take* first = it.takes.empty() ? nullptr : it.takes.front();
        const TakeNode* first_node = n.take_count > 0 ? &d_.takes[n.first_take] : nullptr;
        const bool first_written_whole =
            first != nullptr &&
            (first_node == nullptr || (first_node->empty && !still_empty(*first)));
        if (first_written_whole) {
            if (n.volpan != npos) {
                const auto take_now = [&](TakeParam p) {
                    return value(first->params, kTakeParameters[p]);
                };
                std::string text = line(classify(d_.content(n.volpan)).indent, "VOLPAN",
                                        {number(now(kItemVol)), number(take_now(kPan)),
                                         number(take_now(kTakeVol)), "-1"});
                text.resize(text.size() - d_.eol.size());
                edits.push_back(
                    Edit{n.volpan, n.volpan + 1, text + std::string(d_.ending(n.volpan))});
            }
        } else if (first_node != nullptr && !first_node->empty) {
            const auto take_now = [&](TakeParam p) {
                return value(first->params, kTakeParameters[p]);
            };
            const auto take_changed = [&](TakeParam p) {
                return take_now(p) != first_node->loaded[p];
            };
            put_line(edits, n.volpan, "VOLPAN",
                     {{0, number(now(kItemVol)), changed(kItemVol)},
                      {1, number(take_now(kPan)), take_changed(kPan)},
                      {2, number(take_now(kTakeVol)), take_changed(kTakeVol)}},
                     {"1", "0", "1", "-1"}, ind, [this, first_node] {
                         return place(first_node->first, first_node->end, kTakeOrder, "VOLPAN",
                                      first_node->first);
                     });
        } else {
            put_line(edits, n.volpan, "VOLPAN", {{0, number(now(kItemVol)), changed(kItemVol)}},
                     {"1"}, ind, where("VOLPAN"));
        }

        for (std::size_t k = 0; k < n.take_count; ++k) {
            take_edits(it, k, d_.takes[n.first_take + k], n, ind, edits);
        }
        std::string added;
        for (std::size_t k = n.take_count; k < it.takes.size(); ++k) {
            if (k > 0) added += marker(ind, "", static_cast<int>(k) == it.active_take);
            added += fresh_take(*it.takes[k], k == 0, now(kItemVol), ind, n.volpan == npos);
        }
        if (!added.empty()) edits.push_back(Edit{n.close, n.close, std::move(added)});
    }

    std::string marker(std::string_view indent, std::string_view rest, bool selected) const {
        // SEL is recognised by value when read, quoted or not; so it goes by value.
        const std::vector<Field> read = split_fields(rest);
        const std::vector<std::string> raw = raw_fields(rest);
        std::vector<std::string> fields;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (read[i].value != "SEL") fields.push_back(raw[i]);
        }
        if (selected) fields.emplace_back("SEL");
        return line(indent, "TAKE", fields);
    }

    void take_edits(const Item& it, std::size_t k, const TakeNode& tn, const ItemNode& n,
                    const std::string& ind, std::vector<Edit>& edits) {
        const Take& t = *it.takes[k];
        const bool active = static_cast<int>(k) == it.active_take;
        if (tn.empty && !still_empty(t)) {
            const double item_vol = value(it.params, "D_VOL");
            if (k == 0) {
                const std::size_t at = n.first_marker != npos ? n.first_marker : n.close;
                edits.push_back(Edit{at, at, fresh_take(t, true, item_vol, ind, n.volpan == npos)});
            } else {
                edits.push_back(
                    Edit{tn.first, tn.end,
                         marker(ind, "", active) + fresh_take(t, false, item_vol, ind)});
            }
            return;
        }
        if (tn.marker != npos && active != tn.selected) {
            const Parsed p = classify(d_.content(tn.marker));
            std::string text = marker(p.indent, p.rest, active);
            text.resize(text.size() - d_.eol.size());
            text += d_.ending(tn.marker);
            edits.push_back(Edit{tn.marker, tn.marker + 1, std::move(text)});
        }
        if (tn.empty) return;

        const std::size_t begin = tn.marker != npos ? tn.marker + 1 : tn.first;
        const auto where = [this, &tn, begin](std::string_view key) {
            return [this, &tn, begin, key] { return place(begin, tn.end, kTakeOrder, key, begin); };
        };
        const auto now = [&](TakeParam p) { return value(t.params, kTakeParameters[p]); };
        const auto changed = [&](TakeParam p) { return now(p) != tn.loaded[p]; };
        put_line(edits, tn.name, "NAME", {{0, quote(t.name), t.name != tn.read.name}}, {"\"\""},
                 ind, where("NAME"));
        if (k > 0) {
            put_line(edits, tn.volpan, "TAKEVOLPAN",
                     {{0, number(now(kPan)), changed(kPan)},
                      {1, number(now(kTakeVol)), changed(kTakeVol)}},
                     {"0", "1", "-1"}, ind, where("TAKEVOLPAN"));
        }
        put_line(edits, tn.soffs, "SOFFS", {{0, number(now(kStartOffset)), changed(kStartOffset)}},
                 {"0"}, ind, where("SOFFS"));
        put_line(edits, tn.playrate, "PLAYRATE",
                 {{0, number(now(kRate)), changed(kRate)},
                  {1, bool_text(now(kPreservePitch)), changed(kPreservePitch)},
                  {2, number(now(kPitch)), changed(kPitch)},
                  {3, int_text(now(kPitchMode)), changed(kPitchMode)}},
                 {"1", "1", "0", "-1", "0", "0.0025"}, ind, where("PLAYRATE"));
        put_line(edits, tn.chanmode, "CHANMODE",
                 {{0, int_text(now(kChanMode)), changed(kChanMode)}}, {"0"}, ind,
                 where("CHANMODE"));
        if (source_unchanged(t, tn)) return;
        std::string block = t.source != nullptr ? source_block(*t.source, ind) : "";
        if (tn.source != npos) {
            const SourceNode& s = d_.sources[tn.source];
            edits.push_back(Edit{s.open, s.close + 1, std::move(block)});
        } else if (!block.empty()) {
            const std::size_t at = place(begin, tn.end, kTakeOrder, "SOURCE", tn.end);
            edits.push_back(Edit{at, at, std::move(block)});
        }
    }

    // The first slot's VOLPAN carries the item's volume; `volpan` false when that line exists.
    std::string fresh_take(const Take& t, bool first_slot, double item_vol, const std::string& ind,
                           bool volpan = true) {
        const auto now = [&](TakeParam p) { return value(t.params, kTakeParameters[p]); };
        std::string text = line(ind, "NAME", {quote(t.name)});
        if (!first_slot) {
            text += line(ind, "TAKEVOLPAN", {number(now(kPan)), number(now(kTakeVol)), "-1"});
        } else if (volpan) {
            text += line(ind, "VOLPAN",
                         {number(item_vol), number(now(kPan)), number(now(kTakeVol)), "-1"});
        }
        text += line(ind, "SOFFS", {number(now(kStartOffset))});
        text += line(ind, "PLAYRATE",
                     {number(now(kRate)), bool_text(now(kPreservePitch)), number(now(kPitch)),
                      int_text(now(kPitchMode)), "0", "0.0025"});
        text += line(ind, "CHANMODE", {int_text(now(kChanMode))});
        text += line(ind, "GUID", {guid()});
        if (t.source != nullptr) text += source_block(*t.source, ind);
        return text;
    }

    // A source's block: its original's lines when it came from this file (a duplicate included),
    // with fresh GUIDs and its file as it is now; else the block REAPER writes for a file.
    std::string source_block(const Source& s, const std::string& ind) {
        const SourceNode* node = own(d_.sources, s.origin);
        if (node == nullptr || node->loaded.type != s.media.type) {
            std::string text =
                ind + "<SOURCE " + (s.media.type.empty() ? "EMPTY" : s.media.type) + d_.eol;
            if (!s.media.file.empty()) {
                text += line(ind + "  ", "FILE", {quote_as(s.media.file, true)});
            }
            return text + ind + ">" + d_.eol;
        }
        std::size_t file_line = npos;
        for (const SourceNode* n = node; n != nullptr;
             n = n->inner != npos ? &d_.sources[n->inner] : nullptr) {
            if (n->file_line != npos) {
                file_line = n->file_line;
                break;
            }
        }
        const std::string_view old_indent = classify(d_.content(node->open)).indent;
        std::string text;
        for (std::size_t i = node->open; i <= node->close; ++i) {
            std::string_view content = d_.content(i);
            if (content.substr(0, old_indent.size()) == old_indent) {
                content.remove_prefix(old_indent.size());
            }
            const Parsed p = classify(content);
            const bool direct = p.indent.size() == 2 && p.kind == Kind::plain;
            if (direct && p.key == "GUID") {
                text += line(ind + "  ", "GUID", {guid()});
            } else if (i == file_line && s.media.file != node->loaded.file) {
                std::vector<std::string> fields{quote_as(s.media.file, true)};
                const auto old = split_fields(p.rest);
                for (std::size_t f = 1; f < old.size(); ++f) fields.emplace_back(old[f].raw);
                text += line(ind + std::string(p.indent), "FILE", fields);
            } else {
                text += ind;
                text += content;
                text += d_.eol;
            }
        }
        return text;
    }

    void fresh_item(const Item& it, const std::string& track_indent) {
        const std::string& ind = track_indent;
        const std::string inner = ind + "  ";
        const auto now = [&](ItemParam p) { return value(it.params, kItemParameters[p]); };
        // Shape, length, then fields REAPER fills that are not modelled (the fourth repeats the
        // shape), as many as the file's own fade lines have.
        const auto fade = [&](ItemParam shape, ItemParam length) {
            std::vector<std::string> fields{int_text(now(shape)),
                                            number(now(length)),
                                            "0",
                                            int_text(now(shape)),
                                            "0",
                                            "0",
                                            "0"};
            fields.resize(d_.fade_fields == 6 ? 6 : 7);
            return fields;
        };
        const std::vector<std::string> fade_in = fade(kFadeInShape, kFadeIn);
        const std::vector<std::string> fade_out = fade(kFadeOutShape, kFadeOut);
        std::vector<std::string> mute{bool_text(now(kMute)), "0"};
        if (d_.mute_fields == 1) mute.pop_back();

        out_ += ind + "<ITEM" + d_.eol;
        out_ += line(inner, "POSITION", {number(now(kPosition))});
        out_ += line(inner, "SNAPOFFS", {"0"});
        out_ += line(inner, "LENGTH", {number(now(kLength))});
        out_ += line(inner, "LOOP", {bool_text(now(kLoop))});
        out_ += line(inner, "ALLTAKES", {"0"});
        out_ += line(inner, "FADEIN", fade_in);
        out_ += line(inner, "FADEOUT", fade_out);
        out_ += line(inner, "MUTE", mute);
        if (now(kLock) != 0.0) out_ += line(inner, "LOCK", {int_text(now(kLock))});
        out_ += line(inner, "SEL", {bool_text(now(kSelected))});
        out_ += line(inner, "IGUID", {guid()});
        out_ += line(inner, "IID", {std::to_string(next_iid_++)});
        if (it.takes.empty() || still_empty(*it.takes.front())) {
            if (!it.takes.empty() || now(kItemVol) != 1.0) {
                out_ += line(inner, "VOLPAN", {number(now(kItemVol))});
            }
        }
        for (std::size_t k = 0; k < it.takes.size(); ++k) {
            const Take& t = *it.takes[k];
            const bool active = static_cast<int>(k) == it.active_take;
            if (still_empty(t)) {
                if (k > 0) out_ += marker(inner, "NULL", active);
                continue;
            }
            if (k > 0) out_ += marker(inner, "", active);
            out_ += fresh_take(t, k == 0, now(kItemVol), inner);
        }
        out_ += ind + ">" + d_.eol;
    }

    const Doc& d_;
    std::string& out_;
    Error& error_;
    std::mt19937_64 random_;
    long long next_iid_ = 1;
};

}  // namespace

// ---- text rules ----

std::string format_number(double value) {
    if (!std::isfinite(value)) return "0";
    // At most 14 decimals, and no more digits than a double holds (2336.3850483259798).
    char text[400];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 14);
    const auto whole =
        static_cast<int>(std::find(text, result.ptr, '.') - text) - (value < 0.0 ? 1 : 0);
    if (whole + 14 > 17) {
        result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                               std::max(0, 17 - whole));
    }
    std::string out(text, result.ptr);
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0') out.pop_back();
        if (out.back() == '.') out.pop_back();
    }
    return out == "-0" ? "0" : out;
}

std::string quote(std::string_view text) {
    return quote_as(text, false);
}

std::vector<Field> split_fields(std::string_view text) {
    std::vector<Field> out;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) break;
        const char c = text[i];
        if (c == '"' || c == '\'' || c == '`') {
            const std::size_t close = text.find(c, i + 1);
            if (close == std::string_view::npos) {
                out.push_back(Field{text.substr(i), text.substr(i + 1)});
                break;
            }
            out.push_back(Field{text.substr(i, close + 1 - i), text.substr(i + 1, close - i - 1)});
            i = close + 1;
        } else {
            const std::size_t space = std::min(text.find(' ', i), text.size());
            out.push_back(Field{text.substr(i, space - i), text.substr(i, space - i)});
            i = space;
        }
    }
    return out;
}

// ---- the file ----

ProjectFile::ProjectFile() : impl_(std::make_unique<Impl>()) {}
ProjectFile::~ProjectFile() = default;

std::unique_ptr<ProjectFile> ProjectFile::parse(std::string text, Error& error) {
    std::unique_ptr<ProjectFile> file(new ProjectFile());
    Doc& d = file->impl_->doc;
    d.text = std::move(text);
    if (!split_lines(d, error) || !Builder(d, error).run()) return nullptr;
    return file;
}

const std::string& ProjectFile::text() const {
    return impl_->doc.text;
}

bool ProjectFile::load(Host& host, Project* project, const std::string& name,
                       const std::string& folder, const MediaReader& read_media, Error& error) {
    if (impl_->host != nullptr) {
        error = Error{0, "the file is loaded already"};
        return false;
    }
    if (project == nullptr || host.project(Host::handle(project)) != project ||
        !project->tracks.empty()) {
        error = Error{0, "a project file loads into an empty project only"};
        return false;
    }
    Doc& d = impl_->doc;
    impl_->host = &host;
    impl_->project = project;
    project->name = name;
    project->cursor = d.cursor;
    project->frame_rate = d.frame_rate;
    project->drop_frame = false;
    impl_->loaded_cursor = project->cursor;
    impl_->loaded_frame_rate = project->frame_rate;

    std::unordered_map<std::string, MediaInfo> known;
    const auto read = [&](const std::string& file) {
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
    // What the host gets for a source block, and whether it is online.
    const auto media = [&](const SourceNode& node, bool& available) {
        SourceSpec source;
        source.type = node.type;
        source.sample_rate = source.channels = source.bit_depth = 0;
        source.length = 0.0;
        available = true;
        const SourceNode* inner = &node;
        while (inner->file_line == npos && inner->inner != npos) inner = &d.sources[inner->inner];
        if (inner->file_line == npos) return source;  // in the project itself: MIDI, click, empty
        source.file = inner->file;
        const MediaInfo info = read(inner->file);
        const bool audio = listed(kAudioTypes, inner->type);
        if (info.status == MediaInfo::Status::decoded) {
            source.sample_rate = info.sample_rate;
            source.channels = info.channels;
            source.bit_depth = info.bit_depth;
            source.length = node.section_length >= 0.0 ? node.section_length : info.length;
        } else {
            available = info.status == MediaInfo::Status::undecodable && !audio;
        }
        return source;
    };

    for (TrackNode& tn : d.tracks) {
        Track* track = host.add_track(project, tn.name_value, tn.selected);
        track->origin = &tn;
        for (std::size_t i = 0; i < tn.item_count; ++i) {
            ItemNode& in = d.items[tn.first_item + i];
            ItemSpec wanted = in.read;
            std::vector<bool> online(in.take_count, true);
            for (std::size_t k = 0; k < in.take_count; ++k) {
                const TakeNode& tk = d.takes[in.first_take + k];
                wanted.takes.push_back(tk.empty ? TakeSpec{} : tk.read);
                if (!tk.empty && tk.source != npos) {
                    bool available = true;
                    wanted.takes.back().source = media(d.sources[tk.source], available);
                    online[k] = available;
                }
            }
            Item* item = host.add_item(track, wanted);
            item->origin = &in;
            for (std::size_t p = 0; p < std::size(kItemParameters); ++p) {
                in.loaded[p] = value(item->params, kItemParameters[p]);
            }
            in.loaded_active = item->active_take;
            for (std::size_t k = 0; k < in.take_count; ++k) {
                TakeNode& tk = d.takes[in.first_take + k];
                Take* take = item->takes[k];
                take->origin = &tk;
                for (std::size_t p = 0; p < std::size(kTakeParameters); ++p) {
                    tk.loaded[p] = value(take->params, kTakeParameters[p]);
                }
                tk.read.name = take->name;
                tk.loaded_source = take->source;
                if (take->source == nullptr) continue;
                SourceNode& sn = d.sources[tk.source];
                take->source->origin = &sn;
                take->source->SetAvailable(online[k]);
                sn.loaded = take->source->media;
            }
        }
    }
    return true;
}

bool ProjectFile::render(std::string& out, Error& error) const {
    Impl& impl = *impl_;
    if (impl.host == nullptr) {
        error = Error{0, "the file was never loaded"};
        return false;
    }
    if (impl.host->project(Host::handle(impl.project)) != impl.project) {
        error = Error{0, "the project was closed; nothing saved"};
        return false;
    }
    out.clear();
    out.reserve(impl.doc.text.size() + impl.doc.text.size() / 8);
    error = Error{};
    Renderer renderer(impl.doc, out, error);
    return renderer.project(*impl.project, impl.loaded_cursor, impl.loaded_frame_rate);
}

}  // namespace sim::rpp
