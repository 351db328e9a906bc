// Time, transport, redraws, message boxes, the console and the call log.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "sim/host.h"

namespace {

namespace r = sim::reaper;
using sim::Host;

TEST(Transport, FrameRatePlayStateAndPositionAnswerForTheirProject) {
    Host host;
    bool drop = true;
    EXPECT_EQ(r::TimeMap_curFrameRate(nullptr, &drop), 30.0);
    EXPECT_FALSE(drop);
    sim::Project* film = host.add_project("film");
    film->frame_rate = 29.97;
    film->drop_frame = true;
    film->play_state = 5;
    EXPECT_EQ(r::TimeMap_curFrameRate(Host::handle(film), &drop), 29.97);
    EXPECT_TRUE(drop);
    EXPECT_EQ(r::TimeMap_curFrameRate(Host::handle(film), nullptr), 29.97);
    EXPECT_EQ(r::GetPlayState(), 0);
    host.set_current_project(film);
    EXPECT_EQ(r::GetPlayState(), 5);

    // The play position is the cursor unless the transport runs.
    const std::pair<int, double> cases[] = {{0, 2.0}, {1, 7.5}, {2, 7.5}, {5, 7.5}};
    for (const auto& [state, expected] : cases) {
        film->cursor = 2.0;
        film->play_position = 7.5;
        film->play_state = state;
        EXPECT_EQ(r::GetPlayPositionEx(nullptr), expected) << state;
        EXPECT_EQ(r::GetCursorPositionEx(nullptr), 2.0) << state;
    }
}

TEST(EditCursor, SetEditCurPos2MovesTheCursorAndSeeksWhenAsked) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        int play_state;
        double time;
        bool seekplay;
        double cursor, play_position;
    };
    const Case cases[] = {
        {"stopped", 0, 4.25, true, 4.25, 9.0},
        {"playing, no seek", 1, 4.25, false, 4.25, 9.0},
        {"playing, seek", 1, 4.25, true, 4.25, 4.25},
        {"paused, seek", 2, 4.25, true, 4.25, 4.25},
        {"before the start", 1, -3.0, true, 0.0, 0.0},
        {"not a number", 1, nan, true, 1.0, 9.0},
        {"zero", 0, 0.0, false, 0.0, 9.0},
    };
    for (const Case& c : cases) {
        Host host;
        sim::Project* other = host.add_project("other");
        for (sim::Project* project : {host.current_project(), other}) {
            project->cursor = 1.0;
            project->play_position = 9.0;
            project->play_state = c.play_state;
        }
        r::SetEditCurPos2(Host::handle(other), c.time, true, c.seekplay);
        EXPECT_EQ(other->cursor, c.cursor) << c.what;
        EXPECT_EQ(r::GetCursorPositionEx(Host::handle(other)), c.cursor) << c.what;
        EXPECT_EQ(other->play_position, c.play_position) << c.what;
        EXPECT_EQ(r::GetCursorPositionEx(nullptr), 1.0) << c.what << ": only that project moves";
    }
}

TEST(GoEnd, MovesTheCurrentProjectToTheEndOfTheLatestEndingItem) {
    Host host;
    sim::Project* other = host.add_project("other");
    other->cursor = 5.0;
    sim::Project* project = host.current_project();
    project->cursor = 5.0;
    r::CSurf_GoEnd();
    EXPECT_EQ(project->cursor, 0.0) << "an empty project ends at zero";
    EXPECT_EQ(other->cursor, 5.0);

    sim::ItemSpec long_one;
    long_one.position = 2.0;
    long_one.length = 10.0;
    sim::ItemSpec late_short;
    late_short.position = 8.0;
    late_short.length = 1.0;
    host.add_item(host.add_track(), long_one);
    host.add_item(host.add_track(), late_short);  // added last, ends first
    project->play_position = 1.0;
    r::CSurf_GoEnd();
    EXPECT_EQ(project->cursor, 12.0);
    EXPECT_EQ(project->play_position, 1.0) << "stopped: only the cursor moves";
    project->play_state = 1;
    project->cursor = 0.0;
    r::CSurf_GoEnd();
    EXPECT_EQ(project->cursor, 12.0);
    EXPECT_EQ(project->play_position, 12.0);
}

TEST(Ui, RedrawsMessageBoxesAndTheConsole) {
    Host host;
    r::UpdateArrange();
    r::UpdateArrange();
    EXPECT_EQ(host.redraw_count(), 2);

    host.push_message_box_answer(6);
    host.push_message_box_answer(2);
    EXPECT_EQ(r::ShowMessageBox("Replace?", "QM", 4), 6);
    EXPECT_EQ(r::ShowMessageBox("Really?", "QM", 3), 2);
    EXPECT_EQ(r::ShowMessageBox("Again?", nullptr, 4), 7);
    ASSERT_EQ(host.message_boxes().size(), 3u);
    EXPECT_EQ(host.message_boxes()[0].text, "Replace?");
    EXPECT_EQ(host.message_boxes()[0].title, "QM");
    EXPECT_EQ(host.message_boxes()[0].type, 4);
    EXPECT_EQ(host.message_boxes()[1].type, 3);
    EXPECT_EQ(host.message_boxes()[2].title, "");
    EXPECT_EQ(host.call_log().back().detail, "Again?");

    ::testing::internal::CaptureStdout();
    r::ShowConsoleMsg("first\n");
    r::ShowConsoleMsg("second");
    r::ShowConsoleMsg(nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "first\nsecond");
    EXPECT_EQ(host.console(), (std::vector<std::string>{"first\n", "second"}));
}

TEST(CallLog, RecordsEachHostCallWithItsTextArgumentButNotBuildingASession) {
    Host host;
    sim::Track* track = host.add_track(nullptr, "T", true);
    sim::Item* item = host.add_item(track, {});
    host.add_source({});
    host.set_track_selected(track, false);
    EXPECT_TRUE(host.call_log().empty());

    r::GetMediaItemInfo_Value(Host::handle(item), "D_LENGTH");
    r::SetMediaItemInfo_Value(Host::handle(item), "D_VOL", 0.5);
    r::CountMediaItems(nullptr);
    r::CountMediaItems(nullptr);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"GetMediaItemInfo_Value", "D_LENGTH"},
        {"SetMediaItemInfo_Value", "D_VOL"},
        {"CountMediaItems", ""},
        {"CountMediaItems", ""}};
    ASSERT_EQ(host.call_log().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(host.call_log()[i].function, expected[i].first) << i;
        EXPECT_EQ(host.call_log()[i].detail, expected[i].second) << i;
    }
    EXPECT_EQ(host.calls_to("CountMediaItems"), 2);
    EXPECT_EQ(host.calls_to("GetTrack"), 0);
    host.clear_call_log();
    EXPECT_EQ(host.calls_to("CountMediaItems"), 0);
}

}  // namespace
