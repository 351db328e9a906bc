// The project reader on any input: it refuses the input with a line number, or the project loads,
// saves back byte for byte, and after edits of every kind the saver handles saves to a file that
// reads back as the same project.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "reaper_sim/rpp_canonical.h"
#include "rpp/project_file.h"
#include "sim/host.h"

// Designated initializers name only what an edit sets.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

namespace r = sim::reaper;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "rpp_reader_fuzz: %s\n", what);
    std::abort();
}

std::unique_ptr<rpp::ProjectFile> load(sim::Host& host, std::string text) {
    rpp::Error error;
    auto file = rpp::ProjectFile::parse(std::move(text), error);
    if (file == nullptr) {
        require(!error.message.empty(), "a refusal without a reason");
        return nullptr;
    }
    require(file->load(host, host.current_project(), "fuzz.RPP", "/nonexistent", nullptr, error),
            "a parsed file did not load");
    return file;
}

void edit(sim::Host& host) {
    sim::Project* project = host.current_project();
    project->cursor = 2.5;
    project->frame_rate = 29.97;
    for (sim::Track* track : project->tracks)
        r::SetTrackSelected(sim::Host::handle(track), !track->selected);
    std::vector<MediaItem*> items;
    for (int i = 0; MediaItem* item = r::GetMediaItem(nullptr, i); ++i) items.push_back(item);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i % 2 == 0) r::SetMediaItemInfo_Value(items[i], "D_VOL", 0.5);
        if (i % 3 == 0)
            r::SetMediaItemInfo_Value(items[i], "B_MUTE",
                                      1.0 - r::GetMediaItemInfo_Value(items[i], "B_MUTE"));
        if (i % 5 == 1) r::SetMediaItemInfo_Value(items[i], "C_LOCK", 1.0);
        if (MediaItem_Take* take = r::GetActiveTake(items[i])) {
            char name[] = "renamed \"take\" it's";
            r::GetSetMediaItemTakeInfo_String(take, "P_NAME", name, true);
            r::SetMediaItemTakeInfo_Value(take, "D_PAN", -0.25);
            if (i % 2 == 1) r::SetMediaItemTakeInfo_Value(take, "I_CHANMODE", 3.0);
            if (i % 3 == 2) r::SetMediaItemTakeInfo_Value(take, "D_PLAYRATE", 2.0);
        }
        sim::Item* live = host.item(items[i]);
        if (i % 4 == 2 && !live->takes.empty()) {
            live->active_take = static_cast<int>(live->takes.size()) - 1;
        }
    }
    if (project->tracks.empty()) return;
    MediaTrack* first = sim::Host::handle(project->tracks.front());
    MediaTrack* last = sim::Host::handle(project->tracks.back());
    if (items.size() > 1) r::MoveMediaItemToTrack(items[0], last);
    if (items.size() > 2) r::DeleteTrackMediaItem(r::GetMediaItem_Track(items[1]), items[1]);
    if (items.size() > 3 && r::GetActiveTake(items[3]) != nullptr) {
        // The copy as the library makes one: a new item and take playing a duplicate.
        MediaItem* copy = r::AddMediaItemToTrack(first);
        r::SetMediaItemInfo_Value(copy, "D_POSITION", 7.5);
        MediaItem_Take* take = r::AddTakeToMediaItem(copy);
        PCM_source* source = r::GetMediaItemTake_Source(r::GetActiveTake(items[3]));
        if (source != nullptr) {
            auto* original = reinterpret_cast<sim::PcmSourceInterface*>(source);
            r::GetSetMediaItemTakeInfo(take, "P_SOURCE",
                                       reinterpret_cast<PCM_source*>(original->Duplicate()));
        }
        r::AddTakeToMediaItem(items[3]);
    }
    // What scripts reach beyond the QM_ functions.
    if (!project->markers.empty()) project->markers.front().name = "renamed";
    project->markers.push_back({.number = 99, .region = true, .position = 1, .end = 2});
    project->tempo.bpm = 96;
    if (!project->tempo.points.empty()) project->tempo.points.back().bpm = 80;
    project->time_selection = {0.5, 1.5};
    for (std::size_t i = 0; i < items.size(); ++i) {
        sim::Item* live = host.item(items[i]);
        if (live == nullptr) continue;
        live->group = static_cast<int>(i % 3);
        live->color = i % 2 == 0 ? 0 : 0x1000000 | static_cast<int>(i);
        live->snap_offset = 0.125;
        if (i % 3 == 1) live->notes = "first\n|second";
        for (sim::Take* take : live->takes) {
            take->color = 0x1000000;
            take->markers.push_back({.source_position = 0.5, .name = "m"});
            if (!take->stretch_markers.empty()) take->stretch_markers.pop_back();
            for (sim::TakeFx& fx : take->fx) fx.enabled = !fx.enabled;
            for (sim::Envelope& env : take->envelopes) {
                if (!env.points.empty()) env.points.front().value = 0.5;
            }
            if (take->source != nullptr && !take->source->media.midi.empty()) {
                take->source->media.midi.front().flags ^= 1;
            }
        }
    }
    sim::Track* added = host.add_track(project, "new track", true);
    sim::ItemSpec wanted;
    wanted.position = 1.25;
    wanted.takes.push_back(sim::TakeSpec{});
    wanted.takes.back().name = "new";
    host.add_item(added, wanted);
}

// The fields canonical_dump leaves out, as a text to compare.
std::string extras(sim::Host& host) {
    const sim::Project& p = *host.current_project();
    std::ostringstream out;
    out.precision(17);
    for (const sim::Marker& m : p.markers) {
        out << "marker " << m.number << ' ' << m.region << ' ' << m.position << ' ' << m.end << ' '
            << m.name << ' ' << m.color << '\n';
    }
    out << "tempo " << p.tempo.bpm << ' ' << p.tempo.num << '/' << p.tempo.denom << ' '
        << p.tempo.points.size() << " selection " << p.time_selection.start << ' '
        << p.time_selection.end << '\n';
    for (const sim::Track* track : p.tracks) {
        // A file keeps a track's items in position order.
        std::vector<const sim::Item*> items(track->items.begin(), track->items.end());
        std::stable_sort(items.begin(), items.end(), [](const sim::Item* a, const sim::Item* b) {
            return a->params.at("D_POSITION") < b->params.at("D_POSITION");
        });
        for (const sim::Item* item : items) {
            out << "item " << item->snap_offset << ' ' << item->group << ' ' << item->color << ' '
                << item->notes << '\n';
            for (const sim::Take* take : item->takes) {
                if (take->empty && take->source == nullptr) continue;
                out << "take " << take->color << ' ' << take->markers.size() << ' '
                    << take->stretch_markers.size() << ' ' << take->fx.size() << ' '
                    << take->envelopes.size() << '\n';
            }
        }
    }
    return out.str();
}

// Every item's chunk goes through the item unchanged.
void chunks(sim::Host& host) {
    for (sim::Track* track : host.current_project()->tracks) {
        for (sim::Item* item : track->items) {
            std::string chunk, again;
            rpp::Error error;
            require(rpp::item_chunk(host, item, chunk), "an item gave no chunk");
            require(rpp::set_item_chunk(host, item, chunk, error), "an item's chunk did not read");
            require(rpp::item_chunk(host, item, again) && again == chunk,
                    "an item's chunk changed on the way through");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::Host host;
    const auto file = load(host, text);
    if (file == nullptr) return 0;
    std::string saved;
    rpp::Error error;
    require(file->render(saved, error), "an unchanged project did not save");
    require(saved == text, "an unchanged project saved differently");

    edit(host);
    require(file->render(saved, error), "an edited project did not save");
    sim::Host again;
    const auto reread = load(again, saved);
    require(reread != nullptr, "an edited project saved into a file that does not read");
    require(canonical_dump(again) == canonical_dump(host),
            "an edited project read back differently");
    require(extras(again) == extras(host), "an edited project's timeline read back differently");
    chunks(again);
    return 0;
}
