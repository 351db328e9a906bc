// The host functions on their own (bad handles, editing, transport, what a test observes), GetFunc,
// the plug-in record and opening a module. Lookups, parameters, redraws, frame rates and the
// registration of a whole API are checked through the library's own tests.
#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "sim/host.h"

// Designated initializers name only what a case sets; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

namespace r = sim::reaper;
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
    sim::ItemSpec spec;
    spec.position = 1.0;
    spec.selected = true;
    spec.takes = {sim::TakeSpec{.name = "take", .source = sim::SourceSpec{}}};
    return spec;
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
        mistyped = {
            reinterpret_cast<ReaProject*>(live.track), reinterpret_cast<MediaTrack*>(live.item),
            reinterpret_cast<MediaItem*>(live.take), reinterpret_cast<MediaItem_Take*>(live.source),
            reinterpret_cast<PCM_source*>(live.item)};
        host.clear_call_log();
    }

    Host foreign;  // made first, so `host` is the active one
    Host host;
    Handles live{}, stale{}, alien{}, null{}, mistyped{};
};

TEST_F(BadHandles, AnswerNothingAndChangeNothing) {
    const std::string theirs = foreign.dump();
    const std::pair<const char*, const Handles*> kinds[] = {
        {"null", &null}, {"stale", &stale}, {"foreign", &alien}, {"mistyped", &mistyped}};
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

TEST(NoActiveHost, EveryFunctionAnswersNothing) {
    ASSERT_EQ(Host::active(), nullptr);
    for (const Case& c : cases()) EXPECT_TRUE(c.nothing({}, {})) << c.function;
    EXPECT_EQ(r::InsertMedia("x.wav", 0) + r::GetPlayState() + r::ShowMessageBox("", "", 0), 0);
}

// ---- editing, transport, observing ----

// Unknown parameter names and refused writes answer false and change nothing; new items and
// takes start empty; an item is deleted only from its own track, once; moving appends.
TEST(Editing, AsReaperDoes) {
    Host host;
    sim::Track* t0 = host.add_track();
    sim::Track* t1 = host.add_track();
    MediaItem* a = h(host.add_item(t0, full_item()));
    MediaItem_Take* take = r::GetActiveTake(a);
    host.fail_parameter_writes("D_VOL");
    const std::string before = host.dump();
    // Refused, the other kind's, wrong case, padded, empty, a text parameter.
    for (const char* name : {"D_VOL", "D_PLAYRATE", "d_position", "D_POSITION ", "", "P_NAME"}) {
        EXPECT_FALSE(r::SetMediaItemInfo_Value(a, name, 7.0)) << name;
    }
    for (const char* name : {"D_VOL", "D_POSITION", "d_pan", "P_NAME"}) {
        EXPECT_FALSE(r::SetMediaItemTakeInfo_Value(take, name, 7.0)) << name;
    }
    char text[8] = "#######";
    EXPECT_FALSE(r::GetSetMediaItemTakeInfo_String(take, "P_NOTES", text, true) ||
                 r::GetSetMediaItemTakeInfo_String(take, "P_NAME", nullptr, true));
    EXPECT_EQ(host.dump(), before);
    ASSERT_TRUE(r::GetSetMediaItemTakeInfo_String(take, "P_NAME", text, false));
    EXPECT_EQ(std::string(text, 6), std::string("take\0#", 6)) << "the name, nothing past it";

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

// The edit cursor moves (seeking the play position only while the transport runs) in its own
// project; a project ends where its latest-ending item ends.
TEST(Transport, CursorMovesAndSeeksOnlyItsProject) {
    auto seek = [](double time, bool seekplay) {
        return [=] { r::SetEditCurPos2(nullptr, time, true, seekplay); };
    };
    struct Case {
        int play_state;
        std::function<void()> move;
        double cursor, play_position;
    };
    const Case cases[] = {
        {0, seek(4.25, true), 4.25, 9},    {1, seek(4.25, false), 4.25, 9},
        {1, seek(4.25, true), 4.25, 4.25}, {2, seek(4.25, true), 4.25, 4.25},
        {5, seek(-3, true), 0, 0},         {1, seek(std::nan(""), true), 1, 9},
        {0, r::CSurf_GoEnd, 12, 9},        {1, r::CSurf_GoEnd, 12, 12},
    };
    for (const Case& c : cases) {
        Host host;
        sim::Project* other = host.add_project("other");
        host.add_item(host.add_track(), {.position = 2, .length = 10});
        host.add_item(host.add_track(), {.position = 8, .length = 1});  // last, ending first
        for (sim::Project* p : {host.current_project(), other}) {
            p->cursor = 1;
            p->play_position = 9;
            p->play_state = c.play_state;
        }
        c.move();
        const std::string what = "case " + std::to_string(&c - cases);
        EXPECT_EQ(r::GetCursorPositionEx(nullptr), c.cursor) << what;
        EXPECT_EQ(host.current_project()->play_position, c.play_position) << what;
        // While the transport stands still the play position is the cursor's.
        EXPECT_EQ(r::GetPlayPositionEx(nullptr), c.play_state ? c.play_position : c.cursor) << what;
        EXPECT_EQ(other->cursor, 1) << what << ": only the current project moves";
    }
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

// ---- GetFunc, the plug-in record, modules ----

TEST(GetFunc, AnswersTheSwsFunctionOnlyWithSws) {
    Host host;
    EXPECT_EQ(host.get_func("CF_GetMediaSourceBitDepth"), nullptr);
    host.set_sws_installed(true);
    EXPECT_EQ(host.get_func("CF_GetMediaSourceBitDepth"),
              sim::host_function("CF_GetMediaSourceBitDepth"));
}

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
    const std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("sim_module_" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    const std::string text = (directory / "reaper_text.so").string();
    std::ofstream(text) << "not an ELF object\n";
    // The C library loads everywhere and is no extension. Found through a function no sanitizer
    // intercepts, so the address really lies in it.
    Dl_info libc{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &libc), 0);
    const std::pair<std::string, std::string> cases[] = {
        {(directory / "reaper_missing.so").string(), "no such file"},
        {text, "reaper_text.so"},  // what the loader says
        {libc.dli_fname, "no ReaperPluginEntry"},
    };
    for (const auto& [path, reason] : cases) {
        std::string error;
        EXPECT_EQ(sim::Module::open(path, error), nullptr) << path;
        const std::string prefix = "cannot load " + path + ": ";
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
        EXPECT_NE(error.find(reason, prefix.size()), std::string::npos) << error;
    }
    std::filesystem::remove_all(directory);
}

}  // namespace
