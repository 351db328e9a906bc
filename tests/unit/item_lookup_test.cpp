#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "api/api.h"
#include "loaded_library.h"

namespace {

// Tracks and items of the lookup tests; "*" marks what is selected.
//   track 0:   a0  a1*
//   track 1*:  b0*
//   track 2:   c0  c1  c2*
class ItemLookup : public qm_test::LoadedLibrary {
protected:
    void SetUp() override {
        LoadedLibrary::SetUp();
        sim::Track* t0 = host.add_track(nullptr, "T0");
        sim::Track* t1 = host.add_track(nullptr, "T1", true);
        sim::Track* t2 = host.add_track(nullptr, "T2");
        a0 = add(t0, false);
        a1 = add(t0, true);
        b0 = add(t1, true);
        c0 = add(t2, false);
        c1 = add(t2, false);
        c2 = add(t2, true);
        host.clear_call_log();
    }

    MediaItem* add(sim::Track* track, bool selected) {
        sim::ItemSpec options;
        options.selected = selected;
        return sim::Host::handle(host.add_item(track, options));
    }

    MediaItem* named(const std::string& name) const {
        const std::map<std::string, MediaItem*> items = {{"a0", a0}, {"a1", a1}, {"b0", b0},
                                                         {"c0", c0}, {"c1", c1}, {"c2", c2}};
        return name.empty() ? nullptr : items.at(name);
    }

    bool asked_for_items() const {
        for (const char* f : {"GetMediaItem", "GetSelectedMediaItem", "GetTrack",
                              "GetSelectedTrack", "GetTrackMediaItem"}) {
            if (host.calls_to(f) > 0) return true;
        }
        return false;
    }

    MediaItem *a0, *a1, *b0, *c0, *c1, *c2;
};

TEST_F(ItemLookup, ProjectAndSelectedIndices) {
    struct Case {
        int index, type;
        const char* expected;  // "": no item
    };
    const Case cases[] = {
        {0, 0, "a0"}, {1, 0, "a1"}, {2, 0, "b0"}, {3, 0, "c0"}, {5, 0, "c2"}, {6, 0, ""},
        {-1, 0, ""},  {0, 1, "a1"}, {1, 1, "b0"}, {2, 1, "c2"}, {3, 1, ""},   {-1, 1, ""},
    };
    for (const Case& c : cases) {
        MediaItem* expected = named(c.expected);
        EXPECT_EQ(GetMediaItemSelect(nullptr, c.index, c.type), expected)
            << "index " << c.index << " type " << c.type;
    }
}

TEST_F(ItemLookup, TrackAndSelectedTrackIndices) {
    host.set_track_selected(host.current_project()->tracks[2], true);
    struct Case {
        int track, index, type;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0, 0, "a0"},
        {0, 1, 0, "a1"},
        {1, 0, 0, "b0"},
        {2, 2, 0, "c2"},
        {2, 3, 0, ""},
        {3, 0, 0, ""},
        {-1, 0, 0, ""},
        // "selected" picks the track; the item index counts every item on it
        {0, 0, 1, "b0"},
        {1, 0, 1, "c0"},
        {1, 1, 1, "c1"},
        {2, 0, 1, ""},
    };
    for (const Case& c : cases) {
        MediaItem* expected = named(c.expected);
        EXPECT_EQ(GetMediaTrackItemSelect(nullptr, c.track, c.index, c.type), expected)
            << "track " << c.track << " index " << c.index << " type " << c.type;
    }
}

TEST_F(ItemLookup, OtherTypesAnswerNullWithoutAskingTheHost) {
    for (int type : {2, -1, 3, 1000, -2147483647 - 1}) {
        EXPECT_EQ(GetMediaItemSelect(nullptr, 0, type), nullptr) << type;
        EXPECT_EQ(GetMediaTrackItemSelect(nullptr, 0, 0, type), nullptr) << type;
    }
    EXPECT_FALSE(asked_for_items());
}

TEST_F(ItemLookup, AProjectHandleChoosesThatProject) {
    sim::Project* other = host.add_project("other");
    sim::Track* track = host.add_track(other, "O0");
    MediaItem* o0 = add(track, false);
    ReaProject* handle = sim::Host::handle(other);
    EXPECT_EQ(GetMediaItemSelect(handle, 0, 0), o0);
    EXPECT_EQ(GetMediaItemSelect(handle, 1, 0), nullptr);
    EXPECT_EQ(GetMediaItemSelect(handle, 0, 1), nullptr);
    EXPECT_EQ(GetMediaTrackItemSelect(handle, 0, 0, 0), o0);
    EXPECT_EQ(GetMediaItemSelect(nullptr, 0, 0), a0) << "null stays the current project";
}

TEST_F(ItemLookup, LookupsChangeNothing) {
    const std::string before = host.dump();
    GetMediaItemSelect(nullptr, 1, 1);
    GetMediaTrackItemSelect(nullptr, 9, 9, 1);
    EXPECT_EQ(host.dump(), before);
    EXPECT_EQ(host.redraw_count(), 0);
}

TEST_F(ItemLookup, ScriptWrappersCallTheLookups) {
    const auto select = host.registered_function("QM_GetMediaItemSelect");
    const auto track_select = host.registered_function("QM_GetMediaTrackItemSelect");
    ASSERT_TRUE(select && track_select);
    auto wrapper = [](const sim::RegisteredFunction& f) {
        return reinterpret_cast<void* (*)(void**, int)>(f.vararg);
    };
    auto slot = [](std::uint64_t bits) {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(bits));
    };
    // Upper halves of int slots carry nothing.
    void* args[] = {nullptr, slot(0xFFFFFFFF00000002ull), slot(0x0000000100000000ull)};
    EXPECT_EQ(wrapper(*select)(args, 3), b0);
    void* track_args[] = {nullptr, slot(2), slot(1), slot(0)};
    EXPECT_EQ(wrapper(*track_select)(track_args, 4), c1);
    EXPECT_EQ(wrapper(*track_select)(track_args, 3), nullptr) << "short argument array";
    EXPECT_EQ(select->func, reinterpret_cast<void*>(&GetMediaItemSelect));
    EXPECT_EQ(host.get_func("QM_GetMediaItemSelect"), reinterpret_cast<void*>(&GetMediaItemSelect));
}

}  // namespace
