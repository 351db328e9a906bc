// The project dump: equal for equal sessions, different after any change a host function makes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/host.h"

namespace {

namespace r = sim::reaper;
using sim::Host;

// Two tracks; the first holds an item with two takes (one with a source) and an item without.
sim::Project* build(Host& host, sim::Project* project) {
    project->frame_rate = 25.0;
    project->cursor = 1.25;
    sim::Track* drums = host.add_track(project, "Drums", true);
    host.add_track(project, "Bass");
    sim::TakeSpec kick;
    kick.name = "kick";
    kick.source = sim::SourceSpec{};
    kick.vol = 0.5;
    sim::TakeSpec empty;
    empty.name = "empty";
    sim::ItemSpec item;
    item.position = 2.0;
    item.length = 3.0;
    item.selected = true;
    item.takes = {kick, empty};
    host.add_item(drums, item);
    host.add_item(drums, {});
    return project;
}

MediaItem* first_item(sim::Project* project) {
    return Host::handle(project->tracks[0]->items[0]);
}
MediaItem_Take* first_take(sim::Project* project) {
    return Host::handle(project->tracks[0]->items[0]->takes[0]);
}

TEST(Dump, ProjectsBuiltAlikeDumpAlikeWithEveryDigit) {
    Host host;
    sim::Project* one = build(host, host.current_project());
    sim::Project* two = build(host, host.add_project(""));
    EXPECT_EQ(host.dump(one), host.dump(two));
    EXPECT_EQ(host.dump(), host.dump(one)) << "the current project by default";
    const std::string built = host.dump(one);

    r::SetMediaItemInfo_Value(first_item(one), "D_POSITION", 0.3);
    const std::string rounded = host.dump(one);
    r::SetMediaItemInfo_Value(first_item(one), "D_POSITION", 0.1 + 0.2);
    EXPECT_NE(host.dump(one), rounded);
    EXPECT_NE(host.dump(one).find("0.30000000000000004"), std::string::npos);
    host.close_project(two);
    EXPECT_EQ(host.dump(two), "");
    Host elsewhere;
    EXPECT_EQ(elsewhere.dump(build(elsewhere, elsewhere.current_project())), built);
}

struct Change {
    const char* what;
    std::function<void(Host&, sim::Project*)> make;
};

std::vector<Change> changes() {
    std::vector<Change> out;
    for (std::string_view name : sim::kItemParameters) {
        out.push_back({name.data(), [name](Host&, sim::Project* p) {
                           r::SetMediaItemInfo_Value(first_item(p), std::string(name).c_str(),
                                                     0.75);
                       }});
    }
    for (std::string_view name : sim::kTakeParameters) {
        out.push_back({name.data(), [name](Host&, sim::Project* p) {
                           r::SetMediaItemTakeInfo_Value(first_take(p), std::string(name).c_str(),
                                                         0.75);
                       }});
    }
    const std::vector<Change> others = {
        {"take name",
         [](Host&, sim::Project* p) {
             char name[] = "snare";
             r::GetSetMediaItemTakeInfo_String(first_take(p), "P_NAME", name, true);
         }},
        {"project name", [](Host&, sim::Project* p) { p->name = "renamed"; }},
        {"frame rate", [](Host&, sim::Project* p) { p->frame_rate = 24.0; }},
        {"drop frame", [](Host&, sim::Project* p) { p->drop_frame = true; }},
        {"play state", [](Host&, sim::Project* p) { p->play_state = 1; }},
        {"play position", [](Host&, sim::Project* p) { p->play_position = 4.0; }},
        {"cursor",
         [](Host&, sim::Project* p) { r::SetEditCurPos2(Host::handle(p), 9, false, false); }},
        {"go to end", [](Host&, sim::Project*) { r::CSurf_GoEnd(); }},
        {"track name", [](Host&, sim::Project* p) { p->tracks[1]->name = "Keys"; }},
        {"track selection",
         [](Host&, sim::Project* p) { r::SetOnlyTrackSelected(Host::handle(p->tracks[1])); }},
        {"item selection",
         [](Host&, sim::Project* p) { r::SetMediaItemSelected(first_item(p), false); }},
        {"new item",
         [](Host&, sim::Project* p) { r::AddMediaItemToTrack(Host::handle(p->tracks[1])); }},
        {"new take", [](Host&, sim::Project* p) { r::AddTakeToMediaItem(first_item(p)); }},
        {"deleted item",
         [](Host&, sim::Project* p) {
             r::DeleteTrackMediaItem(Host::handle(p->tracks[0]),
                                     Host::handle(p->tracks[0]->items[1]));
         }},
        {"moved item",
         [](Host&, sim::Project* p) {
             r::MoveMediaItemToTrack(first_item(p), Host::handle(p->tracks[1]));
         }},
        {"item order on a track",
         [](Host&, sim::Project* p) {
             r::MoveMediaItemToTrack(first_item(p), Host::handle(p->tracks[0]));
         }},
        {"active take", [](Host&, sim::Project* p) { p->tracks[0]->items[0]->active_take = 1; }},
        {"source swapped for its duplicate",
         [](Host& host, sim::Project* p) {
             PCM_source* old = r::GetMediaItemTake_Source(first_take(p));
             PCM_source* copy =
                 Host::handle(static_cast<sim::Source*>(host.source(old)->Duplicate()));
             r::GetSetMediaItemTakeInfo(first_take(p), "P_SOURCE", copy);
             r::PCM_Source_Destroy(old);
         }},
        {"source destroyed under its take",
         [](Host&, sim::Project* p) {
             r::PCM_Source_Destroy(r::GetMediaItemTake_Source(first_take(p)));
         }},
        {"source made unavailable",
         [](Host& host, sim::Project* p) {
             host.source(r::GetMediaItemTake_Source(first_take(p)))->SetAvailable(false);
         }},
        {"source file renamed",
         [](Host& host, sim::Project* p) {
             host.source(r::GetMediaItemTake_Source(first_take(p)))->SetFileName("x.wav");
         }},
        {"media inserted",
         [](Host& host, sim::Project*) {
             host.add_media_file("a.wav", {});
             r::InsertMedia("a.wav", 0);
         }},
    };
    out.insert(out.end(), others.begin(), others.end());
    return out;
}

TEST(Dump, ShowsEveryChange) {
    for (const Change& change : changes()) {
        Host host;
        sim::Project* project = build(host, host.current_project());
        const std::string before = host.dump();
        change.make(host, project);
        EXPECT_NE(host.dump(), before) << change.what;
    }
}

TEST(Dump, ReadingChangesNothing) {
    Host host;
    sim::Project* project = build(host, host.current_project());
    const std::string before = host.dump();
    char buffer[64];
    bool drop = false;
    r::GetMediaItem(nullptr, 0);
    r::GetSelectedMediaItem(nullptr, 0);
    r::GetTrack(nullptr, 1);
    r::GetSelectedTrack(nullptr, 0);
    r::CountMediaItems(nullptr);
    r::GetActiveTake(first_item(project));
    r::GetMediaItemInfo_Value(first_item(project), "B_UISEL");
    r::GetMediaItemTakeInfo_Value(first_take(project), "D_VOL");
    r::GetSetMediaItemTakeInfo(first_take(project), "P_SOURCE", nullptr);
    r::GetSetMediaItemTakeInfo_String(first_take(project), "P_NAME", buffer, false);
    r::GetMediaSourceType(r::GetMediaItemTake_Source(first_take(project)), buffer, 64);
    r::GetMediaTrackInfo_Value(Host::handle(project->tracks[0]), "I_SELECTED");
    r::TimeMap_curFrameRate(nullptr, &drop);
    r::GetPlayPositionEx(nullptr);
    r::GetCursorPositionEx(nullptr);
    r::GetPlayState();
    r::UpdateArrange();
    r::ShowMessageBox("hi", "t", 0);
    EXPECT_EQ(host.dump(), before);
}

}  // namespace
