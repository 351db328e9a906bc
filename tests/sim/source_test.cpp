// Media sources: the vtable an extension calls, ownership by takes, and the counts and misuse
// records tests rely on to catch leaks and double frees.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "sim/host.h"

namespace sim_test_abi {

// REAPER's leading vtable order, declared here on its own so that a slip in the host's
// declaration shows up as a wrong answer. Outside an unnamed namespace: an extension's class has
// implementations the compiler cannot see, and so has this one.
class ReaperSource {
public:
    virtual ~ReaperSource() {}
    virtual ReaperSource* Duplicate() = 0;
    virtual bool IsAvailable() = 0;
    virtual void SetAvailable(bool avail) = 0;
    virtual const char* GetType() = 0;
    virtual const char* GetFileName() = 0;
    virtual bool SetFileName(const char* newfn) = 0;
    virtual ReaperSource* GetSource() = 0;
    virtual void SetSource(ReaperSource* src) = 0;
    virtual int GetNumChannels() = 0;
    virtual double GetSampleRate() = 0;
    virtual double GetLength() = 0;
    virtual double GetLengthBeats() = 0;
    virtual int GetBitsPerSample() = 0;
    virtual double GetPreferredPosition() = 0;
};

}  // namespace sim_test_abi

namespace {

namespace r = sim::reaper;
using sim::Host;
using sim_test_abi::ReaperSource;

// The calls go through a class that is not a C++ base of the host's source, exactly as an
// extension's do; the vptr check would call that undefined, while the ABI says it is fine.
#define QM_THROUGH_REAPERS_VTABLE __attribute__((no_sanitize("vptr")))

// Every answer of the leading vtable, in its order, as one line.
QM_THROUGH_REAPERS_VTABLE std::string ask(PCM_source* handle) {
    ReaperSource* s = reinterpret_cast<ReaperSource*>(handle);
    std::ostringstream out;
    out << s->IsAvailable() << " " << s->GetType() << " " << s->GetFileName() << " "
        << (s->GetSource() != nullptr) << " " << s->GetNumChannels() << " " << s->GetSampleRate()
        << " " << s->GetLength() << " " << s->GetLengthBeats() << " " << s->GetBitsPerSample()
        << " " << s->GetPreferredPosition();
    return out.str();
}

QM_THROUGH_REAPERS_VTABLE PCM_source* duplicate(PCM_source* handle) {
    return reinterpret_cast<PCM_source*>(reinterpret_cast<ReaperSource*>(handle)->Duplicate());
}

QM_THROUGH_REAPERS_VTABLE bool set_available_and_file(PCM_source* handle, const char* name) {
    reinterpret_cast<ReaperSource*>(handle)->SetAvailable(false);
    return reinterpret_cast<ReaperSource*>(handle)->SetFileName(name);
}

class Sources : public ::testing::Test {
protected:
    void SetUp() override {
        track = host.add_track(nullptr, "T");
        sim::TakeSpec take;
        take.name = "vocal";
        take.source = {.type = "FLAC",
                       .file = "/media/vocal.flac",
                       .sample_rate = 96000,
                       .channels = 1,
                       .bit_depth = 24,
                       .length = 12.5};
        sim::TakeSpec silent;
        silent.name = "silent";
        sim::ItemSpec wanted;
        wanted.takes = {take, silent};
        item = host.add_item(track, wanted);
        take_handle = Host::handle(item->takes[0]);
        original = r::GetMediaItemTake_Source(take_handle);
    }

    Host host;
    sim::Track* track = nullptr;
    sim::Item* item = nullptr;
    MediaItem_Take* take_handle = nullptr;
    PCM_source* original = nullptr;
};

TEST_F(Sources, TheVtableAndTheCFunctionsAnswerInReapersOrder) {
    // Not beat-based: no length in beats (-1); no preferred position (-1).
    EXPECT_EQ(ask(original), "1 FLAC /media/vocal.flac 0 1 96000 12.5 -1 24 -1");
    EXPECT_EQ(r::GetMediaSourceSampleRate(original), 96000);
    EXPECT_EQ(r::GetMediaSourceNumChannels(original), 1);
    EXPECT_EQ(r::CF_GetMediaSourceBitDepth(original), 24);
    EXPECT_TRUE(set_available_and_file(original, "/media/moved.flac"));
    EXPECT_FALSE(set_available_and_file(original, nullptr));
    EXPECT_EQ(ask(original), "0 FLAC /media/moved.flac 0 1 96000 12.5 -1 24 -1");
    sim::Source* midi = host.add_source({.type = "MIDI", .file = "a.mid", .length = 4.0});
    EXPECT_EQ(ask(Host::handle(midi)), "1 MIDI a.mid 0 2 44100 4 8 24 -1");  // 120 bpm
}

TEST_F(Sources, DuplicateMakesAnUnownedCopyAndCountsIt) {
    host.add_source({});  // building a session creates nothing the counts see
    EXPECT_EQ(host.sources_created(), 0);
    PCM_source* copy = duplicate(original);
    ASSERT_NE(copy, original);
    sim::Source* made = host.source(copy);
    ASSERT_NE(made, nullptr) << "the copy is a live source of this host";
    EXPECT_EQ(made->owner, nullptr);
    EXPECT_EQ(made->generation, 1);
    EXPECT_EQ(host.source(original)->duplicate_calls, 1);
    EXPECT_EQ(host.sources_created(), 1);
    EXPECT_EQ(host.unowned_sources(), 2);
    EXPECT_EQ(ask(copy), ask(original));
    EXPECT_EQ(host.source(duplicate(copy))->generation, 2);
    EXPECT_EQ(host.sources_created(), 2);
}

TEST_F(Sources, ReplacingASourceTheWayReaperWantsLeavesNothingBehind) {
    PCM_source* copy = duplicate(original);
    PCM_source* old_source =
        static_cast<PCM_source*>(r::GetSetMediaItemTakeInfo(take_handle, "P_SOURCE", nullptr));
    ASSERT_EQ(old_source, original);
    EXPECT_NE(r::GetSetMediaItemTakeInfo(take_handle, "P_SOURCE", copy), nullptr);
    EXPECT_EQ(r::GetMediaItemTake_Source(take_handle), copy);
    EXPECT_EQ(host.unowned_sources(), 1) << "the old source is nobody's until destroyed";
    EXPECT_NE(host.source(old_source), nullptr) << "setting does not destroy the old source";
    r::PCM_Source_Destroy(old_source);
    EXPECT_EQ(host.unowned_sources(), 0);
    EXPECT_EQ(host.sources_created(), 1);
    EXPECT_EQ(host.sources_destroyed(), 1);
    EXPECT_TRUE(host.misuse().empty());
}

TEST_F(Sources, ATakeWithoutASourceTakesOneButNotAnotherTakesSource) {
    MediaItem_Take* silent = Host::handle(item->takes[1]);
    const std::string before = host.dump();
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(silent, "P_SOURCE", original), nullptr);
    EXPECT_EQ(host.dump(), before);
    ASSERT_EQ(host.misuse().size(), 1u);
    EXPECT_NE(host.misuse()[0].find("vocal"), std::string::npos) << host.misuse()[0];

    sim::Source* fresh = host.add_source({.type = "MP3", .file = "x.mp3"});
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(silent, "P_SOURCE", Host::handle(fresh)),
              Host::handle(fresh));
    EXPECT_EQ(fresh->owner, item->takes[1]);
    EXPECT_EQ(host.unowned_sources(), 0);
    // Setting the source a take already plays changes nothing.
    EXPECT_NE(r::GetSetMediaItemTakeInfo(silent, "P_SOURCE", Host::handle(fresh)), nullptr);
    EXPECT_EQ(fresh->owner, item->takes[1]);
    EXPECT_EQ(host.misuse().size(), 1u);
}

// Destroying a source a take plays, twice, or after its item took it along is a misuse, recorded
// once each; the source is gone either way and nothing is counted twice.
TEST_F(Sources, DestroyingWhatReaperWouldCrashOnIsRecorded) {
    PCM_source* loose = Host::handle(host.add_source({}));
    r::PCM_Source_Destroy(loose);
    r::PCM_Source_Destroy(nullptr);
    EXPECT_TRUE(host.misuse().empty());
    r::PCM_Source_Destroy(loose);
    EXPECT_EQ(host.misuse().size(), 1u);
    EXPECT_EQ(host.sources_destroyed(), 1);

    r::PCM_Source_Destroy(original);
    ASSERT_EQ(host.misuse().size(), 2u);
    EXPECT_NE(host.misuse()[1].find("PCM_Source_Destroy"), std::string::npos);
    EXPECT_EQ(r::GetMediaItemTake_Source(take_handle), nullptr);
    EXPECT_EQ(host.source(original), nullptr);
    EXPECT_EQ(r::GetMediaSourceSampleRate(original), 0);
    EXPECT_EQ(host.sources_destroyed(), 2);

    sim::TakeSpec with_source;
    with_source.source = sim::SourceSpec{};
    sim::ItemSpec wanted;
    wanted.takes = {with_source, with_source, sim::TakeSpec{}};
    sim::Item* doomed = host.add_item(track, wanted);
    PCM_source* first = Host::handle(doomed->takes[0]->source);
    ASSERT_TRUE(r::DeleteTrackMediaItem(Host::handle(track), Host::handle(doomed)));
    EXPECT_EQ(host.sources_destroyed(), 4);
    EXPECT_EQ(host.source(first), nullptr);
    r::PCM_Source_Destroy(first);  // REAPER already freed it with the item
    EXPECT_EQ(host.misuse().size(), 3u);
    EXPECT_EQ(host.sources_destroyed(), 4);
    EXPECT_EQ(host.unowned_sources(), 0);
}

TEST_F(Sources, SourceTypeTextIsBoundedAndTerminated) {
    struct Case {
        int size;
        const char* expected;  // null: the buffer is left alone
    };
    const Case cases[] = {{0, nullptr}, {-4, nullptr}, {1, ""},     {2, "F"},
                          {4, "FLA"},   {5, "FLAC"},   {64, "FLAC"}};
    for (const Case& c : cases) {
        char buffer[72];
        std::memset(buffer, '#', sizeof buffer);
        r::GetMediaSourceType(original, buffer, c.size);
        if (c.expected == nullptr) {
            EXPECT_EQ(buffer[0], '#') << c.size;
            continue;
        }
        EXPECT_STREQ(buffer, c.expected) << c.size;
        EXPECT_EQ(buffer[c.size], '#') << "wrote past the size " << c.size;
    }
    r::GetMediaSourceType(original, nullptr, 16);  // nowhere to write: nothing happens
}

}  // namespace
