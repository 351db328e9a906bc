#include <gtest/gtest.h>

#include "family.h"

namespace {

using qm_test::int_slot;
using qm_test::truth;

//   track 0:   a0 WAVE   a1* WAV
//   track 1*:  b0 MP3    target* (a take without a source)
class TypeCounts : public qm_test::FamilyTest {
protected:
    void SetUp() override {
        FamilyTest::SetUp();
        a1->takes[0]->source->media.type = "WAV";
        b0->takes[0]->source->media.type = "MP3";
        target->takes[0]->source = nullptr;
    }
};

TEST_F(TypeCounts, CountTheScopeAndTheItemsOfTheRequestedType) {
    MediaTrack* t1 = sim::Host::handle(target->track);
    struct Case {
        const char* function;
        std::vector<void*> scope;
        const char* type;
        int all, typed;
    };
    const Case cases[] = {
        {"GetMediaTypeCount", {nullptr}, "", 4, 4},
        {"GetMediaTypeCount", {nullptr}, "wav", 4, 2},   // WAV asks for WAVE too...
        {"GetMediaTypeCount", {nullptr}, "WAVE", 4, 1},  // ...not the other way round
        {"GetMediaTypeCount", {nullptr}, "mP3", 4, 1},
        {"GetMediaTypeCount", {nullptr}, "MIDI", 4, 0},
        {"GetSelectedMediaTypeCount", {nullptr}, "", 2, 2},
        {"GetSelectedMediaTypeCount", {nullptr}, "Wav", 2, 1},
        {"GetTrackItemMediaTypeCount", {t1}, "mp3", 2, 1},
        {"GetTrackItemMediaTypeCount", {nullptr}, "", 0, 0},
        {"GetTrackMediaTypeCount", {nullptr, int_slot(0)}, "wave", 2, 1},
        {"GetTrackMediaTypeCount", {nullptr, int_slot(2)}, "", 0, 0},
        {"GetSelectedTrackMediaTypeCount", {nullptr, int_slot(0)}, "", 2, 2},
        {"GetSelectedTrackMediaTypeCount", {nullptr, int_slot(0)}, "MP3", 2, 1},
        {"GetSelectedTrackMediaTypeCount", {nullptr, int_slot(1)}, "MP3", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.function) + " \"" + c.type + "\"");
        int all = -1, typed = -1;
        std::vector<void*> args = c.scope;
        args.insert(args.end(), {const_cast<char*>(c.type), &all, &typed});
        host.clear_call_log();
        EXPECT_TRUE(truth(call(c.function, args)));
        EXPECT_EQ(all, c.all);
        EXPECT_EQ(typed, c.typed);
        if (c.type[0] == '\0') {
            EXPECT_EQ(host.calls_to("GetMediaSourceType"), 0);
        }
    }
    EXPECT_EQ(host.redraw_count(), 0);
}

}  // namespace
