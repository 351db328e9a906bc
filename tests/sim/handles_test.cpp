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

// A case named after the function it calls, so the table cannot misname one.
#define QM_CASE(function, ...)                                  \
    Case {                                                      \
#function, [](const Handles& h) { return __VA_ARGS__; } \
    }

template <typename F>
bool done(F&& call) {
    call();
    return true;
}

std::vector<Case> cases() {
    return {
        QM_CASE(GetMediaItem, !r::GetMediaItem(h.project, 0)),
        QM_CASE(GetSelectedMediaItem, !r::GetSelectedMediaItem(h.project, 0)),
        QM_CASE(GetTrack, !r::GetTrack(h.project, 0)),
        QM_CASE(GetSelectedTrack, !r::GetSelectedTrack(h.project, 0)),
        QM_CASE(GetTrackMediaItem, !r::GetTrackMediaItem(h.track, 0)),
        QM_CASE(CountMediaItems, r::CountMediaItems(h.project) == 0),
        QM_CASE(CountSelectedMediaItems, r::CountSelectedMediaItems(h.project) == 0),
        QM_CASE(CountTrackMediaItems, r::CountTrackMediaItems(h.track) == 0),
        QM_CASE(CountSelectedTracks, r::CountSelectedTracks(h.project) == 0),
        QM_CASE(CountTracks, r::CountTracks(h.project) == 0),
        QM_CASE(GetMediaItem_Track, !r::GetMediaItem_Track(h.item)),
        QM_CASE(GetItemProjectContext, !r::GetItemProjectContext(h.item)),
        QM_CASE(GetActiveTake, !r::GetActiveTake(h.item)),
        QM_CASE(GetMediaItemTake_Source, !r::GetMediaItemTake_Source(h.take)),
        QM_CASE(GetMediaItemInfo_Value, r::GetMediaItemInfo_Value(h.item, "D_POSITION") == 0.0),
        QM_CASE(SetMediaItemInfo_Value, !r::SetMediaItemInfo_Value(h.item, "D_POSITION", 3.0)),
        QM_CASE(GetMediaItemTakeInfo_Value, r::GetMediaItemTakeInfo_Value(h.take, "D_VOL") == 0),
        QM_CASE(SetMediaItemTakeInfo_Value, !r::SetMediaItemTakeInfo_Value(h.take, "D_VOL", 0.5)),
        // A null value asks for the source instead of setting one.
        QM_CASE(GetSetMediaItemTakeInfo,
                !r::GetSetMediaItemTakeInfo(h.take, "P_SOURCE", nullptr) &&
                    !r::GetSetMediaItemTakeInfo(h.take, "P_ITEM", nullptr) &&
                    !r::GetSetMediaItemTakeInfo(h.take, "P_SOURCE", h.live_source) &&
                    (!h.source || !r::GetSetMediaItemTakeInfo(h.live_take, "P_SOURCE", h.source))),
        QM_CASE(GetSetMediaItemTakeInfo_String,
                [&h] {
                    char name[16] = "untouched";
                    return !r::GetSetMediaItemTakeInfo_String(h.take, "P_NAME", name, false) &&
                           std::strcmp(name, "untouched") == 0 &&
                           !r::GetSetMediaItemTakeInfo_String(h.take, "P_NAME", name, true);
                }()),
        QM_CASE(GetMediaTrackInfo_Value,
                r::GetMediaTrackInfo_Value(h.track, "P_PROJECT") == 0 &&
                    r::GetMediaTrackInfo_Value(h.track, "I_SELECTED") == 0),
        QM_CASE(GetTakeName, !r::GetTakeName(h.take)),
        QM_CASE(GetMediaSourceType,
                [&h] {
                    char type[16] = "untouched";
                    r::GetMediaSourceType(h.source, type, sizeof type);
                    return type[0] == '\0';
                }()),
        QM_CASE(GetMediaSourceSampleRate, r::GetMediaSourceSampleRate(h.source) == 0),
        QM_CASE(GetMediaSourceNumChannels, r::GetMediaSourceNumChannels(h.source) == 0),
        QM_CASE(CF_GetMediaSourceBitDepth, r::CF_GetMediaSourceBitDepth(h.source) == 0),
        QM_CASE(PCM_Source_Destroy, done([&h] { r::PCM_Source_Destroy(h.source); })),
        QM_CASE(AddMediaItemToTrack, !r::AddMediaItemToTrack(h.track)),
        QM_CASE(AddTakeToMediaItem, !r::AddTakeToMediaItem(h.item)),
        QM_CASE(DeleteTrackMediaItem, !r::DeleteTrackMediaItem(h.track, h.live_item) &&
                                          !r::DeleteTrackMediaItem(h.live_track, h.item)),
        QM_CASE(MoveMediaItemToTrack, !r::MoveMediaItemToTrack(h.item, h.live_track) &&
                                          !r::MoveMediaItemToTrack(h.live_item, h.track)),
        QM_CASE(SetMediaItemSelected, done([&h] { r::SetMediaItemSelected(h.item, true); })),
        QM_CASE(SetOnlyTrackSelected, done([&h] { r::SetOnlyTrackSelected(h.track); })),
        QM_CASE(SetTrackSelected, done([&h] { r::SetTrackSelected(h.track, true); })),
        QM_CASE(TimeMap_curFrameRate,
                [&h] {
                    bool drop = true;
                    return r::TimeMap_curFrameRate(h.project, &drop) == 0.0 && drop;
                }()),
        QM_CASE(GetPlayPositionEx, r::GetPlayPositionEx(h.project) == 0.0),
        QM_CASE(GetCursorPositionEx, r::GetCursorPositionEx(h.project) == 0.0),
        QM_CASE(SetEditCurPos2, done([&h] { r::SetEditCurPos2(h.project, 5.0, true, true); })),
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

        live = {nullptr,
                Host::handle(kept),
                Host::handle(live_item),
                Host::handle(live_item->takes[0]),
                Host::handle(live_item->takes[0]->source),
                Host::handle(kept),
                Host::handle(live_item),
                Host::handle(live_item->takes[0]),
                Host::handle(spare)};
        stale = bad(Host::handle(closed), Host::handle(gone), Host::handle(deleted),
                    Host::handle(deleted->takes[0]), Host::handle(destroyed));
        host.close_project(closed);
        host.delete_track(gone);
        ASSERT_TRUE(r::DeleteTrackMediaItem(Host::handle(kept), Host::handle(deleted)));
        r::PCM_Source_Destroy(Host::handle(destroyed));
        // A null project means the current one, so the closed one stands in for it here.
        null = bad(stale.project, nullptr, nullptr, nullptr, nullptr);
        sim::Item* theirs = foreign.add_item(foreign.add_track(), full_item(0.0, true));
        alien = bad(Host::handle(foreign.current_project()), Host::handle(theirs->track),
                    Host::handle(theirs), Host::handle(theirs->takes[0]),
                    Host::handle(theirs->takes[0]->source));
        // Each kind handed in as another kind.
        mistyped = bad(
            reinterpret_cast<ReaProject*>(live.track), reinterpret_cast<MediaTrack*>(live.item),
            reinterpret_cast<MediaItem*>(live.take), reinterpret_cast<MediaItem_Take*>(live.source),
            reinterpret_cast<PCM_source*>(live.item));
        host.clear_call_log();
    }

    Handles bad(ReaProject* p, MediaTrack* t, MediaItem* i, MediaItem_Take* k, PCM_source* s) {
        return {p, t, i, k, s, live.live_track, live.live_item, live.live_take, live.live_source};
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
    Handles live{}, stale{}, null{}, alien{}, mistyped{};
};

TEST_F(BadHandles, NullStaleForeignAndMistypedHandlesAnswerNothing) {
    const std::string theirs = foreign.dump();
    expect_nothing(null, "null handles");
    expect_nothing(stale, "stale handles");
    expect_nothing(alien, "another host's handles");
    expect_nothing(mistyped, "mistyped handles");
    EXPECT_EQ(foreign.dump(), theirs);
    // Destroying a stale source is a recorded misuse; a null one is nothing at all.
    const std::size_t before = host.misuse().size();
    r::PCM_Source_Destroy(stale.source);
    r::PCM_Source_Destroy(nullptr);
    EXPECT_EQ(host.misuse().size(), before + 1);
}

// Guards the table itself: with live handles in the bad places, every case that returns something
// answers, so none of them passes whatever it is given.
TEST_F(BadHandles, TheSameCasesAnswerForLiveHandles) {
    const std::set<std::string> nothing_to_answer = {
        "PCM_Source_Destroy", "SetMediaItemSelected", "SetOnlyTrackSelected",
        "SetTrackSelected",   "SetEditCurPos2",       "DeleteTrackMediaItem"};
    for (const Case& c : cases()) {
        if (nothing_to_answer.count(c.function) != 0) continue;
        EXPECT_FALSE(c.answers_nothing(live)) << c.function;
    }
}

// Pins the host's function list: the facts sheet's functions, ShowConsoleMsg and SWS's one.
TEST_F(BadHandles, TheTableAndTheFunctionsWithoutHandlesAreEveryHostFunction) {
    std::set<std::string> covered = kWithoutHandles;
    for (const Case& c : cases()) covered.insert(c.function);
    EXPECT_EQ(covered, std::set<std::string>(sim::host_function_names().begin(),
                                             sim::host_function_names().end()));
    EXPECT_EQ(covered.size(), 45u);
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
