#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "api/frames.h"
#include "family.h"

namespace {

using qm_test::Form;
using qm_test::int_slot;
using qm_test::kForms;
using qm_test::kInf;
using qm_test::kNaN;
using qm_test::truth;

class Timing : public qm_test::FamilyTest {
protected:
    void place(double position, double length = 2.5) {
        target->params["D_POSITION"] = position;
        target->params["D_LENGTH"] = length;
    }
    double position() const { return target->params.at("D_POSITION"); }
};

TEST_F(Timing, ReadsSecondsLengthEndAndFramesTruncatedBetweenFrames) {
    struct Case {
        double rate, position;
        int frame;
    };
    const Case cases[] = {
        {30, 4.1, 123},    {29.97, 1.5, 44},
        {25, 2.28, 57},    {30, 0.3333333333333333, 10},
        {25, -0.5, -12},   {24, 0.0, 0},
        {60, 100.0, 6000}, {30, 4.0999, 122},  // just before frame 123: still truncated
    };
    for (Form form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(qm_test::form_name(form, "", "") + " " + std::to_string(c.position));
            host.current_project()->frame_rate = c.rate;
            place(c.position);
            int frame = -1;
            double start = 0, length = 0, end = 0;
            EXPECT_TRUE(truth(call(form, "Get", "StartTimeFrame", {&frame})));
            EXPECT_TRUE(truth(call(form, "Get", "StartTimeSeconds", {&start})));
            EXPECT_TRUE(truth(call(form, "Get", "Length", {&length})));
            EXPECT_TRUE(truth(call(form, "Get", "EndTime", {&end})));
            EXPECT_EQ(frame, c.frame);
            EXPECT_EQ(start, c.position);
            EXPECT_EQ(length, 2.5);
            EXPECT_EQ(end, c.position + 2.5);
        }
    }
}

// A frame is the position truncated toward zero; a frame no int holds is no frame at all.
TEST(FrameConversion, TruncatesTowardZeroUpToTheEdgesOfInt) {
    const struct {
        double seconds;
        std::optional<int> frame;
    } cases[] = {
        {2.9, 2},
        {-2.9, -2},
        {2147483647.0, INT_MAX},
        {2147483647.9, INT_MAX},
        {2147483648.0, std::nullopt},
        {-2147483648.9, INT_MIN},
        {-2147483649.0, std::nullopt},
        {kNaN, std::nullopt},
        {kInf, std::nullopt},
        {-kInf, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qm_api::seconds_to_frame(c.seconds, 1.0), c.frame) << c.seconds;
}

TEST_F(Timing, WholeFramesRoundTripAtEveryCommonRate) {
    for (double rate : {23.976, 24.0, 25.0, 29.97, 30.0, 50.0, 59.94, 60.0}) {
        for (int frame = 0; frame <= 100000; ++frame) {
            const auto back = qm_api::seconds_to_frame(qm_api::frame_to_seconds(frame, rate), rate);
            ASSERT_EQ(back, frame) << rate << " fps";
        }
    }
    // And through the functions a script calls.
    host.current_project()->frame_rate = 29.97;
    for (Form form : kForms) {
        for (double written : {10.0, 57.0, 899.0, 15.5}) {
            int read = -1;
            EXPECT_TRUE(truth(call(form, "Set", "StartTimeFrame", {&written})));
            EXPECT_TRUE(truth(call(form, "Get", "StartTimeFrame", {&read})));
            EXPECT_EQ(read, static_cast<int>(written));
        }
    }
}

TEST_F(Timing, SettersWriteThePositionWithoutRedrawAndReportTheHost) {
    host.current_project()->frame_rate = 30;
    for (Form form : kForms) {
        SCOPED_TRACE(qm_test::form_name(form, "", ""));
        double seconds = 3.5, frame = 15.5;
        EXPECT_TRUE(truth(call(form, "Set", "StartTimeSeconds", {&seconds})));
        EXPECT_EQ(position(), 3.5);
        EXPECT_TRUE(truth(call(form, "Set", "StartTimeFrame", {&frame})));
        EXPECT_EQ(position(), 15.5 / 30);
        // Before the start: the item form refuses, the index forms hand it to the host.
        const bool item_form = form == Form::item;
        for (double negative : {-1.0, -0.5}) {
            place(7.0);
            EXPECT_EQ(truth(call(form, "Set", "StartTimeSeconds", {&negative})), !item_form);
            EXPECT_EQ(position(), item_form ? 7.0 : negative);
            place(7.0);
            EXPECT_EQ(truth(call(form, "Set", "StartTimeFrame", {&negative})), !item_form);
            EXPECT_EQ(position(), item_form ? 7.0 : negative / 30);
        }
    }
    host.fail_parameter_writes("D_POSITION");
    for (Form form : kForms) {
        double seconds = 1.0, frame = 30.0;
        EXPECT_FALSE(truth(call(form, "Set", "StartTimeSeconds", {&seconds})));
        EXPECT_FALSE(truth(call(form, "Set", "StartTimeFrame", {&frame})));
    }
    EXPECT_EQ(host.redraw_count(), 0);
}

TEST_F(Timing, TheItemFormsUseTheItemsOwnProjectsFrameRate) {
    sim::Project* other = host.add_project("other");
    other->frame_rate = 25;
    host.current_project()->frame_rate = 30;
    sim::Item* elsewhere = add(host.add_track(other, "O"), false, "o.wav");
    elsewhere->params["D_POSITION"] = 2.0;
    int frame = 0;
    double set = 50.0;
    ASSERT_TRUE(truth(call("GetMediaItemStartTimeFrame", {sim::Host::handle(elsewhere), &frame})));
    EXPECT_EQ(frame, 50);
    ASSERT_TRUE(truth(call("SetMediaItemStartTimeFrame", {sim::Host::handle(elsewhere), &set})));
    EXPECT_EQ(elsewhere->params["D_POSITION"], 2.0);
}

TEST_F(Timing, NoUsableFrameRateOrAFramePastAnIntChangesNothing) {
    place(1e9);  // frame 3e10 does not fit an int
    int frame = -7;
    EXPECT_FALSE(truth(call(Form::project, "Get", "StartTimeFrame", {&frame})));
    place(1.0);
    const std::string before = host.dump();
    for (double rate : {0.0, -30.0, kNaN, kInf}) {
        host.current_project()->frame_rate = rate;
        for (Form form : kForms) {
            double set = 10.0;
            EXPECT_FALSE(truth(call(form, "Get", "StartTimeFrame", {&frame}))) << rate;
            EXPECT_FALSE(truth(call(form, "Set", "StartTimeFrame", {&set}))) << rate;
        }
    }
    host.current_project()->frame_rate = 1e-320;  // a frame would land past every double
    double far = 1e10;
    EXPECT_FALSE(truth(call(Form::project, "Set", "StartTimeFrame", {&far})));
    host.current_project()->frame_rate = 30;
    EXPECT_EQ(frame, -7);
    EXPECT_EQ(host.dump(), before);
}

}  // namespace
