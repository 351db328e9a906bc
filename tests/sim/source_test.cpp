// Media sources: the vtable an extension calls, ownership by takes, and the counts and misuse
// records tests rely on to catch leaks and double frees.
#include <gtest/gtest.h>

#include <cstring>
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

PCM_source* as_handle(ReaperSource* source) {
    return reinterpret_cast<PCM_source*>(source);
}

// The calls go through a class that is not a C++ base of the host's source, exactly as an
// extension's do; the vptr check would call that undefined, while the ABI says it is fine.
#define QM_THROUGH_REAPERS_VTABLE __attribute__((no_sanitize("vptr")))

struct Answers {
    std::string type, file;
    int channels = 0;
    double rate = 0, length = 0, beats = 0, preferred = 0;
    int bits = 0;
    bool available = false, parent = false;
};

QM_THROUGH_REAPERS_VTABLE Answers ask(PCM_source* handle) {
    ReaperSource* source = reinterpret_cast<ReaperSource*>(handle);
    Answers out;
    out.type = source->GetType();
    out.file = source->GetFileName();
    out.channels = source->GetNumChannels();
    out.rate = source->GetSampleRate();
    out.length = source->GetLength();
    out.beats = source->GetLengthBeats();
    out.bits = source->GetBitsPerSample();
    out.preferred = source->GetPreferredPosition();
    out.available = source->IsAvailable();
    out.parent = source->GetSource() != nullptr;
    return out;
}

QM_THROUGH_REAPERS_VTABLE PCM_source* duplicate(PCM_source* handle) {
    return as_handle(reinterpret_cast<ReaperSource*>(handle)->Duplicate());
}

QM_THROUGH_REAPERS_VTABLE void set_available(PCM_source* handle, bool available) {
    reinterpret_cast<ReaperSource*>(handle)->SetAvailable(available);
}

QM_THROUGH_REAPERS_VTABLE bool set_file_name(PCM_source* handle, const char* name) {
    return reinterpret_cast<ReaperSource*>(handle)->SetFileName(name);
}

sim::SourceSpec media_of(std::string type, std::string file, int rate, int channels, int bits,
                         double length) {
    sim::SourceSpec wanted;
    wanted.type = std::move(type);
    wanted.file = std::move(file);
    wanted.sample_rate = rate;
    wanted.channels = channels;
    wanted.bit_depth = bits;
    wanted.length = length;
    return wanted;
}

class Sources : public ::testing::Test {
protected:
    void SetUp() override {
        track = host.add_track(nullptr, "T");
        sim::TakeSpec take;
        take.name = "vocal";
        take.source = media_of("FLAC", "/media/vocal.flac", 96000, 1, 24, 12.5);
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

TEST_F(Sources, TheVtableAnswersInReapersOrder) {
    ASSERT_NE(original, nullptr);
    Answers answers = ask(original);
    EXPECT_EQ(answers.type, "FLAC");
    EXPECT_EQ(answers.file, "/media/vocal.flac");
    EXPECT_EQ(answers.channels, 1);
    EXPECT_EQ(answers.rate, 96000.0);
    EXPECT_EQ(answers.length, 12.5);
    EXPECT_EQ(answers.beats, -1.0);  // not a beat-based source
    EXPECT_EQ(answers.bits, 24);
    EXPECT_EQ(answers.preferred, -1.0);
    EXPECT_TRUE(answers.available);
    EXPECT_FALSE(answers.parent);

    set_available(original, false);
    EXPECT_FALSE(ask(original).available);
    EXPECT_TRUE(set_file_name(original, "/media/moved.flac"));
    EXPECT_EQ(ask(original).file, "/media/moved.flac");
    EXPECT_FALSE(set_file_name(original, nullptr));
    EXPECT_EQ(ask(original).file, "/media/moved.flac");
}

TEST_F(Sources, AMidiSourceMeasuresItsLengthInBeatsToo) {
    sim::Source* midi = host.add_source(media_of("MIDI", "a.mid", 44100, 0, 0, 4.0));
    EXPECT_EQ(ask(Host::handle(midi)).beats, 8.0);  // 120 bpm
}

TEST_F(Sources, DuplicateMakesAnUnownedCopyAndCountsIt) {
    PCM_source* copy = duplicate(original);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, original);
    sim::Source* made = host.source(copy);
    ASSERT_NE(made, nullptr) << "the copy is a live source of this host";
    EXPECT_EQ(made->owner, nullptr);
    EXPECT_EQ(made->generation, 1);
    EXPECT_EQ(host.source(original)->duplicate_calls, 1);
    EXPECT_EQ(host.sources_created(), 1);
    EXPECT_EQ(host.unowned_sources(), 1);
    const Answers answers = ask(copy);
    EXPECT_EQ(answers.type, "FLAC");
    EXPECT_EQ(answers.file, "/media/vocal.flac");
    EXPECT_EQ(answers.rate, 96000.0);
    EXPECT_EQ(r::GetMediaSourceNumChannels(copy), 1);

    PCM_source* second = duplicate(copy);
    EXPECT_EQ(host.source(second)->generation, 2);
    EXPECT_EQ(host.sources_created(), 2);
}

TEST_F(Sources, BuildingASessionCountsNoCreatedSources) {
    host.add_source({});
    EXPECT_EQ(host.sources_created(), 0);
    EXPECT_EQ(host.sources_destroyed(), 0);
    EXPECT_EQ(host.unowned_sources(), 1);
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

TEST_F(Sources, SettingASourceOnATakeWithoutOne) {
    MediaItem_Take* silent = Host::handle(item->takes[1]);
    sim::Source* fresh = host.add_source(media_of("MP3", "x.mp3", 48000, 2, 0, 3.0));
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(silent, "P_SOURCE", Host::handle(fresh)),
              Host::handle(fresh));
    EXPECT_EQ(fresh->owner, item->takes[1]);
    EXPECT_EQ(host.unowned_sources(), 0);
    // Setting the source a take already plays changes nothing.
    EXPECT_NE(r::GetSetMediaItemTakeInfo(silent, "P_SOURCE", Host::handle(fresh)), nullptr);
    EXPECT_EQ(fresh->owner, item->takes[1]);
}

TEST_F(Sources, TwoTakesCannotShareASource) {
    MediaItem_Take* silent = Host::handle(item->takes[1]);
    const std::string before = host.dump();
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(silent, "P_SOURCE", original), nullptr);
    EXPECT_EQ(host.dump(), before);
    ASSERT_EQ(host.misuse().size(), 1u);
    EXPECT_NE(host.misuse()[0].find("vocal"), std::string::npos) << host.misuse()[0];
}

TEST_F(Sources, DestroyingASourceATakeStillPlaysIsRecordedAndDetached) {
    r::PCM_Source_Destroy(original);
    ASSERT_EQ(host.misuse().size(), 1u);
    EXPECT_NE(host.misuse()[0].find("PCM_Source_Destroy"), std::string::npos);
    EXPECT_EQ(r::GetMediaItemTake_Source(take_handle), nullptr);
    EXPECT_EQ(host.source(original), nullptr);
    EXPECT_EQ(host.sources_destroyed(), 1);
    EXPECT_EQ(r::GetMediaSourceSampleRate(original), 0);
}

TEST_F(Sources, DestroyingTwiceIsRecordedOnce) {
    sim::Source* loose = host.add_source({});
    r::PCM_Source_Destroy(Host::handle(loose));
    EXPECT_TRUE(host.misuse().empty());
    r::PCM_Source_Destroy(Host::handle(loose));
    EXPECT_EQ(host.misuse().size(), 1u);
    EXPECT_EQ(host.sources_destroyed(), 1);
    r::PCM_Source_Destroy(nullptr);
    EXPECT_EQ(host.misuse().size(), 1u);
}

TEST_F(Sources, DeletingAnItemDestroysTheSourcesOfItsTakes) {
    sim::TakeSpec with_source;
    with_source.source = sim::SourceSpec{};
    sim::ItemSpec wanted;
    wanted.takes = {with_source, with_source, sim::TakeSpec{}};
    sim::Item* doomed = host.add_item(track, wanted);
    PCM_source* first = Host::handle(doomed->takes[0]->source);

    ASSERT_TRUE(r::DeleteTrackMediaItem(Host::handle(track), Host::handle(doomed)));
    EXPECT_EQ(host.sources_destroyed(), 2);
    EXPECT_EQ(host.source(first), nullptr);
    EXPECT_EQ(host.unowned_sources(), 0);
    r::PCM_Source_Destroy(first);  // REAPER already freed it with the item
    EXPECT_EQ(host.misuse().size(), 1u);
}

TEST_F(Sources, SourceFacts) {
    sim::Source* wave = host.add_source(media_of("WAVE", "w.wav", 22050, 6, 32, 1.0));
    PCM_source* handle = Host::handle(wave);
    EXPECT_EQ(r::GetMediaSourceSampleRate(handle), 22050);
    EXPECT_EQ(r::GetMediaSourceNumChannels(handle), 6);
    EXPECT_EQ(r::CF_GetMediaSourceBitDepth(handle), 32);
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
