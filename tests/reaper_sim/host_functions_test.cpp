#include "host_functions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using ::testing::ElementsAre;
using testing::eval;
using testing::Outcome;
using testing::set_global;

TEST(HostFunctionRows, DefinitionTextsAgreeWithTheirCSignatures) {
    for (const HostFunctionRow& row : host_function_rows()) {
        std::string error;
        const auto def = parse_definition(row.name, row.definition, error);
        ASSERT_TRUE(def.has_value()) << row.name << ": " << error;
        const std::vector<std::string> signature = row.signature();
        ASSERT_EQ(signature.size(), def->params.size() + 1) << row.name;
        EXPECT_EQ(def->result.declared, signature[0]) << row.name;
        for (std::size_t i = 0; i < def->params.size(); ++i) {
            EXPECT_EQ(def->params[i].type.declared, signature[i + 1]) << row.name << " " << i;
            EXPECT_NE(def->params[i].type.type, ValueType::Unsupported) << row.name << " " << i;
        }
        EXPECT_FALSE(def->help.empty()) << row.name;
    }
}

TEST(HostFunctionRows, EveryRowIsAHostFunctionOnce) {
    sim::Host host;
    host.set_sws_installed(true);
    std::set<std::string> seen;
    for (const HostFunctionRow& row : host_function_rows()) {
        EXPECT_TRUE(seen.insert(row.name).second) << row.name << " twice";
        EXPECT_NE(host.get_func(row.name), nullptr) << row.name;
    }
    // The functions the library calls, less the two that pass void*, plus the console.
    for (const char* name : {"GetMediaItem",
                             "GetSelectedMediaItem",
                             "GetTrack",
                             "GetSelectedTrack",
                             "GetTrackMediaItem",
                             "CountMediaItems",
                             "CountSelectedMediaItems",
                             "CountTrackMediaItems",
                             "CountSelectedTracks",
                             "GetMediaItem_Track",
                             "GetItemProjectContext",
                             "GetActiveTake",
                             "GetMediaItemTake_Source",
                             "GetMediaItemInfo_Value",
                             "SetMediaItemInfo_Value",
                             "GetMediaItemTakeInfo_Value",
                             "SetMediaItemTakeInfo_Value",
                             "GetSetMediaItemTakeInfo_String",
                             "GetMediaTrackInfo_Value",
                             "GetTakeName",
                             "GetMediaSourceType",
                             "GetMediaSourceSampleRate",
                             "GetMediaSourceNumChannels",
                             "PCM_Source_Destroy",
                             "AddMediaItemToTrack",
                             "AddTakeToMediaItem",
                             "DeleteTrackMediaItem",
                             "MoveMediaItemToTrack",
                             "SetMediaItemSelected",
                             "SetOnlyTrackSelected",
                             "SetTrackSelected",
                             "InsertMedia",
                             "TimeMap_curFrameRate",
                             "GetPlayState",
                             "GetPlayPositionEx",
                             "GetCursorPositionEx",
                             "SetEditCurPos2",
                             "CSurf_GoEnd",
                             "UpdateArrange",
                             "ShowMessageBox",
                             "ShowConsoleMsg",
                             "CF_GetMediaSourceBitDepth"}) {
        EXPECT_EQ(seen.count(name), 1u) << name;
    }
    EXPECT_EQ(seen.count("GetSetMediaItemTakeInfo"), 0u);
    EXPECT_EQ(seen.count("plugin_register"), 0u);
}

class HostFunctions : public ::testing::Test {
protected:
    HostFunctions() {
        track_ = host_.add_track(nullptr, "Bass", true);
        sim::ItemSpec desc;
        desc.position = 1.5;
        desc.length = 4.0;
        desc.vol = 0.5;
        sim::TakeSpec take;
        take.name = "Bass DI.mp3";
        take.rate = 1.25;
        take.source = sim::SourceSpec{"MP3", "Bass DI.mp3", 48000, 2, 16, 10.0};
        desc.takes.push_back(take);
        item_ = host_.add_item(track_, desc);
        env_ = std::make_unique<Environment>(host_);
        L_ = env_->state();
        set_global(L_, "item", sim::Host::handle(item_));
        set_global(L_, "track", sim::Host::handle(track_));
    }

    Outcome run(const std::string& code) { return eval(L_, code); }

    sim::Host host_;
    sim::Track* track_ = nullptr;
    sim::Item* item_ = nullptr;
    std::unique_ptr<Environment> env_;
    lua_State* L_ = nullptr;
};

struct CallCase {
    const char* code;
    std::vector<std::string> expected;
};

void PrintTo(const CallCase& c, std::ostream* os) {
    *os << testing::label(c.code);
}

class HostCalls : public HostFunctions, public ::testing::WithParamInterface<CallCase> {};

TEST_P(HostCalls, AnswerThroughTheMarshaller) {
    const Outcome o = run(GetParam().code);
    ASSERT_TRUE(o.ok) << GetParam().code << ": " << o.error;
    EXPECT_EQ(o.values, GetParam().expected) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, HostCalls,
    ::testing::Values(
        CallCase{"return reaper.GetMediaItemInfo_Value(item, 'D_POSITION')", {"1.5"}},
        CallCase{"return reaper.GetMediaItemInfo_Value(item, 'D_VOL')", {"0.5"}},
        CallCase{"return reaper.GetMediaItemInfo_Value(nil, 'D_VOL')", {"0.0"}},
        CallCase{"return reaper.SetMediaItemInfo_Value(item, 'D_LENGTH', 2.25), "
                 "reaper.GetMediaItemInfo_Value(item, 'D_LENGTH')",
                 {"true", "2.25"}},
        CallCase{"return reaper.SetMediaItemInfo_Value(item, 'NOPE', 1)", {"false"}},
        CallCase{"return reaper.GetMediaItemTakeInfo_Value(reaper.GetActiveTake(item), "
                 "'D_PLAYRATE')",
                 {"1.25"}},
        CallCase{"return reaper.CountMediaItems(0), reaper.CountSelectedTracks(nil)", {"1", "1"}},
        CallCase{"return reaper.GetTrackMediaItem(track, 0) == item, "
                 "reaper.GetMediaItem_Track(item) == track",
                 {"true", "true"}},
        CallCase{"return reaper.GetTakeName(reaper.GetActiveTake(item))", {"Bass DI.mp3"}},
        CallCase{"return reaper.GetTakeName(nil)", {"nil"}},
        CallCase{"return reaper.GetMediaSourceType("
                 "reaper.GetMediaItemTake_Source(reaper.GetActiveTake(item)))",
                 {"MP3"}},
        CallCase{"local s = reaper.GetMediaItemTake_Source(reaper.GetActiveTake(item))\n"
                 "return reaper.GetMediaSourceSampleRate(s), reaper.GetMediaSourceNumChannels(s)",
                 {"48000", "2"}},
        CallCase{"local t = reaper.GetActiveTake(item)\n"
                 "local a, before = reaper.GetSetMediaItemTakeInfo_String(t, 'P_NAME', '', false)\n"
                 "local b = reaper.GetSetMediaItemTakeInfo_String(t, 'P_NAME', 'Renamed', true)\n"
                 "return a, before, b, reaper.GetTakeName(t)",
                 {"true", "Bass DI.mp3", "true", "Renamed"}},
        CallCase{"sim.set_frame_rate(29.97, true) return reaper.TimeMap_curFrameRate(0)",
                 {"29.97", "true"}},
        CallCase{"return reaper.TimeMap_curFrameRate(0, true)", {"30.0", "false"}},
        CallCase{"reaper.SetEditCurPos2(0, 3.5, false, false) return reaper.GetCursorPositionEx(0)",
                 {"3.5"}},
        CallCase{"reaper.CSurf_GoEnd() return reaper.GetCursorPositionEx(nil)", {"5.5"}},
        CallCase{"sim.set_play_state(1, 2.5) return reaper.GetPlayState(), "
                 "reaper.GetPlayPositionEx(0)",
                 {"1", "2.5"}},
        CallCase{"sim.push_message_box_answer(6) return reaper.ShowMessageBox('Go?', 'T', 4), "
                 "reaper.ShowMessageBox('Again?', 'T', 4)",
                 {"6", "7"}},
        CallCase{"reaper.UpdateArrange() reaper.UpdateArrange() return sim.redraw_count()", {"2"}},
        CallCase{
            "reaper.SetMediaItemSelected(item, true) return reaper.CountSelectedMediaItems(0), "
            "reaper.GetSelectedMediaItem(0, 0) == item",
            {"1", "true"}},
        CallCase{"local it = reaper.AddMediaItemToTrack(track)\n"
                 "local tk = reaper.AddTakeToMediaItem(it)\n"
                 "return reaper.CountTrackMediaItems(track), reaper.GetMediaItemTake_Source(tk)",
                 {"2", "nil"}},
        CallCase{"return reaper.GetItemProjectContext(item) == sim.current_project()", {"true"}},
        CallCase{"return reaper.CF_GetMediaSourceBitDepth", {"nil"}},
        CallCase{"sim.set_sws_installed(true)\n"
                 "return reaper.CF_GetMediaSourceBitDepth("
                 "reaper.GetMediaItemTake_Source(reaper.GetActiveTake(item)))",
                 {"16"}},
        CallCase{"sim.set_sws_installed(true) sim.set_sws_installed(false)\n"
                 "return reaper.CF_GetMediaSourceBitDepth",
                 {"nil"}},
        CallCase{"sim.hide_function('GetTrack') return reaper.GetTrack, type(reaper.GetMediaItem)",
                 {"nil", "function"}},
        CallCase{"sim.add_media_file('Shaker.wav', {type = 'WAVE', length = 3})\n"
                 "return reaper.InsertMedia('Shaker.wav', 0) ~= 0, "
                 "reaper.CountTrackMediaItems(track), reaper.InsertMedia('missing.wav', 0)",
                 {"true", "2", "0"}}));

TEST_F(HostFunctions, ConsoleMessagesReachTheHost) {
    const Outcome o =
        run("reaper.ShowConsoleMsg('one\\n') reaper.ShowConsoleMsg('two') "
            "return #sim.console(), sim.console()[2]");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("2", "two"));
}

TEST_F(HostFunctions, HostFunctionArgumentsAreCheckedToo) {
    const Outcome wrong = run("return reaper.GetMediaItemInfo_Value(track, 'D_VOL')");
    EXPECT_EQ(wrong.error, "GetMediaItemInfo_Value argument 1: expected MediaItem*");
    const Outcome missing = run("return reaper.GetTrack(0)");
    EXPECT_EQ(missing.error, "GetTrack argument 2: expected integer");
    const Outcome number = run("return reaper.SetEditCurPos2(0, 'x', false, false)");
    EXPECT_EQ(number.error, "SetEditCurPos2 argument 2: expected number");
}

TEST_F(HostFunctions, DestroyedSourceIsAStaleHandle) {
    const Outcome o =
        run("local src = sim.add_source({type = 'FLAC'})\n"
            "reaper.PCM_Source_Destroy(src)\n"
            "return pcall(reaper.GetMediaSourceNumChannels, src)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values,
                ElementsAre("false", "GetMediaSourceNumChannels argument 1: expected PCM_source*"));
    EXPECT_TRUE(host_.misuse().empty());
}

}  // namespace
}  // namespace reaper_sim
