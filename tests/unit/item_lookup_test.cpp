#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "api/api.h"
#include "loaded_library.h"

namespace {

// Tracks and items; "*" marks what is selected. Each item's take is named after it.
//   track 0:   a0  a1*
//   track 1*:  b0*
//   track 2*:  c0  c1  c2*
class ItemLookup : public qm_test::LoadedLibrary {
protected:
    void SetUp() override {
        LoadedLibrary::SetUp();
        const char* const layout[][4] = {{"a0", "a1*"}, {"b0*"}, {"c0", "c1", "c2*"}};
        for (int t = 0; t < 3; ++t) {
            sim::Track* track = host.add_track(nullptr, "T", t > 0);
            for (const char* name : layout[t]) {
                if (name == nullptr) break;
                sim::ItemSpec spec;
                spec.selected = name[2] == '*';
                spec.takes = {sim::TakeSpec{}};
                spec.takes[0].name = std::string(name, 2);
                host.add_item(track, spec);
            }
        }
        host.clear_call_log();
    }

    std::string found(MediaItem* item) {
        const sim::Item* live = host.item(item);
        return live != nullptr ? live->takes[0]->name : "";
    }
};

// mediaTypeID 0 counts every item (or track), 1 the selected ones; the track forms count every
// item on the track found. Anything else finds nothing without asking the host.
TEST_F(ItemLookup, FindsByIndexTypeAndTrack) {
    struct Case {
        int track;  // -1: GetMediaItemSelect
        int index, type;
        const char* expected;
    };
    const Case cases[] = {
        {-1, 0, 0, "a0"},     {-1, 2, 0, "b0"}, {-1, 5, 0, "c2"}, {-1, 6, 0, ""}, {-1, -1, 0, ""},
        {-1, 0, 1, "a1"},     {-1, 2, 1, "c2"}, {-1, 3, 1, ""},   {-1, 0, 2, ""}, {-1, 0, -1, ""},
        {-1, 0, INT_MIN, ""}, {0, 1, 0, "a1"},  {2, 2, 0, "c2"},  {2, 3, 0, ""},  {3, 0, 0, ""},
        {0, 0, 1, "b0"},      {1, 1, 1, "c1"},  {2, 0, 1, ""},    {0, 0, 2, ""},  {0, 0, 1000, ""},
    };
    for (const Case& c : cases) {
        host.clear_call_log();
        MediaItem* item = c.track < 0 ? GetMediaItemSelect(nullptr, c.index, c.type)
                                      : GetMediaTrackItemSelect(nullptr, c.track, c.index, c.type);
        EXPECT_EQ(found(item), c.expected) << c.track << " " << c.index << " " << c.type;
        EXPECT_EQ(host.call_log().empty(), c.type != 0 && c.type != 1) << c.type;
    }
    EXPECT_EQ(host.redraw_count(), 0);
}

}  // namespace
