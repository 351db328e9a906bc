// State chunks: one item's block as a save writes it, and such a block read back into an item by
// the reader a load uses.
#include <memory>

#include "rpp/load.h"
#include "rpp/project_file.h"
#include "rpp/save.h"
#include "rpp/text.h"

namespace rpp {

bool item_chunk(sim::Host& host, const sim::Item* item, std::string& out) {
    out.clear();
    if (host.item(sim::Host::handle(const_cast<sim::Item*>(item))) == nullptr) return false;
    render_item(&host, *item, "", "\n", out);
    return true;
}

bool track_chunk(sim::Host& host, const sim::Track* track, std::string& out) {
    out.clear();
    if (host.track(sim::Host::handle(const_cast<sim::Track*>(track))) == nullptr) return false;
    out += "<TRACK\n";
    out += make_line("", "NAME", {quote(track->name)}, "\n");
    out += make_line("", "SEL", {track->selected ? "1" : "0"}, "\n");
    for (const sim::Item* item : track->items) render_item(&host, *item, "", "\n", out);
    out += ">\n";
    return true;
}

bool set_item_chunk(sim::Host& host, sim::Item* item, std::string_view chunk, Error& error) {
    if (host.item(sim::Host::handle(item)) == nullptr) {
        error = Error{0, "not a live item"};
        return false;
    }
    auto index = std::make_shared<Index>();
    // Blank lines around the block are allowed; the block must be the whole text.
    std::string text(chunk);
    if (!index->doc.read(std::move(text), error)) return false;
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
    sim::ItemSpec wanted = r.spec;
    for (TakeRead& take : r.takes) {
        index->takes.push_back(TakeNode{index.get(), nullptr});
        if (take.source_open != kNone) {
            index->sources.push_back(SourceNode{index.get(), take.source_open, take.source_close});
        }
        if (take.spec.source) {
            // What the file holds is not looked at again: the chunk keeps the item's media as it
            // is.
            take.spec.source->length = 0.0;
        }
        wanted.takes.push_back(std::move(take.spec));
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
    index->items.front().hash = hash_item(*item);
    item->origin_owner = index;
    return true;
}

}  // namespace rpp
