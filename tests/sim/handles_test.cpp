// Every host function, given a null, stale, foreign or mistyped handle, answers nothing and
// changes nothing, as REAPER does for pointers it validates.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "sim/host.h"

namespace {

namespace r = sim::reaper;
using sim::Host;

// The bad handles under test, beside live ones for the other arguments.
struct Handles {
    ReaProject* project;
    MediaTrack* track;
    MediaItem* item;
    MediaItem_Take* take;
    PCM_source* source;
    MediaTrack* live_track;
    MediaItem* live_item;
    MediaItem_Take* live_take;
    PCM_source* live_source;
};

struct Case {
    const char* function;
    std::function<bool(const Handles&)> answers_nothing;
};

std::vector<Case> cases() {
    return {
        {"GetMediaItem", [](const Handles& h) { return r::GetMediaItem(h.project, 0) == nullptr; }},
        {"GetSelectedMediaItem",
         [](const Handles& h) { return r::GetSelectedMediaItem(h.project, 0) == nullptr; }},
        {"GetTrack", [](const Handles& h) { return r::GetTrack(h.project, 0) == nullptr; }},
        {"GetSelectedTrack",
         [](const Handles& h) { return r::GetSelectedTrack(h.project, 0) == nullptr; }},
        {"GetTrackMediaItem",
         [](const Handles& h) { return r::GetTrackMediaItem(h.track, 0) == nullptr; }},
        {"CountMediaItems", [](const Handles& h) { return r::CountMediaItems(h.project) == 0; }},
        {"CountSelectedMediaItems",
         [](const Handles& h) { return r::CountSelectedMediaItems(h.project) == 0; }},
        {"CountTrackMediaItems",
         [](const Handles& h) { return r::CountTrackMediaItems(h.track) == 0; }},
        {"CountSelectedTracks",
         [](const Handles& h) { return r::CountSelectedTracks(h.project) == 0; }},
        {"GetMediaItem_Track",
         [](const Handles& h) { return r::GetMediaItem_Track(h.item) == nullptr; }},
        {"GetItemProjectContext",
         [](const Handles& h) { return r::GetItemProjectContext(h.item) == nullptr; }},
        {"GetActiveTake", [](const Handles& h) { return r::GetActiveTake(h.item) == nullptr; }},
        {"GetMediaItemTake_Source",
         [](const Handles& h) { return r::GetMediaItemTake_Source(h.take) == nullptr; }},
        {"GetMediaItemInfo_Value",
         [](const Handles& h) { return r::GetMediaItemInfo_Value(h.item, "D_POSITION") == 0.0; }},
        {"SetMediaItemInfo_Value",
         [](const Handles& h) { return !r::SetMediaItemInfo_Value(h.item, "D_POSITION", 3.0); }},
        {"GetMediaItemTakeInfo_Value",
         [](const Handles& h) { return r::GetMediaItemTakeInfo_Value(h.take, "D_VOL") == 0.0; }},
        {"SetMediaItemTakeInfo_Value",
         [](const Handles& h) { return !r::SetMediaItemTakeInfo_Value(h.take, "D_VOL", 0.5); }},
        {"GetSetMediaItemTakeInfo",
         [](const Handles& h) {
             return r::GetSetMediaItemTakeInfo(h.take, "P_SOURCE", nullptr) == nullptr &&
                    r::GetSetMediaItemTakeInfo(h.take, "P_ITEM", nullptr) == nullptr &&
                    r::GetSetMediaItemTakeInfo(h.take, "P_SOURCE", h.live_source) == nullptr &&
                    // A null value asks for the source instead of setting one.
                    (h.source == nullptr ||
                     r::GetSetMediaItemTakeInfo(h.live_take, "P_SOURCE", h.source) == nullptr);
         }},
        {"GetSetMediaItemTakeInfo_String",
         [](const Handles& h) {
             char buffer[16] = "untouched";
             return !r::GetSetMediaItemTakeInfo_String(h.take, "P_NAME", buffer, false) &&
                    std::strcmp(buffer, "untouched") == 0 &&
                    !r::GetSetMediaItemTakeInfo_String(h.take, "P_NAME", buffer, true);
         }},
        {"GetMediaTrackInfo_Value",
         [](const Handles& h) {
             return r::GetMediaTrackInfo_Value(h.track, "P_PROJECT") == 0.0 &&
                    r::GetMediaTrackInfo_Value(h.track, "IP_TRACKNUMBER") == 0.0;
         }},
        {"GetTakeName", [](const Handles& h) { return r::GetTakeName(h.take) == nullptr; }},
        {"GetMediaSourceType",
         [](const Handles& h) {
             char buffer[16] = "untouched";
             r::GetMediaSourceType(h.source, buffer, sizeof buffer);
             return buffer[0] == '\0';
         }},
        {"GetMediaSourceSampleRate",
         [](const Handles& h) { return r::GetMediaSourceSampleRate(h.source) == 0; }},
        {"GetMediaSourceNumChannels",
         [](const Handles& h) { return r::GetMediaSourceNumChannels(h.source) == 0; }},
        {"CF_GetMediaSourceBitDepth",
         [](const Handles& h) { return r::CF_GetMediaSourceBitDepth(h.source) == 0; }},
        {"PCM_Source_Destroy",
         [](const Handles& h) {
             r::PCM_Source_Destroy(h.source);
             return true;
         }},
        {"AddMediaItemToTrack",
         [](const Handles& h) { return r::AddMediaItemToTrack(h.track) == nullptr; }},
        {"AddTakeToMediaItem",
         [](const Handles& h) { return r::AddTakeToMediaItem(h.item) == nullptr; }},
        {"DeleteTrackMediaItem",
         [](const Handles& h) {
             return !r::DeleteTrackMediaItem(h.track, h.live_item) &&
                    !r::DeleteTrackMediaItem(h.live_track, h.item);
         }},
        {"MoveMediaItemToTrack",
         [](const Handles& h) {
             return !r::MoveMediaItemToTrack(h.item, h.live_track) &&
                    !r::MoveMediaItemToTrack(h.live_item, h.track);
         }},
        {"SetMediaItemSelected",
         [](const Handles& h) {
             r::SetMediaItemSelected(h.item, true);
             return true;
         }},
        {"SetOnlyTrackSelected",
         [](const Handles& h) {
             r::SetOnlyTrackSelected(h.track);
             return true;
         }},
        {"SetTrackSelected",
         [](const Handles& h) {
             r::SetTrackSelected(h.track, true);
             return true;
         }},
        {"TimeMap_curFrameRate",
         [](const Handles& h) {
             bool drop = true;
             return r::TimeMap_curFrameRate(h.project, &drop) == 0.0 && drop;
         }},
        {"GetPlayPositionEx",
         [](const Handles& h) { return r::GetPlayPositionEx(h.project) == 0.0; }},
        {"GetCursorPositionEx",
         [](const Handles& h) { return r::GetCursorPositionEx(h.project) == 0.0; }},
        {"SetEditCurPos2",
         [](const Handles& h) {
             r::SetEditCurPos2(h.project, 5.0, true, true);
             return true;
         }},
    };
}

// Functions without a handle argument; everything else must be in the table above.
const std::set<std::string> kWithoutHandles = {
    "plugin_register", "InsertMedia",    "GetPlayState",   "CSurf_GoEnd",
    "UpdateArrange",   "ShowMessageBox", "ShowConsoleMsg",
};

sim::ItemSpec full_item(double position, bool selected) {
    sim::TakeSpec take;
    take.name = "take";
    take.source = sim::SourceSpec{};
    sim::ItemSpec wanted;
    wanted.position = position;
    wanted.selected = selected;
    wanted.takes = {take};
    return wanted;
}

// Every stale handle stood for something that would answer: a closed project with items, a deleted
// track with items, a deleted item with a take and a source, a destroyed source.
class BadHandles : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Project* closed = host.add_project("closing");
        host.add_item(host.add_track(closed, "there", true), full_item(0.0, true));
        sim::Track* kept = host.add_track(nullptr, "kept", true);
        live_item = host.add_item(kept, full_item(1.0, true));
        sim::Track* gone = host.add_track(nullptr, "gone", true);
        host.add_item(gone, full_item(1.0, true));
        sim::Item* deleted = host.add_item(kept, full_item(2.0, true));
        sim::Source* destroyed = host.add_source({});
        sim::Source* spare = host.add_source({});
        host.current_project()->cursor = 2.0;
        host.current_project()->play_position = 3.0;
        host.current_project()->play_state = 1;

        stale = {Host::handle(closed),    Host::handle(gone),
                 Host::handle(deleted),   Host::handle(deleted->takes[0]),
                 Host::handle(destroyed), Host::handle(kept),
                 Host::handle(live_item), Host::handle(live_item->takes[0]),
                 Host::handle(spare)};
        host.close_project(closed);
        host.delete_track(gone);
        ASSERT_TRUE(r::DeleteTrackMediaItem(Host::handle(kept), Host::handle(deleted)));
        r::PCM_Source_Destroy(Host::handle(destroyed));

        // A null project means the current one, so the closed one stands in for it here.
        null = stale;
        null.track = nullptr;
        null.item = nullptr;
        null.take = nullptr;
        null.source = nullptr;

        sim::Track* theirs = foreign.add_track(nullptr, "theirs", true);
        sim::Item* their_item = foreign.add_item(theirs, full_item(0.0, true));
        alien = stale;
        alien.project = Host::handle(foreign.current_project());
        alien.track = Host::handle(theirs);
        alien.item = Host::handle(their_item);
        alien.take = Host::handle(their_item->takes[0]);
        alien.source = Host::handle(their_item->takes[0]->source);

        // Each kind handed in as another kind.
        mistyped = stale;
        mistyped.project = reinterpret_cast<ReaProject*>(stale.live_track);
        mistyped.track = reinterpret_cast<MediaTrack*>(stale.live_item);
        mistyped.item = reinterpret_cast<MediaItem*>(stale.live_take);
        mistyped.take = reinterpret_cast<MediaItem_Take*>(stale.live_source);
        mistyped.source = reinterpret_cast<PCM_source*>(stale.live_item);
        host.clear_call_log();
    }

    void expect_nothing(const Handles& handles, const char* kind) {
        for (const Case& c : cases()) {
            const std::string before = host.dump();
            const int destroyed = host.sources_destroyed();
            const int redraws = host.redraw_count();
            EXPECT_TRUE(c.answers_nothing(handles)) << c.function << " with " << kind;
            EXPECT_EQ(host.dump(), before) << c.function << " with " << kind;
            EXPECT_EQ(host.sources_destroyed(), destroyed) << c.function << " with " << kind;
            EXPECT_EQ(host.redraw_count(), redraws) << c.function << " with " << kind;
            EXPECT_GE(host.calls_to(c.function), 1) << c.function << " is logged";
        }
    }

    Host foreign;  // built first, so `host` is the active one
    Host host;
    sim::Item* live_item = nullptr;
    Handles stale{}, null{}, alien{}, mistyped{};
};

TEST_F(BadHandles, NullHandlesAnswerNothing) {
    expect_nothing(null, "null handles");
}

TEST_F(BadHandles, StaleHandlesAnswerNothing) {
    expect_nothing(stale, "stale handles");
}

TEST_F(BadHandles, AnotherHostsHandlesAnswerNothing) {
    const std::string theirs = foreign.dump();
    expect_nothing(alien, "another host's handles");
    EXPECT_EQ(foreign.dump(), theirs);
}

TEST_F(BadHandles, HandlesOfTheWrongKindAnswerNothing) {
    expect_nothing(mistyped, "mistyped handles");
}

// Guards the table itself: with live handles in the bad places, every case that returns something
// answers, so none of them passes whatever it is given.
TEST_F(BadHandles, TheSameCasesAnswerForLiveHandles) {
    Handles live = stale;
    live.project = nullptr;
    live.track = stale.live_track;
    live.item = stale.live_item;
    live.take = stale.live_take;
    live.source = Host::handle(live_item->takes[0]->source);
    const std::set<std::string> nothing_to_answer = {
        "PCM_Source_Destroy", "SetMediaItemSelected", "SetOnlyTrackSelected",
        "SetTrackSelected",   "SetEditCurPos2",       "DeleteTrackMediaItem"};
    for (const Case& c : cases()) {
        if (nothing_to_answer.count(c.function) != 0) continue;
        EXPECT_FALSE(c.answers_nothing(live)) << c.function;
    }
}

TEST_F(BadHandles, DestroyingAStaleSourceIsAMisuseNotACrash) {
    const std::size_t before = host.misuse().size();
    r::PCM_Source_Destroy(stale.source);
    ASSERT_EQ(host.misuse().size(), before + 1);
    r::PCM_Source_Destroy(nullptr);
    EXPECT_EQ(host.misuse().size(), before + 1);
}

TEST_F(BadHandles, TheTableCoversEveryFunctionTakingAHandle) {
    std::set<std::string> covered;
    for (const Case& c : cases()) covered.insert(c.function);
    for (const std::string& name : sim::host_function_names()) {
        EXPECT_TRUE(covered.count(name) != 0 || kWithoutHandles.count(name) != 0) << name;
    }
}

TEST(NoActiveHost, EveryFunctionAnswersNothing) {
    ASSERT_EQ(Host::active(), nullptr);
    const Handles none{};
    for (const Case& c : cases()) {
        EXPECT_TRUE(c.answers_nothing(none)) << c.function;
    }
    // Null projects have nothing to fall back on either.
    EXPECT_EQ(r::TimeMap_curFrameRate(nullptr, nullptr), 0.0);
    EXPECT_EQ(r::GetCursorPositionEx(nullptr), 0.0);
    EXPECT_EQ(r::CountMediaItems(nullptr), 0);
    EXPECT_EQ(r::plugin_register("API_X", reinterpret_cast<void*>(&r::GetTrack)), 0);
    EXPECT_EQ(r::InsertMedia("/nowhere/x.wav", 0), 0);
    EXPECT_EQ(r::GetPlayState(), 0);
    EXPECT_EQ(r::ShowMessageBox("text", "title", 4), 0);
    r::CSurf_GoEnd();
    r::UpdateArrange();
    r::ShowConsoleMsg("nobody listens\n");
}

}  // namespace
