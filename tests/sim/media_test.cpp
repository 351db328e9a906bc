// Media sources (their vtable, copies, replacement and destruction, counted), InsertMedia and the
// canonical project dump the library's tests compare.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "entry/host_api.h"  // the library's declaration of the source vtable
#include "sim/host.h"

// Designated initializers name only what a case sets; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

namespace r = sim::reaper;
namespace fs = std::filesystem;
using sim::Host;

template <class T>
auto h(T* object) {
    return Host::handle(object);
}

// Every answer of the vtable, in its order, as one line.
std::string ask(PCM_source* s) {
    std::ostringstream out;
    out << s->IsAvailable() << " " << s->GetType() << " " << s->GetFileName() << " "
        << (s->GetSource() != nullptr) << " " << s->GetNumChannels() << " " << s->GetSampleRate()
        << " " << s->GetLength() << " " << s->GetLengthBeats() << " " << s->GetBitsPerSample()
        << " " << s->GetPreferredPosition();
    return out.str();
}

class Sources : public ::testing::Test {
protected:
    void SetUp() override {
        track = host.add_track(nullptr, "T");
        sim::TakeSpec vocal{.name = "vocal",
                            .source = sim::SourceSpec{"FLAC", "/m/vocal.flac", 96000, 1, 24, 12.5}};
        item = host.add_item(track, {.takes = {vocal, {.name = "silent"}}});
        take = h(item->takes[0]);
        original = r::GetMediaItemTake_Source(take);
    }

    Host host;
    sim::Track* track = nullptr;
    sim::Item* item = nullptr;
    MediaItem_Take* take = nullptr;
    PCM_source* original = nullptr;
};

TEST_F(Sources, AnswerThroughTheLibrarysVtableAndTheHostFunctions) {
    // Not beat-based: no length in beats (-1); no preferred position (-1).
    EXPECT_EQ(ask(original), "1 FLAC /m/vocal.flac 0 1 96000 12.5 -1 24 -1");
    EXPECT_EQ(r::GetMediaSourceSampleRate(original), 96000);
    EXPECT_EQ(r::GetMediaSourceNumChannels(original), 1);
    EXPECT_EQ(r::CF_GetMediaSourceBitDepth(original), 24);
    original->SetAvailable(false);
    EXPECT_TRUE(original->SetFileName("/m/moved.flac"));
    EXPECT_FALSE(original->SetFileName(nullptr));
    EXPECT_EQ(ask(original), "0 FLAC /m/moved.flac 0 1 96000 12.5 -1 24 -1");
    // The type text is cut to the buffer and terminated; nothing is written past its size.
    const std::pair<int, const char*> sizes[] = {{0, "######"},  {-4, "######"}, {1, "\0#####"},
                                                 {4, "FLA\0##"}, {5, "FLAC\0#"}, {64, "FLAC\0#"}};
    for (const auto& [size, image] : sizes) {
        char buffer[72] = "########";
        r::GetMediaSourceType(original, buffer, size);
        EXPECT_EQ(std::string(buffer, 6), std::string(image, 6)) << size;
    }
}

// Sources made, destroyed, alive but played by no take, and misuses recorded.
std::string ledger(const Host& host) {
    return std::to_string(host.sources_created()) + " made, " +
           std::to_string(host.sources_destroyed()) + " destroyed, " +
           std::to_string(host.unowned_sources()) + " unowned, " +
           std::to_string(host.misuse().size()) + " misused";
}

// The active-take copy's way (duplicate, hand the copy to the take, destroy the old source)
// leaves nothing behind; what REAPER would crash on is refused or recorded, and nothing is
// counted twice.
TEST_F(Sources, AreCountedOnceFromCopyToDestruction) {
    host.add_source({});
    EXPECT_EQ(ledger(host), "0 made, 0 destroyed, 1 unowned, 0 misused") << "building a session";
    PCM_source* copy = original->Duplicate();
    ASSERT_NE(host.source(copy), nullptr) << "the copy is a live source of this host";
    EXPECT_EQ(ask(copy), ask(original));
    EXPECT_EQ(host.source(copy->Duplicate())->generation, 2);
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(take, "P_SOURCE", copy), copy);
    EXPECT_EQ(r::GetMediaItemTake_Source(take), copy);
    EXPECT_NE(host.source(original), nullptr) << "setting does not destroy the old source";
    r::PCM_Source_Destroy(original);
    EXPECT_EQ(ledger(host), "2 made, 1 destroyed, 2 unowned, 0 misused");

    const std::string before = host.dump();
    EXPECT_EQ(r::GetSetMediaItemTakeInfo(h(item->takes[1]), "P_SOURCE", copy), nullptr);
    EXPECT_EQ(host.dump(), before) << "two takes never share a source";
    EXPECT_NE(host.misuse().at(0).find("\"vocal\""), std::string::npos) << host.misuse()[0];
    r::PCM_Source_Destroy(original);  // twice
    r::PCM_Source_Destroy(copy);      // still played by its take
    EXPECT_EQ(r::GetMediaItemTake_Source(take), nullptr);
    EXPECT_EQ(ledger(host), "2 made, 2 destroyed, 2 unowned, 3 misused");
    sim::Item* doomed = host.add_item(track, {.takes = {{.source = sim::SourceSpec{}}}});
    PCM_source* taken = h(doomed->takes[0]->source);
    ASSERT_TRUE(r::DeleteTrackMediaItem(h(track), h(doomed)));
    r::PCM_Source_Destroy(taken);  // gone with its item
    EXPECT_EQ(ledger(host), "2 made, 3 destroyed, 2 unowned, 4 misused");
}

// ---- InsertMedia ----

struct Wave {
    std::uint16_t channels, bits;
    std::uint32_t rate, frames;
    std::uint32_t declared = 0;  // the data size the header claims; 0: the true one
    bool list_first = false;     // an odd-sized chunk (with its pad byte) before "fmt "
};

// A RIFF/WAVE file as a recorder writes it, its samples silent.
std::string wave_bytes(const Wave& w) {
    std::string body = "WAVE";
    auto put = [&body](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) body += static_cast<char>(value >> (8 * i) & 0xff);
    };
    if (w.list_first) body += std::string("LIST\5\0\0\0INFOx\0", 14);
    const std::uint32_t block = w.channels * w.bits / 8u;
    body += "fmt ";
    put(16, 4), put(1, 2), put(w.channels, 2), put(w.rate, 4), put(w.rate * block, 4);
    put(block, 2), put(w.bits, 2);
    body += "data";
    put(w.declared ? w.declared : w.frames * block, 4);
    body += std::string(w.frames * block, '\0');
    std::string out = "RIFF";
    for (int i = 0; i < 4; ++i) out += static_cast<char>(body.size() >> (8 * i) & 0xff);
    return out + body;
}

class InsertMedia : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(directory); }
    void TearDown() override { fs::remove_all(directory); }

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = (directory / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The source InsertMedia gave the last selected item.
    PCM_source* inserted() {
        MediaItem* item = r::GetSelectedMediaItem(nullptr, r::CountSelectedMediaItems(nullptr) - 1);
        return r::GetMediaItemTake_Source(r::GetActiveTake(item));
    }

    Host host;
    const fs::path directory = fs::temp_directory_path() /
                               ("sim_insert_" + std::to_string(::getpid()) + "_" +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

// Files it cannot read and modes it does not simulate insert nothing; where a readable file goes
// is checked through the library's insertion.
TEST_F(InsertMedia, NothingForFilesItCannotReadOrModesItDoesNotSimulate) {
    host.add_media_file("/v/kick.wav", {});
    host.add_track(nullptr, "T", true);
    fs::create_directories(directory / "folder.wav");
    const std::string before = host.dump();
    for (int mode : {2, -1}) EXPECT_EQ(r::InsertMedia("/v/kick.wav", mode), 0) << mode;
    for (const std::string& file :
         {(directory / "missing.wav").string(), write("a.txt", "hi"), write("a.aiff", "x"),
          write("wav", "x"), (directory / "folder.wav").string(), std::string()}) {
        EXPECT_EQ(r::InsertMedia(file.c_str(), 0), 0) << file;
    }
    EXPECT_EQ(r::InsertMedia(nullptr, 0), 0);
    EXPECT_EQ(host.dump(), before);
    EXPECT_EQ(ledger(host), "0 made, 0 destroyed, 0 unowned, 2 misused") << "modes, not files";
}

// A real file's type comes from its extension; a .wav's format and length from its header, or
// the defaults when the header does not parse. A registered path wins over the file.
TEST_F(InsertMedia, RealFilesAreReadFromTheirExtensionAndWaveHeader) {
    host.add_track(nullptr, "T", true);
    std::string no_data = wave_bytes({2, 16, 44100, 0});
    no_data.resize(no_data.size() - 8);
    const std::string defaults = "WAVE 44100 2 24 10";
    const std::string cases[][3] = {
        {"voice.wav", wave_bytes({1, 16, 8000, 4000}), "WAVE 8000 1 16 0.5"},
        {"padded.wav", wave_bytes({2, 24, 48000, 12000, 0, true}), "WAVE 48000 2 24 0.25"},
        {"truncated.wav", wave_bytes({1, 8, 1000, 250, 0xffffffffu}), "WAVE 1000 1 8 0.25"},
        {"nodata.wav", no_data, defaults},
        {"garbage.wav", "not riff", defaults},
        {"empty.wav", "", defaults},
        {"a.mp3", "x", "MP3 44100 2 24 10"},
        {"b.MID", "x", "MIDI 44100 2 24 10"},
        {"c.ogg", "x", "VORBIS 44100 2 24 10"},
        {"d.Flac", "x", "FLAC 44100 2 24 10"},
        {"e.mp4", "x", "VIDEO 44100 2 24 10"},
        {"f.mov", "x", "VIDEO 44100 2 24 10"},
        {"g.midi", "x", "MIDI 44100 2 24 10"},
    };
    for (const auto& [name, bytes, expected] : cases) {
        const std::string path = write(name, bytes);
        ASSERT_EQ(r::InsertMedia(path.c_str(), 0), 1) << path;
        const sim::Source* source = host.source(inserted());
        const sim::SourceSpec& m = source->media;
        std::ostringstream got;
        got << m.type << " " << m.sample_rate << " " << m.channels << " " << m.bit_depth << " "
            << m.length;
        EXPECT_EQ(got.str(), expected) << name;
        EXPECT_EQ(m.file, path);
        EXPECT_EQ(r::GetMediaItemInfo_Value(h(source->owner->item), "D_LENGTH"), m.length);
    }
    const std::string path = write("real.wav", wave_bytes({2, 16, 44100, 10}));
    host.add_media_file(path, {.type = "SECTION"});
    ASSERT_EQ(r::InsertMedia(path.c_str(), 0), 1);
    EXPECT_EQ(host.source(inserted())->media.type, "SECTION");
}

// ---- the dump ----

// Two tracks; the first holds an item with two takes (one with a source) and an item without.
struct Built {
    Built(Host& host, sim::Project* project) : host(host), p(project) {
        p->frame_rate = 25.0;
        p->cursor = 1.25;
        sim::Track* drums = host.add_track(p, "Drums", true);
        host.add_track(p, "Bass");
        sim::Item* first = host.add_item(
            drums, {.position = 2.0,
                    .length = 3.0,
                    .selected = true,
                    .takes = {{.name = "kick", .source = sim::SourceSpec{}, .vol = 0.5},
                              {.name = "empty"}}});
        host.add_item(drums, {});
        item = h(first);
        take = h(first->takes[0]);
    }
    MediaTrack* track(int i) const { return h(p->tracks[i]); }

    Host& host;
    sim::Project* p;
    MediaItem* item;
    MediaItem_Take* take;
};

// The library's tests prove "nothing changed" by comparing dumps: every change the library can
// make through the host must show, down to the last digit.
TEST(Dump, EqualSessionsDumpAlikeAndEveryChangeShows) {
    using Change = std::function<void(Built&)>;
    std::vector<std::pair<std::string, Change>> changes = {
        {"last digit",
         [](Built& b) { r::SetMediaItemInfo_Value(b.item, "D_POSITION", std::nextafter(2.0, 3)); }},
        {"take name",
         [](Built& b) {
             char name[] = "snare";
             r::GetSetMediaItemTakeInfo_String(b.take, "P_NAME", name, true);
         }},
        {"frame rate", [](Built& b) { b.p->frame_rate = 24.0; }},
        {"play position", [](Built& b) { b.p->play_position = 4.0; }},
        {"cursor", [](Built&) { r::SetEditCurPos2(nullptr, 9, false, false); }},
        {"track selection", [](Built& b) { r::SetOnlyTrackSelected(b.track(1)); }},
        {"item selection", [](Built& b) { r::SetMediaItemSelected(b.item, false); }},
        {"new item", [](Built& b) { r::AddMediaItemToTrack(b.track(1)); }},
        {"new take", [](Built& b) { r::AddTakeToMediaItem(b.item); }},
        {"active take", [](Built& b) { b.p->tracks[0]->items[0]->active_take = 1; }},
        {"deleted item",
         [](Built& b) { r::DeleteTrackMediaItem(b.track(0), h(b.p->tracks[0]->items[1])); }},
        {"moved item", [](Built& b) { r::MoveMediaItemToTrack(b.item, b.track(1)); }},
        {"item order", [](Built& b) { r::MoveMediaItemToTrack(b.item, b.track(0)); }},
        {"source swapped for its copy",
         [](Built& b) {
             PCM_source* old = r::GetMediaItemTake_Source(b.take);
             r::GetSetMediaItemTakeInfo(b.take, "P_SOURCE", old->Duplicate());
             r::PCM_Source_Destroy(old);
         }},
        {"source destroyed",
         [](Built& b) { r::PCM_Source_Destroy(r::GetMediaItemTake_Source(b.take)); }},
        {"media inserted",
         [](Built& b) {
             b.host.add_media_file("a.wav", {});
             r::InsertMedia("a.wav", 0);
         }},
    };
    for (std::string_view name : sim::kItemParameters) {
        changes.push_back({std::string(name), [name](Built& b) {
                               r::SetMediaItemInfo_Value(b.item, name.data(), 0.75);
                           }});
    }
    for (std::string_view name : sim::kTakeParameters) {
        changes.push_back({std::string(name), [name](Built& b) {
                               r::SetMediaItemTakeInfo_Value(b.take, name.data(), 0.75);
                           }});
    }
    Host host;
    Built one(host, host.current_project());
    EXPECT_EQ(host.dump(one.p), host.dump(Built(host, host.add_project()).p));
    EXPECT_EQ(host.dump(), host.dump(one.p)) << "the current project by default";
    for (const auto& [what, change] : changes) {
        Host fresh;
        Built built(fresh, fresh.current_project());
        const std::string before = fresh.dump();
        EXPECT_EQ(before, host.dump(one.p)) << "another host dumps alike";
        change(built);
        EXPECT_NE(fresh.dump(), before) << what;
    }
    host.close_project(one.p);
    EXPECT_EQ(host.dump(one.p), "");
}

}  // namespace
