#include <gtest/gtest.h>

#include "family.h"

namespace {

using qm_test::int_slot;
using qm_test::truth;

// The project ends at 10 s (the target lies at 2-10 s).
class Cursor : public qm_test::FamilyTest {
protected:
    void SetUp() override {
        FamilyTest::SetUp();
        target->params["D_LENGTH"] = 8.0;
        project = host.current_project();
    }
    sim::Project* project = nullptr;
};

TEST_F(Cursor, MovesFromTheStartOrTheEndAndReportsInSecondsOrFrames) {
    struct Case {
        int play_state, startEndType;
        double rate, value;  // seconds, or a frame number for the frame setter
        bool frames;
        double cursor;  // where the edit cursor ends
        double report;  // the position, or the frame number, reported
    };
    const Case cases[] = {
        {0, 0, 30, 3.5, false, 3.5, 3.5},
        {0, 0, 30, -1.0, false, 0.0, 0.0},  // REAPER keeps the cursor at 0 or later
        {0, 1, 30, -2.0, false, 8.0, 8.0},
        {0, -1, 30, -2.0, false, 8.0, 8.0},
        {1, 5, 30, 0.5, false, 10.5, 10.5},
        {0, 0, 24, 48, true, 2.0, 48},
        {0, 0, 29.97, 48, true, 48 / 29.97, 48},
        {0, 1, 30, -30, true, 9.0, 270},
        {1, 1, 29.97, 0, true, 10.0, 299},     // 299.7 frames, truncated
        {0, 1, 25, -262, true, 0.0, -12},      // -0.48 s: toward zero, and REAPER stops at 0
        {0, 1, 30, 1 - 300, true, 0.0333, 1},  // whole frames come back whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "rate " << c.rate << " type " << c.startEndType << " value " << c.value);
        project->frame_rate = c.rate;
        project->play_state = c.play_state;
        project->cursor = project->play_position = 1.0;
        double seconds = c.value, position = -1;
        int frame = -1;
        if (c.frames) {
            EXPECT_TRUE(truth(call(
                "SetPlayCursorPositionFrame",
                {nullptr, int_slot(c.startEndType), int_slot(static_cast<int>(c.value)), &frame})));
            EXPECT_EQ(frame, c.report);
        } else {
            EXPECT_TRUE(truth(call("SetPlayCursorPosition",
                                   {nullptr, int_slot(c.startEndType), &seconds, &position})));
            EXPECT_EQ(position, c.report);
        }
        EXPECT_NEAR(project->cursor, c.cursor, 1e-4);
        // The play position while the transport runs, else the edit cursor.
        project->play_position = 7.0;
        EXPECT_TRUE(truth(call("GetPlayCursorPosition", {nullptr, &position})));
        EXPECT_EQ(position, c.play_state != 0 ? 7.0 : project->cursor);
    }
    EXPECT_EQ(host.redraw_count(), 0);
}

TEST_F(Cursor, RefusesWhatItCannotDoWithoutMovingAnything) {
    int frame = -1;
    project->cursor = 1.5;
    for (double rate : {0.0, -30.0, qm_test::kNaN, qm_test::kInf}) {
        project->frame_rate = rate;
        for (int type : {0, 1}) {
            EXPECT_FALSE(truth(call("SetPlayCursorPositionFrame",
                                    {nullptr, int_slot(type), int_slot(3), &frame})));
        }
    }
    EXPECT_EQ(project->cursor, 1.5);
    EXPECT_EQ(frame, -1);

    // A frame number no int can hold is not reported; the cursor went where it was sent.
    project->frame_rate = 30;
    target->params["D_LENGTH"] = 1e9;
    EXPECT_FALSE(
        truth(call("SetPlayCursorPositionFrame", {nullptr, int_slot(1), int_slot(0), &frame})));
    EXPECT_EQ(frame, -1);
    EXPECT_EQ(project->cursor, 2.0 + 1e9);
}

}  // namespace
