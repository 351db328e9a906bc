#include <gtest/gtest.h>

#include <utility>

#include "family.h"
#include "host_spy.h"

namespace {

using qm_test::int_slot;
using qm_test::truth;

std::vector<std::pair<MediaItem*, bool>> selections;
void spy_select(MediaItem* item, bool selected) {
    selections.emplace_back(item, selected);
    sim::reaper::SetMediaItemSelected(item, selected);
}

char file[] = "Shaker.wav";

//   track 0:   a0(0-2)  a1*(2-4)
//   track 1*:  b0(0-2)  target*(2-4)     project end 4 s, 30 fps, edit cursor 1.25 s
class Insertion : public qm_test::FamilyTest {
protected:
    void SetUp() override {
        FamilyTest::SetUp();
        sim::SourceSpec shaker;
        shaker.length = 0.5;
        host.add_media_file(file, shaker);
        project = host.current_project();
        project->cursor = 1.25;
        t0 = a0->track;
        t1 = b0->track;
    }

    std::vector<MediaItem*> selected_items() {
        std::vector<MediaItem*> out;
        for (sim::Track* track : project->tracks) {
            for (sim::Item* item : track->items) {
                if (item->selected()) out.push_back(sim::Host::handle(item));
            }
        }
        return out;
    }

    // The function's arguments after its leading ones; seconds go by address, frames by value.
    std::vector<void*> args(const std::string& function, std::vector<void*> lead, char* path,
                            int startEndType, double& value) {
        lead.push_back(path);
        if (function == "InsertMediaOutItem") return lead;
        lead.push_back(int_slot(startEndType));
        const bool frames = function.find("Frame") != std::string::npos;
        lead.push_back(frames ? int_slot(static_cast<int>(value)) : &value);
        return lead;
    }

    sim::Project* project = nullptr;
    sim::Track *t0 = nullptr, *t1 = nullptr;
};

TEST_F(Insertion, InsertsOnTheTrackAtTheTimeAndRestoresBothSelectionsInOrder) {
    qm_test::SlotSwap swap(SetMediaItemSelected, &spy_select);
    struct Case {
        const char* function;
        std::vector<void*> lead;
        int startEndType;
        double value;
        sim::Track* track;
        double position;  // from the end when startEndType is not 0
        bool t0_selected;
    };
    const Case cases[] = {
        {"InsertMediaOutItem", {nullptr}, 0, 0.0, t1, 1.25, false},
        {"InsertMediaTrackItemSecond", {sim::Host::handle(t0)}, 0, 1.5, t0, 1.5, false},
        {"InsertMediaTrackIdSecond", {nullptr, int_slot(0)}, 1, -2.0, t0, -2.0, true},
        {"InsertMediaSelectedTrackIdSecond", {nullptr, int_slot(0)}, 0, 3.0, t1, 3.0, false},
        {"InsertMediaTrackItemFrame", {sim::Host::handle(t1)}, 0, 45, t1, 1.5, false},
        {"InsertMediaTrackIdFrame", {nullptr, int_slot(0)}, -1, -30, t0, -1.0, false},
        {"InsertMediaSelectedTrackIdFrame", {nullptr, int_slot(0)}, 0, 60, t0, 2.0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        host.set_track_selected(t0, c.t0_selected);
        const std::vector<MediaItem*> earlier = selected_items();
        const double expected = c.position + (c.startEndType != 0 ? project->end() : 0.0);
        selections.clear();
        double value = c.value;
        auto* made = static_cast<MediaItem*>(
            call(c.function, args(c.function, c.lead, file, c.startEndType, value)));
        ASSERT_NE(host.item(made), nullptr);
        EXPECT_EQ(host.item(made)->track, c.track);
        EXPECT_DOUBLE_EQ(host.item(made)->params["D_POSITION"], expected);
        std::vector<std::pair<MediaItem*, bool>> expected_selections;
        for (bool on : {false, true}) {
            for (MediaItem* item : earlier) expected_selections.emplace_back(item, on);
        }
        EXPECT_EQ(selections, expected_selections);
        std::vector<MediaItem*> after = selected_items();
        EXPECT_EQ(std::erase(after, made), 1u);
        EXPECT_EQ(after, earlier);
        EXPECT_EQ(t0->selected, c.t0_selected);
        EXPECT_TRUE(t1->selected);
    }
    EXPECT_EQ(host.sources_created(), 7);
    EXPECT_EQ(host.unowned_sources(), 0);
    EXPECT_EQ(host.redraw_count(), 0);
}

TEST_F(Insertion, NoFrameRateChangesNothingAndAFailedInsertRestoresTheSelections) {
    char missing[] = "missing.wav";
    const std::string before = host.dump();
    project->frame_rate = 0.0;
    double frame = 3;
    EXPECT_EQ(call("InsertMediaTrackIdFrame",
                   args("InsertMediaTrackIdFrame", {nullptr, int_slot(0)}, file, 0, frame)),
              nullptr);
    EXPECT_EQ(host.calls_to("InsertMedia"), 0);
    project->frame_rate = 30.0;
    EXPECT_EQ(host.dump(), before);

    // A file REAPER cannot read: no item, the selections as they were, the cursor moved.
    for (const char* function : {"InsertMediaTrackItemSecond", "InsertMediaTrackItemFrame"}) {
        double value = 60;
        EXPECT_EQ(call(function, args(function, {sim::Host::handle(t0)}, missing, 0, value)),
                  nullptr);
        EXPECT_TRUE(b0->track->selected && !t0->selected);
        EXPECT_EQ(selected_items(),
                  (std::vector<MediaItem*>{sim::Host::handle(a1), sim::Host::handle(target)}));
    }
    EXPECT_EQ(project->cursor, 2.0);
}

}  // namespace
