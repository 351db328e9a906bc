// The project reader on any input: it refuses the input with a line number, or the project loads,
// saves back byte for byte, and after edits of every kind the saver handles saves to a file that
// reads back as the same project.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "reaper_sim/rpp_canonical.h"
#include "sim/host.h"
#include "rpp/project_file.h"

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
    sim::Track* added = host.add_track(project, "new track", true);
    sim::ItemSpec wanted;
    wanted.position = 1.25;
    wanted.takes.push_back(sim::TakeSpec{});
    wanted.takes.back().name = "new";
    host.add_item(added, wanted);
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
    return 0;
}
