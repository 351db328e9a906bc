#include "api/addressing.h"

#include <gtest/gtest.h>

#include <vector>

#include "loaded_library.h"

namespace {

struct Visit {
    MediaItem* item;
    double value;
};
std::vector<Visit> visits;
bool work_answer = true;

bool Touch(MediaItem* item, double value) {
    visits.push_back({item, value});
    return work_answer;
}

bool Poke(MediaItem* item) {
    visits.push_back({item, 0.0});
    return work_answer;
}

}  // namespace

// A family of the shape every later family has: four index forms around one piece of work.
QM_INDEX_FORMS(Test, Touch, Touch, (double value), (value))
QM_INDEX_FORMS(Test, , Poke, (), ())

namespace {

//   track 0:   i0  i1*
//   track 1*:  j0
class Addressing : public qm_test::LoadedLibrary {
protected:
    void SetUp() override {
        LoadedLibrary::SetUp();
        sim::Track* t0 = host.add_track(nullptr, "T0");
        sim::Track* t1 = host.add_track(nullptr, "T1", true);
        sim::ItemSpec plain, selected;
        selected.selected = true;
        i0 = sim::Host::handle(host.add_item(t0, plain));
        i1 = sim::Host::handle(host.add_item(t0, selected));
        j0 = sim::Host::handle(host.add_item(t1, plain));
        visits.clear();
        work_answer = true;
    }
    MediaItem *i0, *i1, *j0;
};

TEST_F(Addressing, EachFormFindsItsItemAndHandsOverTheRest) {
    EXPECT_TRUE(TestMediaTouch(nullptr, 2, 1.5));
    EXPECT_TRUE(TestSelectedMediaTouch(nullptr, 0, 2.5));
    EXPECT_TRUE(TestTrackMediaTouch(nullptr, 0, 0, 3.5));
    EXPECT_TRUE(TestSelectedTrackMediaTouch(nullptr, 0, 0, 4.5));
    EXPECT_TRUE(TestMedia(nullptr, 1));
    ASSERT_EQ(visits.size(), 5u);
    const Visit expected[] = {{j0, 1.5}, {i1, 2.5}, {i0, 3.5}, {j0, 4.5}, {i1, 0.0}};
    for (std::size_t i = 0; i < visits.size(); ++i) {
        EXPECT_EQ(visits[i].item, expected[i].item) << i;
        EXPECT_EQ(visits[i].value, expected[i].value) << i;
    }
}

TEST_F(Addressing, WorkAnswersForAFoundItem) {
    work_answer = false;
    EXPECT_FALSE(TestMediaTouch(nullptr, 0, 1.0));
    EXPECT_EQ(visits.size(), 1u);
}

TEST_F(Addressing, NoItemMeansNoWorkAndFalse) {
    EXPECT_FALSE(TestMediaTouch(nullptr, 3, 1.0));
    EXPECT_FALSE(TestMediaTouch(nullptr, -1, 1.0));
    EXPECT_FALSE(TestSelectedMediaTouch(nullptr, 1, 1.0));
    EXPECT_FALSE(TestTrackMediaTouch(nullptr, 2, 0, 1.0));  // no such track
    EXPECT_FALSE(TestTrackMediaTouch(nullptr, 1, 1, 1.0));
    EXPECT_FALSE(TestSelectedTrackMediaTouch(nullptr, 1, 0, 1.0));
    EXPECT_FALSE(TestSelectedTrackMedia(nullptr, 0, 5));
    EXPECT_TRUE(visits.empty());
}

}  // namespace
