// State chunks: one item's block as a save writes it, and such a block read back into an item by
// the reader a load uses.
#include <memory>

#include "rpp/load.h"
#include "rpp/project_file.h"
#include "rpp/save.h"
#include "rpp/text.h"

namespace rpp {

namespace {

// Chunks are unindented: every line of out[from…] loses its leading blanks.
void flatten(std::string& out, std::size_t from) {
    std::string flat;
    flat.reserve(out.size() - from);
    bool line_start = true;
    for (std::size_t i = from; i < out.size(); ++i) {
        const char c = out[i];
        if (line_start && (c == ' ' || c == '\t')) continue;
        flat += c;
        line_start = c == '\n';
    }
    out.replace(from, std::string::npos, flat);
}

// A chunk indented as a project file is: two blanks per level, whatever it came with.
std::string indented(std::string_view chunk) {
    std::string out;
    out.reserve(chunk.size() + chunk.size() / 4);
    int depth = 0;
    std::size_t start = 0;
    while (start < chunk.size()) {
        std::size_t end = chunk.find('\n', start);
        if (end == std::string_view::npos) end = chunk.size();
        std::string_view line = chunk.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (line.empty()) {
            // Blank lines around the block go; one inside it stays a line of its own.
            if (depth > 0) out += '\n';
            continue;
        }
        const Kind kind = classify(line).kind;
        if (kind == Kind::close && depth > 0) --depth;
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += line;
        out += '\n';
        if (kind == Kind::open) ++depth;
    }
    return out;
}

}  // namespace

bool item_chunk(sim::Host& host, const sim::Item* item, std::string& out) {
    out.clear();
    if (host.item(sim::Host::handle(const_cast<sim::Item*>(item))) == nullptr) return false;
    render_item(&host, *item, "", "\n", out);
    flatten(out, 0);
    return true;
}

bool track_chunk(sim::Host& host, const sim::Track* track, std::string& out) {
    out.clear();
    if (host.track(sim::Host::handle(const_cast<sim::Track*>(track))) == nullptr) return false;
    render_track(&host, *track, out);
    // A file's CRLF ends become the chunk's "\n" ones.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
        out[kept++] = out[i];
    }
    out.resize(kept);
    flatten(out, 0);
    return true;
}

bool set_item_chunk(sim::Host& host, sim::Item* item, std::string_view chunk, Error& error) {
    if (host.item(sim::Host::handle(item)) == nullptr) {
        error = Error{0, "not a live item"};
        return false;
    }
    auto index = std::make_shared<Index>();
    // Blank lines around the block are allowed; the block must be the whole text.
    if (!index->doc.read(indented(chunk), error)) return false;
    const Document& d = index->doc;
    std::uint32_t open = 0;
    while (open < d.size() && classify(d.content(open)).key.empty() &&
           classify(d.content(open)).kind == Kind::plain) {
        ++open;
    }
    const Parsed head = open < d.size() ? classify(d.content(open)) : Parsed{};
    if (head.kind != Kind::open || head.key != "ITEM") {
        error = Error{open + 1, "a state chunk must start with <ITEM"};
        return false;
    }
    ItemRead r;
    if (!read_item(d, open, r, index->format, error)) return false;
    for (std::uint32_t i = r.close + 1; i < d.size(); ++i) {
        if (!classify(d.content(i)).key.empty() || classify(d.content(i)).kind != Kind::plain) {
            error = Error{i + 1, "text after the item's block"};
            return false;
        }
    }
    ItemNode node;
    node.index = index.get();
    node.open = open;
    node.close = r.close;
    node.take_count = static_cast<std::uint32_t>(r.takes.size());
    index->items.push_back(node);
    sim::ItemSpec wanted = r.wanted;
    for (TakeRead& take : r.takes) {
        index->takes.push_back(TakeNode{index.get(), nullptr});
        if (take.source_open != kNone) {
            index->sources.push_back(SourceNode{index.get(), take.source_open, take.source_close});
        }
        if (take.wanted.source) {
            // What the file holds is not looked at again: the chunk keeps the item's media as it
            // is.
            take.wanted.source->length = 0.0;
        }
        wanted.takes.push_back(std::move(take.wanted));
    }
    host.set_item(item, wanted);
    std::size_t source = 0;
    for (std::size_t t = 0; t < item->takes.size(); ++t) {
        sim::Take* take = item->takes[t];
        take->origin = &index->takes[t];
        index->takes[t].loaded_source = take->source;
        if (take->source != nullptr) take->source->origin = &index->sources[source++];
    }
    item->origin = &index->items.front();
    record_loaded(*index, index->items.front(), *item);
    item->origin_owner = index;
    return true;
}

}  // namespace rpp
