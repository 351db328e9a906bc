// InsertMedia: where the new item goes, what it plays, and which files count as readable.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/host.h"

namespace {

namespace r = sim::reaper;
namespace fs = std::filesystem;
using sim::Host;

void put16(std::vector<unsigned char>& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xff));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>((value >> shift) & 0xff));
    }
}

void put_id(std::vector<unsigned char>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(id[i]));
}

struct Wave {
    std::uint16_t channels = 2;
    std::uint32_t rate = 44100;
    std::uint16_t bits = 16;
    std::uint32_t frames = 0;
    std::uint32_t declared_data = 0;  // 0: the true size
    bool chunk_before_format = false;
};

// A RIFF/WAVE file as a recorder writes it; the sample data is silence.
std::vector<unsigned char> wave_bytes(const Wave& wave) {
    const std::uint16_t block = static_cast<std::uint16_t>(wave.channels * wave.bits / 8);
    const std::uint32_t data = wave.frames * block;
    std::vector<unsigned char> body;
    put_id(body, "WAVE");
    if (wave.chunk_before_format) {
        put_id(body, "LIST");
        put32(body, 5);  // odd: a pad byte follows
        body.insert(body.end(), {'I', 'N', 'F', 'O', 'x', 0});
    }
    put_id(body, "fmt ");
    put32(body, 16);
    put16(body, 1);  // PCM
    put16(body, wave.channels);
    put32(body, wave.rate);
    put32(body, wave.rate * block);
    put16(body, block);
    put16(body, wave.bits);
    put_id(body, "data");
    put32(body, wave.declared_data != 0 ? wave.declared_data : data);
    body.insert(body.end(), data, 0);
    std::vector<unsigned char> out;
    put_id(out, "RIFF");
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

class InsertMedia : public ::testing::Test {
protected:
    void SetUp() override {
        directory = fs::temp_directory_path() /
                    ("sim_insert_media_" + std::to_string(::getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    std::string write(const std::string& name, const std::vector<unsigned char>& bytes) {
        const fs::path path = directory / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    // The source of the take InsertMedia made, and the item holding it.
    sim::Source* inserted_source() {
        MediaItem* item = r::GetSelectedMediaItem(nullptr, r::CountSelectedMediaItems(nullptr) - 1);
        return host.source(r::GetMediaItemTake_Source(r::GetActiveTake(item)));
    }

    Host host;
    fs::path directory;
};

sim::SourceSpec registered_media() {
    sim::SourceSpec media;
    media.type = "WAVE";
    media.sample_rate = 48000;
    media.channels = 1;
    media.bit_depth = 32;
    media.length = 2.75;
    return media;
}

TEST_F(InsertMedia, ARegisteredFileGoesOnTheFirstSelectedTrackAtTheCursor) {
    sim::Track* t0 = host.add_track(nullptr, "T0");
    sim::Track* t1 = host.add_track(nullptr, "T1", true);
    host.add_track(nullptr, "T2", true);
    sim::ItemSpec selected;
    selected.selected = true;
    sim::Item* earlier = host.add_item(t0, selected);
    host.current_project()->cursor = 1.5;
    host.add_media_file("/virtual/drums/kick.wav", registered_media());

    ASSERT_EQ(r::InsertMedia("/virtual/drums/kick.wav", 0), 1);
    ASSERT_EQ(t1->items.size(), 1u);
    MediaItem* item = Host::handle(t1->items[0]);
    EXPECT_EQ(r::GetMediaItemInfo_Value(item, "D_POSITION"), 1.5);
    EXPECT_EQ(r::GetMediaItemInfo_Value(item, "D_LENGTH"), 2.75);
    EXPECT_EQ(r::GetMediaItemInfo_Value(item, "B_UISEL"), 1.0);
    EXPECT_TRUE(earlier->selected()) << "other items keep their selection";
    EXPECT_EQ(host.current_project()->cursor, 1.5);

    MediaItem_Take* take = r::GetActiveTake(item);
    EXPECT_STREQ(r::GetTakeName(take), "kick.wav");
    PCM_source* source = r::GetMediaItemTake_Source(take);
    char type[16];
    r::GetMediaSourceType(source, type, sizeof type);
    EXPECT_STREQ(type, "WAVE");
    EXPECT_EQ(r::GetMediaSourceSampleRate(source), 48000);
    EXPECT_EQ(r::GetMediaSourceNumChannels(source), 1);
    EXPECT_EQ(r::CF_GetMediaSourceBitDepth(source), 32);
    EXPECT_EQ(host.source(source)->media.file, "/virtual/drums/kick.wav");
    EXPECT_EQ(host.sources_created(), 1);
    EXPECT_EQ(host.unowned_sources(), 0);
    ASSERT_FALSE(host.call_log().empty());
    EXPECT_EQ(host.call_log()[0].function, "InsertMedia");
    EXPECT_EQ(host.call_log()[0].detail, "/virtual/drums/kick.wav");
}

// Without a selected track the first one is current, without tracks a new one is made; mode 1
// always makes a new track at the end.
TEST_F(InsertMedia, WhichTrackTheItemGoesOn) {
    struct Case {
        const char* what;
        std::vector<bool> selected;  // the project's tracks
        int mode;
        std::size_t tracks_after, receiving;
    };
    const Case cases[] = {
        {"selected second", {false, true}, 0, 2, 1},
        {"none selected", {false, false}, 0, 2, 0},
        {"no tracks", {}, 0, 1, 0},
        {"mode 1", {true, false}, 1, 3, 2},
    };
    host.add_media_file("a.wav", registered_media());
    for (const Case& c : cases) {
        sim::Project* project = host.add_project(c.what);
        host.set_current_project(project);
        for (bool selected : c.selected) host.add_track(project, "", selected);
        ASSERT_EQ(r::InsertMedia("a.wav", c.mode), 1) << c.what;
        ASSERT_EQ(project->tracks.size(), c.tracks_after) << c.what;
        for (std::size_t i = 0; i < project->tracks.size(); ++i) {
            EXPECT_EQ(project->tracks[i]->items.size(), i == c.receiving ? 1u : 0u) << c.what;
        }
        EXPECT_EQ(r::CountSelectedMediaItems(nullptr), 1) << c.what;
    }
}

TEST_F(InsertMedia, NothingIsInsertedForUnsimulatedModesOrUnreadableFiles) {
    host.add_media_file("a.wav", registered_media());
    host.add_track(nullptr, "T", true);
    const std::string text = write("notes.txt", {'h', 'i'});
    fs::create_directories(directory / "folder.wav");
    const std::string before = host.dump();

    for (int mode : {2, 3, -1, 512}) {
        EXPECT_EQ(r::InsertMedia("a.wav", mode), 0) << mode;
    }
    EXPECT_EQ(host.misuse().size(), 4u);

    const std::string unreadable[] = {(directory / "missing.wav").string(), text,
                                      (directory / "folder.wav").string(), ""};
    for (const std::string& file : unreadable) {
        EXPECT_EQ(r::InsertMedia(file.c_str(), 0), 0) << file;
    }
    EXPECT_EQ(r::InsertMedia(nullptr, 0), 0);
    EXPECT_EQ(host.dump(), before);
    EXPECT_EQ(host.sources_created(), 0);
    EXPECT_EQ(host.misuse().size(), 4u) << "an unreadable file is not a misuse";
}

// A real .wav is read from its header: with a chunk before "fmt ", cut short while still claiming
// its planned size; one whose header does not parse gets the defaults.
TEST_F(InsertMedia, ARealWaveFileIsReadFromItsHeader) {
    host.add_track(nullptr, "T", true);
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        int rate, channels, bits;
        double length;
    };
    const Wave voice{1, 8000, 16, 4000, 0, false};
    const Wave padded{2, 48000, 24, 12000, 0, true};
    const Wave truncated{1, 1000, 8, 250, 0xffffffffu, false};
    std::vector<unsigned char> no_data = wave_bytes(Wave{});
    no_data.resize(no_data.size() - 8);  // the data chunk header is gone
    const sim::SourceSpec d;
    const Case cases[] = {
        {"voice.wav", wave_bytes(voice), 8000, 1, 16, 0.5},
        {"padded.wav", wave_bytes(padded), 48000, 2, 24, 0.25},
        {"truncated.wav", wave_bytes(truncated), 1000, 1, 8, 0.25},
        {"nodata.wav", no_data, d.sample_rate, d.channels, d.bit_depth, d.length},
        {"garbage.wav",
         {'n', 'o', 't', ' ', 'r', 'i', 'f', 'f'},
         d.sample_rate,
         d.channels,
         d.bit_depth,
         d.length},
        {"empty.wav", {}, d.sample_rate, d.channels, d.bit_depth, d.length},
    };
    for (const Case& c : cases) {
        const std::string path = write(c.name, c.bytes);
        ASSERT_EQ(r::InsertMedia(path.c_str(), 0), 1) << c.name;
        sim::Source* source = inserted_source();
        ASSERT_NE(source, nullptr) << c.name;
        EXPECT_EQ(source->media.type, "WAVE") << c.name;
        EXPECT_EQ(source->media.file, path) << c.name;
        EXPECT_EQ(source->media.sample_rate, c.rate) << c.name;
        EXPECT_EQ(source->media.channels, c.channels) << c.name;
        EXPECT_EQ(source->media.bit_depth, c.bits) << c.name;
        EXPECT_EQ(source->media.length, c.length) << c.name;
        EXPECT_EQ(source->owner->name, c.name);
        EXPECT_EQ(r::GetMediaItemInfo_Value(Host::handle(source->owner->item), "D_LENGTH"),
                  c.length)
            << c.name;
    }
}

TEST_F(InsertMedia, OtherKnownExtensionsGiveTheirTypesAndARegisteredPathWins) {
    host.add_track(nullptr, "T", true);
    const std::pair<const char*, const char*> cases[] = {
        {"a.mp3", "MP3"},    {"b.mid", "MIDI"},  {"c.midi", "MIDI"},
        {"d.ogg", "VORBIS"}, {"e.flac", "FLAC"}, {"f.mp4", "VIDEO"},
        {"g.mov", "VIDEO"},  {"H.MP3", "MP3"},   {"i.Wav", "WAVE"},
    };
    for (const auto& [name, type] : cases) {
        const std::string path = write(name, {1, 2, 3});
        ASSERT_EQ(r::InsertMedia(path.c_str(), 0), 1) << name;
        sim::Source* source = inserted_source();
        ASSERT_NE(source, nullptr) << name;
        EXPECT_EQ(source->media.type, type) << name;
    }
    EXPECT_EQ(host.sources_created(), static_cast<int>(std::size(cases)));
    EXPECT_FALSE(sim::read_media_file(write("j.aiff", {1})).has_value());
    EXPECT_FALSE(sim::read_media_file(write("wav", {1})).has_value());

    const std::string path = write("real.wav", wave_bytes(Wave{}));
    sim::SourceSpec media = registered_media();
    media.type = "SECTION";
    host.add_media_file(path, media);
    ASSERT_EQ(r::InsertMedia(path.c_str(), 0), 1);
    EXPECT_EQ(inserted_source()->media.type, "SECTION");
}

}  // namespace
