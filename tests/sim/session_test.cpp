// Counting, parameters, selection and editing through the C host functions.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
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
    return Host::handle(item);
}
MediaTrack* h(sim::Track* track) {
    return Host::handle(track);
}

using Handles = std::vector<const void*>;

// What nth(i) answers from i = 0 to the first null, checking that -1 and 1000 answer null too.
template <typename F>
Handles answers(F nth) {
    EXPECT_EQ(nth(-1), nullptr);
    EXPECT_EQ(nth(1000), nullptr);
    Handles out;
    for (int i = 0; nth(i) != nullptr && i < 100; ++i) out.push_back(nth(i));
    return out;
}

TEST_F(Session, IndicesCountFromZeroTrackByTrackThenAlongEachTrack) {
    auto item = [](int i) { return r::GetMediaItem(nullptr, i); };
    auto selected_item = [](int i) { return r::GetSelectedMediaItem(nullptr, i); };
    auto track = [](int i) { return r::GetTrack(nullptr, i); };
    auto selected_track = [](int i) { return r::GetSelectedTrack(nullptr, i); };
    auto on = [](sim::Track* t) { return [t](int i) { return r::GetTrackMediaItem(h(t), i); }; };
    EXPECT_EQ(answers(item), (Handles{h(a), h(b), h(c), h(d), h(e)}));
    EXPECT_EQ(r::CountMediaItems(nullptr), 5);
    EXPECT_EQ(answers(selected_item), (Handles{h(a), h(d), h(e)}));
    EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 3);
    EXPECT_EQ(answers(track), (Handles{h(t0), h(t1), h(t2)}));
    EXPECT_EQ(answers(selected_track), (Handles{h(t1), h(t2)}));
    EXPECT_EQ(r::CountSelectedTracks(nullptr), 2);
    EXPECT_EQ(answers(on(t0)), (Handles{h(a), h(b)}));
    EXPECT_EQ(answers(on(t1)), Handles{});
    EXPECT_EQ(answers(on(t2)), (Handles{h(c), h(d), h(e)}));
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
    EXPECT_EQ(r::CountMediaItems(Host::handle(host.current_project())), 5);

    host.set_current_project(other);
    EXPECT_EQ(r::CountMediaItems(nullptr), 1);
    EXPECT_EQ(r::GetTrack(nullptr, 0), h(lone));
}

TEST_F(Session, ItemTakeAndTrackContext) {
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

    const std::pair<const char*, double> track_cases[] = {
        {"I_SELECTED", 1.0}, {"IP_TRACKNUMBER", 2.0}, {"B_UNKNOWN", 0.0},
        {"", 0.0},           {nullptr, 0.0},          {"i_selected", 0.0}};
    for (const auto& [name, expected] : track_cases) {
        EXPECT_EQ(r::GetMediaTrackInfo_Value(h(t1), name), expected) << (name ? name : "(null)");
    }
    EXPECT_EQ(r::GetMediaTrackInfo_Value(h(t0), "I_SELECTED"), 0.0);
    const double project = r::GetMediaTrackInfo_Value(h(t0), "P_PROJECT");
    EXPECT_EQ(reinterpret_cast<ReaProject*>(static_cast<std::uintptr_t>(project)),
              Host::handle(host.current_project()));
}

// Item and take parameters behind one interface, so both get the same checks.
struct Parameters {
    const char* what;
    std::vector<const char*> names;
    std::function<double(const char*)> get;
    std::function<bool(const char*, double)> set;
};

std::vector<Parameters> parameters_of(MediaItem* item, MediaItem_Take* take) {
    return {
        {"item",
         {"D_POSITION", "D_LENGTH", "D_FADEINLEN", "D_FADEOUTLEN", "C_FADEINSHAPE",
          "C_FADEOUTSHAPE", "B_MUTE", "B_MUTE_ACTUAL", "B_LOOPSRC", "C_LOCK", "D_VOL", "B_UISEL"},
         [item](const char* n) { return r::GetMediaItemInfo_Value(item, n); },
         [item](const char* n, double v) { return r::SetMediaItemInfo_Value(item, n, v); }},
        {"take",
         {"D_STARTOFFS", "D_VOL", "D_PAN", "D_PLAYRATE", "D_PITCH", "B_PPITCH", "I_CHANMODE",
          "I_PITCHMODE"},
         [take](const char* n) { return r::GetMediaItemTakeInfo_Value(take, n); },
         [take](const char* n, double v) { return r::SetMediaItemTakeInfo_Value(take, n, v); }},
    };
}

// Every parameter reads back exactly what was written, and writing one leaves the others alone
// (except that B_MUTE drags B_MUTE_ACTUAL along).
TEST_F(Session, ParametersRoundTripExactlyAndIndependently) {
    // Values a rounding or integer store would change.
    const double values[] = {0.1 + 0.2, -2.75, 1e-300, 123456789.123456789, 3.0};
    for (const Parameters& p : parameters_of(h(b), r::AddTakeToMediaItem(h(b)))) {
        auto all = [&] {
            std::vector<double> out;
            for (const char* name : p.names) out.push_back(p.get(name));
            return out;
        };
        for (std::size_t written = 0; written < p.names.size(); ++written) {
            const std::string name = p.names[written];
            for (double value : values) {
                std::vector<double> expected = all();
                expected[written] = value;
                if (name == "B_MUTE") expected[written + 1] = value;
                ASSERT_TRUE(p.set(name.c_str(), value)) << p.what << " " << name;
                EXPECT_EQ(all(), expected) << p.what << " " << name << " " << value;
            }
        }
    }
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_MUTE", 1.0));
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_MUTE_ACTUAL", 0.0));
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(b), "B_MUTE"), 1.0) << "the actual mute drags nothing";
}

TEST_F(Session, UnknownNamesAndFailingWritesAnswerFalseAndWriteNothing) {
    const auto params = parameters_of(h(b), r::AddTakeToMediaItem(h(b)));
    host.fail_parameter_writes("D_VOL");
    host.fail_parameter_writes("B_MUTE");
    const std::string before = host.dump();
    // Names of the other kind, wrong case, strings, padding, nothing.
    const std::vector<const char*> misses[] = {
        {"D_PLAYRATE", "d_position", "P_NAME", "", "D_POSITION ", nullptr},
        {"D_POSITION", "B_MUTE_ACTUAL", "d_vol", "P_SOURCE", "", nullptr}};
    for (std::size_t k = 0; k < params.size(); ++k) {
        for (const char* name : misses[k]) {
            EXPECT_FALSE(params[k].set(name, 7.0)) << params[k].what << (name ? name : "(null)");
            EXPECT_EQ(params[k].get(name), 0.0) << params[k].what << (name ? name : "(null)");
        }
        EXPECT_FALSE(params[k].set("D_VOL", 0.25)) << params[k].what;
    }
    EXPECT_FALSE(params[0].set("B_MUTE", 1.0));
    EXPECT_EQ(host.dump(), before);
    EXPECT_TRUE(params[0].set("D_POSITION", 9.0));
    EXPECT_TRUE(params[1].set("D_PAN", -0.5));
}

TEST_F(Session, ANewItemAndANewTakeStartAsReaperMakesThem) {
    MediaItem* item = r::AddMediaItemToTrack(h(t1));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(r::CountTrackMediaItems(h(t1)), 1);
    EXPECT_EQ(r::GetMediaItem_Track(item), h(t1));
    EXPECT_EQ(r::GetActiveTake(item), nullptr);
    MediaItem_Take* first = r::AddTakeToMediaItem(item);
    MediaItem_Take* second = r::AddTakeToMediaItem(item);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(r::GetActiveTake(item), first);
    EXPECT_EQ(r::GetMediaItemTake_Source(first), nullptr);
    EXPECT_STREQ(r::GetTakeName(first), "");

    const std::vector<double> defaults[] = {{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0},
                                            {0, 1, 0, 1, 0, 0, 0, -1}};
    const auto params = parameters_of(item, second);
    for (std::size_t k = 0; k < params.size(); ++k) {
        for (std::size_t i = 0; i < params[k].names.size(); ++i) {
            EXPECT_EQ(params[k].get(params[k].names[i]), defaults[k][i]) << params[k].names[i];
        }
    }
}

TEST_F(Session, ItemAndTrackSelection) {
    ASSERT_TRUE(r::SetMediaItemInfo_Value(h(b), "B_UISEL", 1.0));
    EXPECT_TRUE(b->selected());
    EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 4);
    EXPECT_EQ(r::GetSelectedMediaItem(nullptr, 1), h(b));
    r::SetMediaItemSelected(h(a), false);
    EXPECT_EQ(r::GetMediaItemInfo_Value(h(a), "B_UISEL"), 0.0);
    EXPECT_EQ(r::GetSelectedMediaItem(nullptr, 0), h(b));
    r::SetMediaItemSelected(h(c), true);
    EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 4);

    sim::Track* elsewhere = host.add_track(host.add_project("other"), "elsewhere", true);
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

TEST_F(Session, DeletingNeedsTheItemsOwnTrackAndMovingAppends) {
    sim::TakeSpec take;
    take.source = sim::SourceSpec{};
    sim::ItemSpec wanted = item_at(9.0);
    wanted.takes = {take};
    sim::Item* doomed = host.add_item(t2, wanted);
    MediaItem_Take* doomed_take = Host::handle(doomed->takes[0]);
    EXPECT_FALSE(r::DeleteTrackMediaItem(h(t0), h(doomed)));
    ASSERT_TRUE(r::DeleteTrackMediaItem(h(t2), h(doomed)));
    EXPECT_EQ(r::CountTrackMediaItems(h(t2)), 3);
    EXPECT_EQ(host.item(h(doomed)), nullptr);
    EXPECT_EQ(host.take(doomed_take), nullptr);
    EXPECT_FALSE(r::DeleteTrackMediaItem(h(t2), h(doomed)));  // only once
    EXPECT_EQ(r::GetTrackMediaItem(h(t2), 2), h(e));

    ASSERT_TRUE(r::MoveMediaItemToTrack(h(a), h(t2)));
    EXPECT_EQ(r::GetMediaItem_Track(h(a)), h(t2));
    EXPECT_EQ(r::CountTrackMediaItems(h(t0)), 1);
    EXPECT_EQ(r::GetTrackMediaItem(h(t2), 3), h(a));
    EXPECT_EQ(r::GetMediaItem(nullptr, 0), h(b));
    EXPECT_EQ(r::GetMediaItem(nullptr, 4), h(a));
    sim::Project* other = host.add_project("other");
    ASSERT_TRUE(r::MoveMediaItemToTrack(h(a), h(host.add_track(other))));
    EXPECT_EQ(r::GetItemProjectContext(h(a)), Host::handle(other));
    EXPECT_EQ(r::CountMediaItems(nullptr), 4);
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
        EXPECT_EQ(r::GetTrack(nullptr, 0), nullptr);
        first.activate();
        EXPECT_EQ(r::GetTrack(nullptr, 0), Host::handle(first.current_project()->tracks[0]));
        second.activate();
    }
    EXPECT_EQ(Host::active(), nullptr);  // the active one went away
    EXPECT_EQ(r::GetTrack(nullptr, 0), nullptr);
    EXPECT_EQ(first.calls_to("GetTrack"), 1);
    auto gone = std::make_unique<Host>();
    first.activate();
    gone.reset();  // destroying an inactive host keeps the active one
    EXPECT_EQ(Host::active(), &first);
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
