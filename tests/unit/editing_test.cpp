#include <gtest/gtest.h>

#include "family.h"
#include "host_spy.h"

namespace {

using qm_test::Form;
using qm_test::int_slot;
using qm_test::kForms;
using qm_test::truth;

// The take names of the items deleted, in order; the one named `refused` stays.
std::vector<std::string> deleted;
std::string refused;
bool spy_delete(MediaTrack* track, MediaItem* item) {
    sim::Item* live = sim::Host::active()->item(item);
    const std::string name = live != nullptr ? live->takes[0]->name : "?";
    deleted.push_back(name);
    return name != refused && sim::reaper::DeleteTrackMediaItem(track, item);
}

class Editing : public qm_test::FamilyTest {};

TEST_F(Editing, DeleteOneItemRedrawsOnceAndReportsREAPERsAnswer) {
    for (Form form : kForms) {
        SCOPED_TRACE(qm_test::form_name(form, "Delete", ""));
        sim::Item* doomed = target;
        const int redraws = host.redraw_count();
        EXPECT_TRUE(truth(call(form, "Delete", "", {})));
        EXPECT_EQ(host.item(sim::Host::handle(doomed)), nullptr);
        EXPECT_EQ(host.redraw_count(), redraws + 1);
        target = add(b0->track, true, "target.wav");
    }
    EXPECT_EQ(host.sources_destroyed(), 5);
}

TEST_F(Editing, DeleteAllRecordsFirstDeletesLastToFirstAndRedrawsOnce) {
    qm_test::SlotSwap swap(DeleteTrackMediaItem, &spy_delete);
    struct Case {
        const char* function;
        std::vector<void*> args;
        std::string refuse;
        std::vector<std::string> order;
        bool result;
    };
    const Case cases[] = {
        {"DeleteAllSelectedMedia", {nullptr}, "", {"target.wav", "a1.wav"}, true},
        {"DeleteAllSelectedTrackMedia", {nullptr, int_slot(1)}, "", {}, false},  // no such track
        {"DeleteAllTrackMedia", {nullptr, int_slot(0)}, "a0.wav", {"a0.wav"}, false},
        {"DeleteAllMedia", {nullptr}, "", {"b0.wav", "a0.wav"}, true},
        {"DeleteAllMedia", {nullptr}, "", {}, false},  // nothing left
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        deleted.clear();
        refused = c.refuse;
        const int redraws = host.redraw_count();
        EXPECT_EQ(truth(call(c.function, c.args)), c.result);
        EXPECT_EQ(deleted, c.order);
        EXPECT_EQ(host.redraw_count(), redraws + (c.order.empty() ? 0 : 1));
    }
    EXPECT_EQ(host.current_project()->end(), 0.0);
    EXPECT_EQ(host.sources_destroyed(), 4);
}

TEST_F(Editing, SelectTouchesOnlyTheDesignatedItemsAndRedrawsPerItem) {
    struct Case {
        const char* function;
        std::vector<void*> args;
        bool result;
        std::vector<bool> selected;  // a0 a1 b0 target
        int redraws;
    };
    const Case cases[] = {
        {"SetMediaSelected", {nullptr, int_slot(0), int_slot(1)}, true, {1, 1, 0, 1}, 1},
        {"SetTrackMediaSelected",
         {nullptr, int_slot(1), int_slot(1), nullptr},
         true,
         {1, 1, 0, 0},
         1},
        {"SetAllMediaSelected", {nullptr, int_slot(1)}, true, {1, 1, 1, 1}, 4},
        {"SetAllMediaSelected", {nullptr, nullptr}, true, {0, 0, 0, 0}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.function);
        const int redraws = host.redraw_count();
        EXPECT_EQ(truth(call(c.function, c.args)), c.result);
        EXPECT_EQ(
            (std::vector<bool>{a0->selected(), a1->selected(), b0->selected(), target->selected()}),
            c.selected);
        EXPECT_EQ(host.redraw_count(), redraws + c.redraws);
    }
    host.set_current_project(host.add_project("empty"));
    EXPECT_TRUE(truth(call("SetAllMediaSelected", {nullptr, int_slot(1)})));
    EXPECT_EQ(host.redraw_count(), 10);
}

TEST_F(Editing, MoveGoesToATrackOfTheItemsProjectWithOneRedraw) {
    sim::Track* t0 = a0->track;
    // The item form looks the track up in the item's own project, not the current one.
    sim::Project* other = host.add_project("other");
    host.add_track(other, "elsewhere");
    host.set_current_project(other);
    EXPECT_TRUE(truth(call("SetMediaItemMoveToTrack", {sim::Host::handle(target), int_slot(0)})));
    EXPECT_EQ(target->track, t0);
    host.set_current_project(t0->project);
    for (Form form : kForms) {
        SCOPED_TRACE(qm_test::form_name(form, "Set", "MoveToTrack"));
        host.move_item(target, b0->track);
        const int redraws = host.redraw_count();
        EXPECT_TRUE(truth(call(form, "Set", "MoveToTrack", {int_slot(0)})));
        EXPECT_EQ(target->track, t0);
        EXPECT_EQ(host.redraw_count(), redraws + 1);
    }
}

}  // namespace
