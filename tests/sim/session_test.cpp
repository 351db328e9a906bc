// Counting, parameters, selection and editing through the C host functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/host.h"

namespace {

namespace r = sim::reaper;
using sim::Host;

sim::ItemSpec item_at(double position, bool selected = false) {
    sim::ItemSpec wanted;
    wanted.position = position;
    wanted.selected = selected;
    return wanted;
}

// Three tracks: a (selected), b on the first; nothing on the second; c, d (selected), e (selected)
// on the third. The second and third tracks are selected.
class Session : public ::testing::Test {
protected:
    void SetUp() override {
        t0 = host.add_track(nullptr, "T0");
        t1 = host.add_track(nullptr, "T1", true);
        t2 = host.add_track(nullptr, "T2", true);
        a = host.add_item(t0, item_at(0.0, true));
        b = host.add_item(t0, item_at(4.0));
        c = host.add_item(t2, item_at(1.0));
        d = host.add_item(t2, item_at(2.0, true));
        e = host.add_item(t2, item_at(3.0, true));
    }

    Host host;
    sim::Track *t0 = nullptr, *t1 = nullptr, *t2 = nullptr;
    sim::Item *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr;
};

MediaItem* h(sim::Item* item) {
    return item != nullptr ? Host::handle(item) : nullptr;
}
MediaTrack* h(sim::Track* track) {
    return track != nullptr ? Host::handle(track) : nullptr;
}

TEST_F(Session, ItemIndicesRunTrackByTrackThenAlongEachTrack) {
    const std::vector<std::pair<int, sim::Item*>> cases = {
        {0, a}, {1, b}, {2, c}, {3, d}, {4, e}, {5, nullptr}, {-1, nullptr}, {1000, nullptr}};
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(r::GetMediaItem(nullptr, index), h(expected)) << index;
    }
    EXPECT_EQ(r::CountMediaItems(nullptr), 5);
}

TEST_F(Session, SelectedItemIndicesSkipUnselectedItems) {
    const std::vector<std::pair<int, sim::Item*>> cases = {
        {0, a}, {1, d}, {2, e}, {3, nullptr}, {-1, nullptr}};
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(r::GetSelectedMediaItem(nullptr, index), h(expected)) << index;
    }
    EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 3);
}

TEST_F(Session, TrackIndicesAndSelectedTrackIndices) {
    const std::vector<std::pair<int, sim::Track*>> all = {
        {0, t0}, {1, t1}, {2, t2}, {3, nullptr}, {-1, nullptr}};
    for (const auto& [index, expected] : all) {
        EXPECT_EQ(r::GetTrack(nullptr, index), h(expected)) << index;
    }
    const std::vector<std::pair<int, sim::Track*>> selected = {
        {0, t1}, {1, t2}, {2, nullptr}, {-1, nullptr}};
    for (const auto& [index, expected] : selected) {
        EXPECT_EQ(r::GetSelectedTrack(nullptr, index), h(expected)) << index;
    }
    EXPECT_EQ(r::CountSelectedTracks(nullptr), 2);
}

TEST_F(Session, ItemsOfOneTrack) {
    const std::vector<std::pair<int, sim::Item*>> cases = {
        {0, c}, {1, d}, {2, e}, {3, nullptr}, {-1, nullptr}};
    for (const auto& [index, expected] : cases) {
        EXPECT_EQ(r::GetTrackMediaItem(h(t2), index), h(expected)) << index;
    }
    EXPECT_EQ(r::GetTrackMediaItem(h(t1), 0), nullptr);
    EXPECT_EQ(r::CountTrackMediaItems(h(t0)), 2);
    EXPECT_EQ(r::CountTrackMediaItems(h(t1)), 0);
    EXPECT_EQ(r::CountTrackMediaItems(h(t2)), 3);
}

TEST_F(Session, ANullProjectIsTheCurrentOneAndOthersAnswerForThemselves) {
    sim::Project* other = host.add_project("other");
    sim::Track* lone = host.add_track(other, "lone");
    sim::Item* only = host.add_item(lone, item_at(0.0, true));
    ReaProject* other_handle = Host::handle(other);

    EXPECT_EQ(r::CountMediaItems(other_handle), 1);
    EXPECT_EQ(r::GetMediaItem(other_handle, 0), h(only));
    EXPECT_EQ(r::GetSelectedMediaItem(other_handle, 0), h(only));
    EXPECT_EQ(r::GetTrack(other_handle, 0), h(lone));
    EXPECT_EQ(r::CountSelectedTracks(other_handle), 0);
    EXPECT_EQ(r::CountMediaItems(nullptr), 5);
    EXPECT_EQ(r::CountMediaItems(Host::handle(host.current_project())), 5);

    host.set_current_project(other);
    EXPECT_EQ(r::CountMediaItems(nullptr), 1);
    EXPECT_EQ(r::GetTrack(nullptr, 0), h(lone));
}

TEST_F(Session, ItemAndTakeContext) {
    sim::TakeSpec first;
    first.name = "first";
    sim::TakeSpec second;
    second.name = "second";
    sim::ItemSpec wanted;
    wanted.takes = {first, second};
    wanted.active_take = 1;
    sim::Item* two_takes = host.add_item(t1, wanted);

    EXPECT_EQ(r::GetMediaItem_Track(h(c)), h(t2));
    EXPECT_EQ(r::GetItemProjectContext(h(c)), Host::handle(host.current_project()));
    EXPECT_EQ(r::GetActiveTake(h(a)), nullptr);  // an item without takes
    MediaItem_Take* active = r::GetActiveTake(h(two_takes));
    ASSERT_EQ(active, Host::handle(two_takes->takes[1]));
    EXPECT_STREQ(r::GetTakeName(active), "second");
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(active, "P_ITEM", nullptr), h(two_takes));
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(active, "P_TRACK", nullptr), h(t1));
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(active, "P_UNKNOWN", nullptr), nullptr);
}

TEST_F(Session, TrackParameters) {
    struct Case {
        sim::Track* track;
        const char* parmname;
        double expected;
    };
    const Case cases[] = {
        {t0, "I_SELECTED", 0.0},     {t1, "I_SELECTED", 1.0}, {t0, "IP_TRACKNUMBER", 1.0},
        {t2, "IP_TRACKNUMBER", 3.0}, {t0, "B_UNKNOWN", 0.0},  {t0, "", 0.0},
        {t0, nullptr, 0.0},          {t0, "i_selected", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(r::GetMediaTrackInfo_Value(h(c.track), c.parmname), c.expected)
            << (c.parmname != nullptr ? c.parmname : "(null)");
    }
    const double project = r::GetMediaTrackInfo_Value(h(t0), "P_PROJECT");
    EXPECT_EQ(reinterpret_cast<ReaProject*>(static_cast<std::uintptr_t>(project)),
              Host::handle(host.current_project()));
}

const char* const kItemParameterNames[] = {
    "D_POSITION", "D_LENGTH",      "D_FADEINLEN", "D_FADEOUTLEN", "C_FADEINSHAPE", "C_FADEOUTSHAPE",
    "B_MUTE",     "B_MUTE_ACTUAL", "B_LOOPSRC",   "C_LOCK",       "D_VOL",         "B_UISEL"};
const char* const kTakeParameterNames[] = {"D_STARTOFFS", "D_VOL",    "D_PAN",      "D_PLAYRATE",
                                           "D_PITCH",     "B_PPITCH", "I_CHANMODE", "I_PITCHMODE"};
// Values a rounding or integer store would change.
const double kAwkwardValues[] = {0.1 + 0.2, -2.75, 1e-300, 123456789.123456789, 3.0};

TEST_F(Session, EveryItemParameterReadsBackExactlyWhatWasWritten) {
    for (const char* name : kItemParameterNames) {
        for (double value : kAwkwardValues) {
            ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), name, value)) << name;
            EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), name), value) << name;
        }
    }
}

TEST_F(Session, EveryTakeParameterReadsBackExactlyWhatWasWritten) {
    MediaItem_Take* take = r::AddTakeToMediaItem(h(b));
    ASSERT_NE(take, nullptr);
    for (const char* name : kTakeParameterNames) {
        for (double value : kAwkwardValues) {
            ASSERT_TRUE(r::SetMediaItemTakeInfo_Value(take, name, value)) << name;
            EXPECT_EQ(r::GetMediaItemTakeInfo_Value(take, name), value) << name;
        }
    }
}

TEST_F(Session, WritingOneParameterLeavesTheOthersAlone) {
    MediaItem_Take* take = r::AddTakeToMediaItem(h(b));
    auto item_values = [&] {
        std::vector<double> out;
        for (const char* name : kItemParameterNames)
            out.push_back(r::GetMediaItemInfo_Value(h(b), name));
        return out;
    };
    auto take_values = [&] {
        std::vector<double> out;
        for (const char* name : kTakeParameterNames)
            out.push_back(r::GetMediaItemTakeInfo_Value(take, name));
        return out;
    };
    for (std::size_t written = 0; written < std::size(kItemParameterNames); ++written) {
        std::vector<double> expected = item_values();
        expected[written] = 42.5;
        if (std::strcmp(kItemParameterNames[written], "B_MUTE") == 0) expected[7] = 42.5;
        ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), kItemParameterNames[written], 42.5));
        EXPECT_EQ(item_values(), expected) << kItemParameterNames[written];
    }
    for (std::size_t written = 0; written < std::size(kTakeParameterNames); ++written) {
        std::vector<double> expected = take_values();
        expected[written] = 42.5;
        ASSERT_TRUE(r::SetMediaItemTakeInfo_Value(take, kTakeParameterNames[written], 42.5));
        EXPECT_EQ(take_values(), expected) << kTakeParameterNames[written];
    }
}

TEST_F(Session, MuteDragsTheActualMuteAlongButNotTheOtherWay) {
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_MUTE", 1.0));
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), "B_MUTE_ACTUAL"), 1.0);
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_MUTE_ACTUAL", 0.0));
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), "B_MUTE"), 1.0);
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_MUTE", 0.0));
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), "B_MUTE_ACTUAL"), 0.0);
}

TEST_F(Session, UnknownParameterNamesAreRefusedAndReadAsZero) {
    MediaItem_Take* take = r::AddTakeToMediaItem(h(b));
    r::SetMediaItemTakeInfo_Value(take, "D_VOL", 0.5);
    const std::string before = host.dump();
    // Take names on an item, item names on a take, wrong case, strings, nothing.
    const char* const item_misses[] = {"D_PLAYRATE", "d_position",  "P_NAME",
                                       "",           "D_POSITION ", nullptr};
    for (const char* name : item_misses) {
        EXPECT_FALSE(r::SetMediaItemInfo_Value(h(b), name, 7.0)) << (name ? name : "(null)");
        EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), name), 0.0) << (name ? name : "(null)");
    }
    const char* const take_misses[] = {"D_POSITION", "B_MUTE", "d_vol", "P_SOURCE", "", nullptr};
    for (const char* name : take_misses) {
        EXPECT_FALSE(r::SetMediaItemTakeInfo_Value(take, name, 7.0)) << (name ? name : "(null)");
        EXPECT_EQ(r::GetMediaItemTakeInfo_Value(take, name), 0.0) << (name ? name : "(null)");
    }
    EXPECT_EQ(host.dump(), before);
}

TEST_F(Session, FailingParameterWritesAnswerFalseAndWriteNothing) {
    MediaItem_Take* take = r::AddTakeToMediaItem(h(b));
    host.fail_parameter_writes("D_VOL");
    host.fail_parameter_writes("B_MUTE");
    const std::string before = host.dump();
    EXPECT_FALSE(r::SetMediaItemInfo_Value(h(b), "D_VOL", 0.25));
    EXPECT_FALSE(r::SetMediaItemInfo_Value(h(b), "B_MUTE", 1.0));
    EXPECT_FALSE(r::SetMediaItemTakeInfo_Value(take, "D_VOL", 0.25));
    EXPECT_EQ(host.dump(), before);
    EXPECT_TRUE(host.parameter_write_fails("D_VOL"));
    EXPECT_FALSE(host.parameter_write_fails("D_PAN"));
    EXPECT_TRUE(r::SetMediaItemInfo_Value(h(b), "D_POSITION", 9.0));
    EXPECT_TRUE(r::SetMediaItemTakeInfo_Value(take, "D_PAN", -0.5));
}

TEST_F(Session, ANewItemAndANewTakeStartAsReaperMakesThem) {
    MediaItem* item = r::AddMediaItemToTrack(h(t1));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(r::CountTrackMediaItems(h(t1)), 1);
    EXPECT_EQ(r::GetMediaItem_Track(item), h(t1));
    EXPECT_EQ(r::GetActiveTake(item), nullptr);
    const std::pair<const char*, double> item_defaults[] = {
        {"D_POSITION", 0},    {"D_LENGTH", 0},       {"D_FADEINLEN", 0}, {"D_FADEOUTLEN", 0},
        {"C_FADEINSHAPE", 0}, {"C_FADEOUTSHAPE", 0}, {"B_MUTE", 0},      {"B_MUTE_ACTUAL", 0},
        {"B_LOOPSRC", 1},     {"C_LOCK", 0},         {"D_VOL", 1},       {"B_UISEL", 0}};
    for (const auto& [name, expected] : item_defaults) {
        EXPECT_EQ(r::GetMediaItemInfo_Value(item, name), expected) << name;
    }

    MediaItem_Take* first = r::AddTakeToMediaItem(item);
    MediaItem_Take* second = r::AddTakeToMediaItem(item);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(r::GetActiveTake(item), first);
    EXPECT_EQ(r::GetMediaItemTake_Source(first), nullptr);
    EXPECT_STREQ(r::GetTakeName(first), "");
    const std::pair<const char*, double> take_defaults[] = {
        {"D_STARTOFFS", 0}, {"D_VOL", 1},    {"D_PAN", 0},      {"D_PLAYRATE", 1},
        {"D_PITCH", 0},     {"B_PPITCH", 0}, {"I_CHANMODE", 0}, {"I_PITCHMODE", -1}};
    for (const auto& [name, expected] : take_defaults) {
        EXPECT_EQ(r::GetMediaItemTakeInfo_Value(second, name), expected) << name;
    }
}

TEST_F(Session, SelectionThroughUiselAndThroughSetMediaItemSelected) {
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(a), "B_UISEL"), 1.0);
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), "B_UISEL"), 0.0);
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_UISEL", 1.0));
    EXPECT_TRUE(b->selected());
    EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 4);
    EXPECT_EQ(r::GetSelectedMediaItem(nullptr, 1), h(b));

    r::SetMediaItemSelected(h(a), false);
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(a), "B_UISEL"), 0.0);
    EXPECT_EQ(r::GetSelectedMediaItem(nullptr, 0), h(b));
    r::SetMediaItemSelected(h(c), true);
    EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 4);
}

TEST_F(Session, TrackSelection) {
    sim::Project* other = host.add_project("other");
    sim::Track* elsewhere = host.add_track(other, "elsewhere", true);

    r::SetOnlyTrackSelected(h(t0));
    EXPECT_TRUE(t0->selected);
    EXPECT_FALSE(t1->selected);
    EXPECT_FALSE(t2->selected);
    EXPECT_TRUE(elsewhere->selected);  // another project's selection is its own

    r::SetTrackSelected(h(t2), true);
    EXPECT_EQ(r::CountSelectedTracks(nullptr), 2);
    r::SetTrackSelected(h(t0), false);
    EXPECT_EQ(r::GetSelectedTrack(nullptr, 0), h(t2));
    EXPECT_EQ(r::GetMediaTrackInfo_Value(h(t0), "I_SELECTED"), 0.0);
}

TEST_F(Session, TakeNamesThroughTheStringAccessor) {
    MediaItem_Take* take = r::AddTakeToMediaItem(h(b));
    char name[] = "Snare top";
    ASSERT_TRUE(r::GetSetMediaItemTakeInfo_String(take, "P_NAME", name, true));
    EXPECT_STREQ(r::GetTakeName(take), "Snare top");

    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(r::GetSetMediaItemTakeInfo_String(take, "P_NAME", buffer, false));
    EXPECT_STREQ(buffer, "Snare top");
    EXPECT_EQ(buffer[10], 'x');  // copies the text and its terminator, nothing more

    char other[8] = "keep";
    EXPECT_FALSE(r::GetSetMediaItemTakeInfo_String(take, "P_NOTES", other, false));
    EXPECT_FALSE(r::GetSetMediaItemTakeInfo_String(take, "P_NOTES", other, true));
    EXPECT_FALSE(r::GetSetMediaItemTakeInfo_String(take, nullptr, other, true));
    EXPECT_FALSE(r::GetSetMediaItemTakeInfo_String(take, "P_NAME", nullptr, false));
    EXPECT_FALSE(r::GetSetMediaItemTakeInfo_String(take, "P_NAME", nullptr, true));
    EXPECT_STREQ(other, "keep");
    EXPECT_STREQ(r::GetTakeName(take), "Snare top");
}

TEST_F(Session, DeletingAnItemNeedsItsOwnTrackAndLeavesItsHandlesStale) {
    sim::TakeSpec take;
    take.source = sim::SourceSpec{};
    sim::ItemSpec wanted = item_at(9.0);
    wanted.takes = {take};
    sim::Item* doomed = host.add_item(t2, wanted);
    MediaItem_Take* doomed_take = Host::handle(doomed->takes[0]);

    EXPECT_FALSE(r::DeleteTrackMediaItem(h(t0), h(doomed)));
    EXPECT_EQ(r::CountTrackMediaItems(h(t2)), 4);
    ASSERT_TRUE(r::DeleteTrackMediaItem(h(t2), h(doomed)));
    EXPECT_EQ(r::CountTrackMediaItems(h(t2)), 3);
    EXPECT_EQ(r::CountMediaItems(nullptr), 5);
    EXPECT_EQ(host.item(h(doomed)), nullptr);
    EXPECT_EQ(host.take(doomed_take), nullptr);
    EXPECT_EQ(r::GetActiveTake(h(doomed)), nullptr);
    EXPECT_FALSE(r::DeleteTrackMediaItem(h(t2), h(doomed)));  // only once
    EXPECT_EQ(r::GetTrackMediaItem(h(t2), 2), h(e));
}

TEST_F(Session, MovingAnItemAppendsItToTheDestination) {
    ASSERT_TRUE(r::MoveMediaItemToTrack(h(a), h(t2)));
    EXPECT_EQ(r::GetMediaItem_Track(h(a)), h(t2));
    EXPECT_EQ(r::CountTrackMediaItems(h(t0)), 1);
    EXPECT_EQ(r::GetTrackMediaItem(h(t2), 3), h(a));
    EXPECT_EQ(r::GetMediaItem(nullptr, 0), h(b));
    EXPECT_EQ(r::GetMediaItem(nullptr, 4), h(a));

    sim::Project* other = host.add_project("other");
    sim::Track* away = host.add_track(other);
    ASSERT_TRUE(r::MoveMediaItemToTrack(h(a), h(away)));
    EXPECT_EQ(r::GetItemProjectContext(h(a)), Host::handle(other));
    EXPECT_EQ(r::CountMediaItems(nullptr), 4);
}

TEST_F(Session, HandlesMapBackOnlyToTheirOwnKind) {
    EXPECT_EQ(host.item(h(a)), a);
    EXPECT_EQ(host.track(h(t0)), t0);
    EXPECT_EQ(host.item(reinterpret_cast<MediaItem*>(t0)), nullptr);
    EXPECT_EQ(host.track(reinterpret_cast<MediaTrack*>(a)), nullptr);
    EXPECT_EQ(host.project(reinterpret_cast<ReaProject*>(t0)), nullptr);
    EXPECT_EQ(host.project(nullptr), host.current_project());
    EXPECT_EQ(r::CountTrackMediaItems(reinterpret_cast<MediaTrack*>(a)), 0);
}

TEST_F(Session, ValidatePointersLikeReaper) {
    sim::Project* other = host.add_project("other");
    sim::Track* away = host.add_track(other);
    MediaItem_Take* take = r::AddTakeToMediaItem(h(a));
    sim::Source* loose = host.add_source({});
    ReaProject* current = nullptr;

    struct Case {
        ReaProject* project;
        const void* pointer;
        const char* type;
        bool valid;
    };
    const Case cases[] = {
        {current, h(a), "MediaItem*", true},
        {current, h(a), "MediaTrack*", false},
        {current, h(t0), "MediaTrack*", true},
        {Host::handle(other), h(t0), "MediaTrack*", false},
        {Host::handle(other), h(away), "MediaTrack*", true},
        {current, take, "MediaItem_Take*", true},
        {Host::handle(other), take, "MediaItem_Take*", false},
        {current, Host::handle(other), "ReaProject*", true},
        {current, Host::handle(loose), "PCM_source*", true},
        {current, h(a), "PCM_source*", false},
        {current, nullptr, "MediaItem*", false},
        {current, h(a), "MediaItem", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(host.validate(c.project, c.pointer, c.type), c.valid) << c.type;
    }
}

TEST(ActiveHost, TheNewestHostAnswersUntilAnotherIsActivated) {
    Host first;
    first.add_track(nullptr, "first");
    {
        Host second;
        EXPECT_EQ(Host::active(), &second);
        EXPECT_EQ(r::GetTrack(nullptr, 0), nullptr);
        first.activate();
        EXPECT_EQ(r::GetTrack(nullptr, 0), Host::handle(first.current_project()->tracks[0]));
        second.activate();
    }
    EXPECT_EQ(Host::active(), nullptr);  // the active one went away
    EXPECT_EQ(r::GetTrack(nullptr, 0), nullptr);
    EXPECT_EQ(first.calls_to("GetTrack"), 1);
    first.activate();
    EXPECT_EQ(r::CountSelectedTracks(nullptr), 0);
    EXPECT_EQ(first.calls_to("CountSelectedTracks"), 1);
}

TEST(ActiveHost, DestroyingAnInactiveHostKeepsTheActiveOne) {
    Host kept;
    auto gone = std::make_unique<Host>();
    kept.activate();
    gone.reset();
    EXPECT_EQ(Host::active(), &kept);
}

TEST(Projects, ClosingProjectsKeepsOneCurrent) {
    Host host;
    sim::Project* first = host.current_project();
    sim::Project* second = host.add_project("second");
    host.set_current_project(second);
    host.close_project(second);
    EXPECT_EQ(host.current_project(), first);
    EXPECT_EQ(host.project(Host::handle(second)), nullptr);
    host.close_project(first);
    ASSERT_EQ(host.projects().size(), 1u);
    EXPECT_NE(host.current_project(), first);
    EXPECT_NE(host.current_project(), second);
    EXPECT_EQ(r::CountMediaItems(nullptr), 0);
}

}  // namespace
