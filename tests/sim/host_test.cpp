// The simulated host on its own: bad handles, editing, the call log, the plug-in record,
// opening a module, sources and InsertMedia,
// and the dump. Lookups, parameters, redraws, frame rates, the cursor and transport and the
// registration of a whole API are checked through the library's own tests, GetFunc through
// reaper-sim's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "entry/host_api.h"
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

// ---- bad handles ----

struct Handles {
    ReaProject* project;
    MediaTrack* track;
    MediaItem* item;
    MediaItem_Take* take;
    PCM_source* source;
};

// Whether the function answered nothing given `h`, the handles under test (`live` ones fill its
// other arguments); `guarded`: whether it answers for live handles.
struct Case {
    const char* function;
    std::function<bool(const Handles& h, const Handles& live)> nothing;
    bool guarded;
};

// clang-format off
#define QM_CASE(function, ...)                                                     \
    Case{#function, [](const Handles& h, [[maybe_unused]] const Handles& live) {  \
        return __VA_ARGS__; }, true}
#define QM_ACTION(function, ...)                                                   \
    Case{#function, [](const Handles& h, [[maybe_unused]] const Handles& live) {  \
        return (__VA_ARGS__, true); }, false}
// clang-format on

std::vector<Case> cases() {
    return {
        QM_CASE(GetMediaItem, !r::GetMediaItem(h.project, 0)),
        QM_CASE(GetSelectedMediaItem, !r::GetSelectedMediaItem(h.project, 0)),
        QM_CASE(GetTrack, !r::GetTrack(h.project, 0)),
        QM_CASE(GetSelectedTrack, !r::GetSelectedTrack(h.project, 0)),
        QM_CASE(GetTrackMediaItem, !r::GetTrackMediaItem(h.track, 0)),
        QM_CASE(CountMediaItems, r::CountMediaItems(h.project) == 0),
        QM_CASE(CountSelectedMediaItems, r::CountSelectedMediaItems(h.project) == 0),
        QM_CASE(CountTrackMediaItems, r::CountTrackMediaItems(h.track) == 0),
        QM_CASE(CountSelectedTracks, r::CountSelectedTracks(h.project) == 0),
        QM_CASE(CountTracks, r::CountTracks(h.project) == 0),
        QM_CASE(GetMediaItem_Track, !r::GetMediaItem_Track(h.item)),
        QM_CASE(GetItemProjectContext, !r::GetItemProjectContext(h.item)),
        QM_CASE(GetActiveTake, !r::GetActiveTake(h.item)),
        QM_CASE(GetMediaItemTake_Source, !r::GetMediaItemTake_Source(h.take)),
        QM_CASE(GetMediaItemInfo_Value, r::GetMediaItemInfo_Value(h.item, "D_POSITION") == 0),
        QM_CASE(SetMediaItemInfo_Value, !r::SetMediaItemInfo_Value(h.item, "D_POSITION", 3)),
        QM_CASE(GetMediaItemTakeInfo_Value, r::GetMediaItemTakeInfo_Value(h.take, "D_VOL") == 0),
        QM_CASE(SetMediaItemTakeInfo_Value, !r::SetMediaItemTakeInfo_Value(h.take, "D_VOL", 0.5)),
        // A null value asks for the source instead of setting one.
        QM_CASE(GetSetMediaItemTakeInfo,
                !r::GetSetMediaItemTakeInfo(h.take, "P_SOURCE", nullptr) &&
                    !r::GetSetMediaItemTakeInfo(h.take, "P_ITEM", nullptr) &&
                    !r::GetSetMediaItemTakeInfo(h.take, "P_SOURCE", live.source) &&
                    (!h.source || !r::GetSetMediaItemTakeInfo(live.take, "P_SOURCE", h.source))),
        QM_CASE(GetSetMediaItemTakeInfo_String,
                [&h] {
                    char name[8] = "keep";
                    return !r::GetSetMediaItemTakeInfo_String(h.take, "P_NAME", name, false) &&
                           !r::GetSetMediaItemTakeInfo_String(h.take, "P_NAME", name, true) &&
                           std::string(name) == "keep";
                }()),
        QM_CASE(GetMediaTrackInfo_Value,
                r::GetMediaTrackInfo_Value(h.track, "P_PROJECT") == 0 &&
                    r::GetMediaTrackInfo_Value(h.track, "I_SELECTED") == 0),
        QM_CASE(GetTakeName, !r::GetTakeName(h.take)),
        QM_CASE(GetMediaSourceType,
                [&h] {
                    char type[8] = "keep";
                    r::GetMediaSourceType(h.source, type, sizeof type);
                    return type[0] == '\0';
                }()),
        QM_CASE(GetMediaSourceSampleRate, r::GetMediaSourceSampleRate(h.source) == 0),
        QM_CASE(GetMediaSourceNumChannels, r::GetMediaSourceNumChannels(h.source) == 0),
        QM_CASE(CF_GetMediaSourceBitDepth, r::CF_GetMediaSourceBitDepth(h.source) == 0),
        QM_CASE(AddMediaItemToTrack, !r::AddMediaItemToTrack(h.track)),
        QM_CASE(AddTakeToMediaItem, !r::AddTakeToMediaItem(h.item)),
        QM_CASE(MoveMediaItemToTrack, !r::MoveMediaItemToTrack(h.item, live.track) &&
                                          !r::MoveMediaItemToTrack(live.item, h.track)),
        QM_CASE(TimeMap_curFrameRate,
                [&h] {
                    bool drop = true;
                    return r::TimeMap_curFrameRate(h.project, &drop) == 0 && drop;
                }()),
        QM_CASE(GetPlayPositionEx, r::GetPlayPositionEx(h.project) == 0),
        QM_CASE(GetCursorPositionEx, r::GetCursorPositionEx(h.project) == 0),
        QM_ACTION(DeleteTrackMediaItem, r::DeleteTrackMediaItem(h.track, live.item),
                  r::DeleteTrackMediaItem(live.track, h.item)),
        QM_ACTION(PCM_Source_Destroy, r::PCM_Source_Destroy(h.source)),
        QM_ACTION(SetMediaItemSelected, r::SetMediaItemSelected(h.item, true)),
        QM_ACTION(SetOnlyTrackSelected, r::SetOnlyTrackSelected(h.track)),
        QM_ACTION(SetTrackSelected, r::SetTrackSelected(h.track, true)),
        QM_ACTION(SetEditCurPos2, r::SetEditCurPos2(h.project, 5.0, true, true)),
    };
}

sim::ItemSpec full_item() {
    sim::ItemSpec wanted;
    wanted.position = 1.0;
    wanted.selected = true;
    wanted.takes = {sim::TakeSpec{.name = "take", .source = sim::SourceSpec{}}};
    return wanted;
}

// Every stale handle stood for something that would answer: a closed project with items, a
// deleted track with items, a deleted item with a take and a source, a destroyed source.
class BadHandles : public ::testing::Test {
protected:
    void SetUp() override {
        sim::Project* closed = host.add_project("closed");
        host.add_item(host.add_track(closed, "there", true), full_item());
        sim::Track* kept = host.add_track(nullptr, "kept", true);
        sim::Item* item = host.add_item(kept, full_item());
        sim::Track* gone = host.add_track(nullptr, "gone", true);
        host.add_item(gone, full_item());
        sim::Item* deleted = host.add_item(kept, full_item());
        sim::Source* destroyed = host.add_source({});
        host.current_project()->cursor = 2.0;
        live = {nullptr, h(kept), h(item), h(item->takes[0]), h(host.add_source({}))};
        stale = {h(closed), h(gone), h(deleted), h(deleted->takes[0]), h(destroyed)};
        host.close_project(closed);
        host.delete_track(gone);
        ASSERT_TRUE(r::DeleteTrackMediaItem(h(kept), h(deleted)));
        r::PCM_Source_Destroy(h(destroyed));
        sim::Item* theirs = foreign.add_item(foreign.add_track(), full_item());
        alien = {h(foreign.current_project()), h(theirs->track), h(theirs), h(theirs->takes[0]),
                 h(theirs->takes[0]->source)};
        // A null project is the current one: the closed one stands in for it.
        null = {stale.project, nullptr, nullptr, nullptr, nullptr};
        host.clear_call_log();
    }

    Host foreign;  // made first, so `host` is the active one
    Host host;
    Handles live{}, stale{}, alien{}, null{};
};

TEST_F(BadHandles, AnswerNothingAndChangeNothing) {
    const std::string theirs = foreign.dump();
    const std::pair<const char*, const Handles*> kinds[] = {
        {"null", &null}, {"stale", &stale}, {"foreign", &alien}};
    for (const auto& [kind, handles] : kinds) {
        for (const Case& c : cases()) {
            const std::string before = host.dump();
            const int destroyed = host.sources_destroyed();
            EXPECT_TRUE(c.nothing(*handles, live)) << c.function << ", " << kind;
            EXPECT_EQ(host.dump(), before) << c.function << ", " << kind;
            EXPECT_EQ(host.sources_destroyed(), destroyed) << c.function << ", " << kind;
            EXPECT_GE(host.calls_to(c.function), 1) << c.function << " is logged";
        }
    }
    EXPECT_EQ(foreign.dump(), theirs);
    EXPECT_EQ(host.redraw_count(), 0);
    // Guards the table: with live handles, each case that answers does.
    for (const Case& c : cases()) {
        if (c.guarded) {
            EXPECT_FALSE(c.nothing(live, live)) << c.function << " with live handles";
        }
    }
}

// ---- editing, transport, observing ----

// New items and takes start empty; an item is deleted only from its own track, once; moving
// appends; a project is always open. (Refused writes are checked through the library's setters.)
TEST(Editing, AsReaperDoes) {
    Host host;
    sim::Track* t0 = host.add_track();
    sim::Track* t1 = host.add_track();
    MediaItem* a = h(host.add_item(t0, full_item()));
    char name[8] = "#######";
    ASSERT_TRUE(r::GetSetMediaItemTakeInfo_String(r::GetActiveTake(a), "P_NAME", name, false));
    EXPECT_EQ(std::string(name, 6), std::string("take\0#", 6)) << "the name, nothing past it";
    EXPECT_FALSE(r::SetMediaItemInfo_Value(a, "P_NAME", 1) ||
                 r::SetMediaItemInfo_Value(a, "d_vol", 1));
    MediaItem* b = r::AddMediaItemToTrack(h(t1));
    MediaItem_Take* first = r::AddTakeToMediaItem(b);
    ASSERT_NE(r::AddTakeToMediaItem(b), first);
    EXPECT_EQ(r::GetActiveTake(b), first) << "the first take stays active";
    EXPECT_TRUE(r::GetMediaItemTake_Source(first) == nullptr && *r::GetTakeName(first) == 0);
    ASSERT_TRUE(r::MoveMediaItemToTrack(a, h(t1)));
    EXPECT_EQ(r::GetTrackMediaItem(h(t1), 1), a) << "moving appends";
    EXPECT_FALSE(r::DeleteTrackMediaItem(h(t0), a)) << "only from its own track";
    EXPECT_TRUE(r::DeleteTrackMediaItem(h(t1), a));
    EXPECT_FALSE(r::DeleteTrackMediaItem(h(t1), a)) << "only once";
    host.close_project(host.current_project());
    EXPECT_EQ(host.projects().size(), 1u) << "REAPER always has a project";
}

// The library's tests rely on the call log to show that nothing was asked of the host.
TEST(Observing, TheCallLog) {
    Host host;
    sim::Item* item = host.add_item(host.add_track(nullptr, "T", true), {});
    EXPECT_TRUE(host.call_log().empty()) << "building a session is no host call";
    r::GetMediaItemInfo_Value(h(item), "D_LENGTH");
    r::CountMediaItems(nullptr);
    ASSERT_EQ(host.call_log().size(), 2u);
    EXPECT_EQ(host.call_log()[0].function + " " + host.call_log()[0].detail,
              "GetMediaItemInfo_Value D_LENGTH");
    EXPECT_EQ(host.calls_to("CountMediaItems"), 1);
    host.clear_call_log();
    EXPECT_EQ(host.calls_to("CountMediaItems"), 0);
}

// ---- the plug-in record, modules ----

// Each host's record reaches that host, while another is active; a lookup is no host call.
TEST(PluginInfo, TheRecordReachesItsOwnHost) {
    Host first;
    sim::reaper_plugin_info_t* record = first.plugin_info();
    EXPECT_EQ(record->caller_version, 0x20E);
    EXPECT_NE(record->hwnd_main, nullptr);
    Host second;
    EXPECT_EQ(record->Register("API_QM_X", &first), 1);
    EXPECT_EQ(record->GetFunc("QM_X"), &first);
    EXPECT_EQ(second.plugin_info()->GetFunc("QM_X"), nullptr);
    EXPECT_EQ(first.call_log().size(), 1u) << "the registration, not the lookup";
    EXPECT_EQ(first.plugin_info(), record) << "one record per host";
}

TEST(Module, OpeningFailsWithAMessageSayingWhy) {
    const fs::path directory =
        fs::temp_directory_path() / ("sim_module_" + std::to_string(::getpid()));
    fs::create_directories(directory);
    const std::string text = (directory / "reaper_text.so").string();
    std::ofstream(text) << "not an ELF object\n";
    const std::pair<std::string, std::string> cases[] = {
        {(directory / "reaper_missing.so").string(), "no such file"},
        {text, ""},  // the system loader's own reason
        {QM_NOT_AN_EXTENSION, "no ReaperPluginEntry"},
    };
    for (const auto& [path, reason] : cases) {
        std::string error;
        EXPECT_EQ(sim::Module::open(path, error), nullptr) << path;
        const std::string prefix = "cannot load " + path + ": ";
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        EXPECT_GT(error.size(), prefix.size()) << error;
        EXPECT_NE(error.find(reason, prefix.size()), std::string::npos) << error;
    }
    fs::remove_all(directory);
}

// ---- sources, InsertMedia, the dump ----

// Every answer of the source, in its vtable's order, as one line. Asked of the host's object: an
// extension calls none of these, and on Windows its handle has the layout of REAPER's compiler.
std::string ask(sim::Source* s) {
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
                            .source = sim::SourceSpec{.type = "FLAC",
                                                      .file = "/m/vocal.flac",
                                                      .sample_rate = 96000,
                                                      .channels = 1,
                                                      .bit_depth = 24,
                                                      .length = 12.5}};
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
    EXPECT_EQ(ask(host.source(original)), "1 FLAC /m/vocal.flac 0 1 96000 12.5 -1 24 -1");
    EXPECT_EQ(r::GetMediaSourceSampleRate(original), 96000);
    EXPECT_EQ(r::GetMediaSourceNumChannels(original), 1);
    EXPECT_EQ(r::CF_GetMediaSourceBitDepth(original), 24);
    host.source(original)->SetAvailable(false);
    EXPECT_TRUE(host.source(original)->SetFileName("/m/moved.flac"));
    EXPECT_FALSE(host.source(original)->SetFileName(nullptr));
    EXPECT_EQ(ask(host.source(original)), "0 FLAC /m/moved.flac 0 1 96000 12.5 -1 24 -1");
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
    const auto duplicate = [&](PCM_source* s) {
        return Host::handle(static_cast<sim::Source*>(host.source(s)->Duplicate()));
    };
    PCM_source* copy = duplicate(original);
    ASSERT_NE(host.source(copy), nullptr) << "the copy is a live source of this host";
    EXPECT_EQ(ask(host.source(copy)), ask(host.source(original)));
    EXPECT_EQ(host.source(duplicate(copy))->generation, 2);
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

// A real file's type comes from its extension; a .wav's format and length from its header, or
// the defaults when the header does not parse. A registered path wins over the file. (Where the
// item goes, and what cannot be inserted, is checked through the library's insertion.)
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
             sim::Source* copy = static_cast<sim::Source*>(b.host.source(old)->Duplicate());
             r::GetSetMediaItemTakeInfo(b.take, "P_SOURCE", Host::handle(copy));
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
                               const double now = r::GetMediaItemInfo_Value(b.item, name.data());
                               r::SetMediaItemInfo_Value(b.item, name.data(), now == 0 ? 1 : 0);
                           }});
    }
    for (std::string_view name : sim::kTakeParameters) {
        changes.push_back({std::string(name), [name](Built& b) {
                               const double now =
                                   r::GetMediaItemTakeInfo_Value(b.take, name.data());
                               r::SetMediaItemTakeInfo_Value(b.take, name.data(), now == 0 ? 1 : 0);
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

// The tempo map against times worked out by hand: 120 bpm is 2 QN a second; a linear ramp from
// 60 to 180 bpm over 2 s covers (1 + 3) / 2 · 2 = 4 QN.
TEST(Tempo, ConvertsThroughSquareAndLinearPoints) {
    sim::Tempo ramp{.bpm = 60};
    ramp.points = {{.position = 0, .bpm = 60, .shape = 0},
                   {.position = 2, .bpm = 180, .shape = 1, .num = 3, .denom = 4}};
    sim::Tempo steps{.bpm = 120};
    steps.points = {{.position = 0, .bpm = 120}, {.position = 1, .bpm = 60}};
    struct Case {
        const sim::Tempo* tempo;
        double time, qn, bpm;
        int num;
    };
    const sim::Tempo plain{.bpm = 90, .num = 7, .denom = 8};
    const Case cases[] = {
        {&plain, 2.0, 3.0, 90, 7}, {&steps, 0.5, 1.0, 120, 4}, {&steps, 3.0, 4.0, 60, 4},
        {&ramp, 1.0, 1.5, 120, 4}, {&ramp, 2.0, 4.0, 180, 3},  {&ramp, 3.0, 7.0, 180, 3},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.tempo->time_to_qn(c.time), c.qn, 1e-9) << c.time;
        EXPECT_NEAR(c.tempo->qn_to_time(c.qn), c.time, 1e-9) << c.qn;
        EXPECT_NEAR(c.tempo->bpm_at(c.time), c.bpm, 1e-9) << c.time;
        EXPECT_EQ(c.tempo->signature_at(c.time).first, c.num) << c.time;
    }
}

// Handles made in bulk (as a project file's load makes them) and one by one, deleted between
// lookups in a scrambled order: each answers live exactly while its object exists.
TEST(Handles, AnswerLiveExactlyWhileTheirObjectExists) {
    Host host;
    sim::Track* track = host.add_track();
    host.reserve(3000, 3000, 3000);
    struct Made {
        MediaItem* item;
        MediaItem_Take* take;
        PCM_source* source;
        bool live = true;
    };
    std::vector<Made> made;
    for (int i = 0; i < 4000; ++i) {
        sim::Item* item = host.add_item(track, {.takes = {{.source = sim::SourceSpec{}}}});
        made.push_back({Host::handle(item), Host::handle(item->takes[0]),
                        Host::handle(item->takes[0]->source)});
        if (i % 7 == 3) {  // a lookup between makings settles what waits
            ASSERT_NE(host.item(made[static_cast<std::size_t>(i / 2)].item), nullptr);
        }
    }
    std::uint32_t state = 12345;
    const auto next = [&] { return state = state * 1103515245U + 12345U; };
    for (int round = 0; round < 3; ++round) {
        for (int k = 0; k < 600; ++k) {
            Made& m = made[next() % made.size()];
            if (!m.live) continue;
            ASSERT_TRUE(r::DeleteTrackMediaItem(Host::handle(track), m.item));
            m.live = false;
        }
        for (const Made& m : made) {
            ASSERT_EQ(host.item(m.item) != nullptr, m.live);
            ASSERT_EQ(host.take(m.take) != nullptr, m.live);
            ASSERT_EQ(host.source(m.source) != nullptr, m.live);
        }
    }
}

TEST(Editing, ACopiedItemGetsFreshGuidsAndKeepsTheRest) {
    Host host;
    sim::Track* track = host.add_track();
    sim::TakeSpec take{.name = "t", .source = sim::SourceSpec{}};
    take.markers = {{.source_position = 1.5, .name = "hit"}};
    sim::Item* item = host.add_item(track, {.group = 3, .notes = "a\nb", .takes = {take}});
    sim::Item* copy = host.copy_item(item, track);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->guid, item->guid);
    EXPECT_NE(copy->takes[0]->guid, item->takes[0]->guid);
    EXPECT_EQ(copy->guid.size(), 38U);
    EXPECT_EQ(copy->group, 3);
    EXPECT_EQ(copy->notes, "a\nb");
    EXPECT_EQ(copy->takes[0]->markers, item->takes[0]->markers);
    EXPECT_NE(copy->takes[0]->source, item->takes[0]->source);
    EXPECT_EQ(host.copy_item(nullptr, track), nullptr);
}
