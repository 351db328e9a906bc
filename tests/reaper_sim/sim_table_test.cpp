#include "sim_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using ::testing::ElementsAre;
using testing::eval;
using ::testing::HasSubstr;
using testing::Outcome;

class SimTable : public ::testing::Test {
protected:
    SimTable() : env_(std::make_unique<Environment>(host_)), L_(env_->state()) {}

    Outcome run(const std::string& code) { return eval(L_, code); }

    sim::Item* only_item() {
        sim::Project* p = host_.current_project();
        if (p->tracks.empty() || p->tracks.back()->items.empty()) return nullptr;
        return p->tracks.back()->items.back();
    }

    sim::Host host_;
    std::unique_ptr<Environment> env_;
    lua_State* L_;
};

struct ParamCase {
    const char* options;  // fields of sim.add_item's options
    const char* parameter;
    double value;
};

void PrintTo(const ParamCase& c, std::ostream* os) {
    *os << c.parameter;
}

class ItemOptions : public SimTable, public ::testing::WithParamInterface<ParamCase> {};

TEST_P(ItemOptions, ReachTheItemParameters) {
    const Outcome o = run(std::string("local t = sim.add_track('T') return sim.add_item(t, {") +
                          GetParam().options + "})");
    ASSERT_TRUE(o.ok) << o.error;
    sim::Item* item = only_item();
    ASSERT_NE(item, nullptr);
    const auto it = item->params.find(GetParam().parameter);
    ASSERT_NE(it, item->params.end()) << GetParam().parameter;
    EXPECT_EQ(it->second, GetParam().value) << GetParam().options;
}

INSTANTIATE_TEST_SUITE_P(Fields, ItemOptions,
                         ::testing::Values(ParamCase{"position = 12.5", "D_POSITION", 12.5},
                                           ParamCase{"length = 3", "D_LENGTH", 3.0},
                                           ParamCase{"fade_in = 0.2", "D_FADEINLEN", 0.2},
                                           ParamCase{"fade_out = 0.7", "D_FADEOUTLEN", 0.7},
                                           ParamCase{"fade_in_shape = 3", "C_FADEINSHAPE", 3.0},
                                           ParamCase{"fade_out_shape = 5", "C_FADEOUTSHAPE", 5.0},
                                           ParamCase{"mute = true", "B_MUTE", 1.0},
                                           ParamCase{"loop = false", "B_LOOPSRC", 0.0},
                                           ParamCase{"lock = 1", "C_LOCK", 1.0},
                                           ParamCase{"vol = 0.25", "D_VOL", 0.25},
                                           ParamCase{"selected = true", "B_UISEL", 1.0}));

TEST_F(SimTable, TakesCarryTheirSourceAndParameters) {
    const Outcome o =
        run("local t = sim.add_track{name = 'Keys', selected = true}\n"
            "local item = sim.add_item(t, {takes = {\n"
            "  {name = 'A', source = 'MIDI'},\n"
            "  {name = 'B', rate = 0.5, pitch = 3, pan = -0.5, vol = 2, start_offset = 1,\n"
            "   preserve_pitch = true, chan_mode = 3, pitch_mode = 2,\n"
            "   source = {type = 'FLAC', file = 'b.flac', sample_rate = 96000, channels = 6,\n"
            "             bit_depth = 32, length = 7}},\n"
            "  {name = 'C'}}, active_take = 1})\n"
            "return reaper.GetTakeName(reaper.GetActiveTake(item))");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("B"));
    sim::Item* item = only_item();
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(item->takes.size(), 3u);
    ASSERT_NE(item->takes[0]->source, nullptr);
    EXPECT_EQ(item->takes[0]->source->media.type, "MIDI");
    const sim::Take& b = *item->takes[1];
    ASSERT_NE(b.source, nullptr);
    EXPECT_EQ(b.source->media.type, "FLAC");
    EXPECT_EQ(b.source->media.file, "b.flac");
    EXPECT_EQ(b.source->media.sample_rate, 96000);
    EXPECT_EQ(b.source->media.channels, 6);
    EXPECT_EQ(b.source->media.bit_depth, 32);
    EXPECT_EQ(b.source->media.length, 7.0);
    EXPECT_EQ(b.params.at("D_PLAYRATE"), 0.5);
    EXPECT_EQ(b.params.at("D_PITCH"), 3.0);
    EXPECT_EQ(b.params.at("D_PAN"), -0.5);
    EXPECT_EQ(b.params.at("D_VOL"), 2.0);
    EXPECT_EQ(b.params.at("D_STARTOFFS"), 1.0);
    EXPECT_EQ(b.params.at("B_PPITCH"), 1.0);
    EXPECT_EQ(b.params.at("I_CHANMODE"), 3.0);
    EXPECT_EQ(b.params.at("I_PITCHMODE"), 2.0);
    EXPECT_EQ(item->takes[2]->source, nullptr);
    EXPECT_TRUE(host_.current_project()->tracks.back()->selected);
}

struct BadCase {
    const char* code;
    const char* error;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << testing::label(c.code);
}

class SimErrors : public SimTable, public ::testing::WithParamInterface<BadCase> {};

TEST_P(SimErrors, AreLuaErrorsNamingTheProblem) {
    const Outcome o = run(GetParam().code);
    ASSERT_FALSE(o.ok) << GetParam().code;
    EXPECT_THAT(o.error, HasSubstr(GetParam().error)) << GetParam().code;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, SimErrors,
    ::testing::Values(
        BadCase{"sim.add_item(nil, {})", "sim.add_item argument 1: expected a live MediaTrack"},
        BadCase{"sim.add_item(sim.add_track(), {length = 'long'})",
                "sim.add_item options: field 'length' must be a number"},
        BadCase{"sim.add_item(sim.add_track(), {takes = {{source = 5}}})",
                "sim.add_item options.takes[1].source must be a table"},
        BadCase{"sim.add_item(sim.add_track(), {takes = 'x'})",
                "sim.add_item options.takes must be a table"},
        BadCase{"sim.add_item(sim.add_track(), {take = {name = {}}})",
                "field 'name' must be a string"},
        BadCase{"sim.add_item(sim.add_track(), 7)", "sim.add_item options must be a table"},
        BadCase{"local t = sim.add_track() sim.delete_track(t) sim.add_item(t, {})",
                "sim.add_item argument 1: expected a live MediaTrack"},
        BadCase{"sim.set_frame_rate('fast')", "sim.set_frame_rate argument 1: expected number"},
        BadCase{"sim.set_current_project({})",
                "sim.set_current_project argument 1: expected ReaProject"},
        BadCase{"sim.push_message_box_answer()", "sim.push_message_box_answer argument 1"},
        BadCase{"sim.select_item(sim.add_track())", "expected a live MediaItem"}));

TEST_F(SimTable, ProjectsAndCurrentProject) {
    const Outcome o =
        run("local first = sim.current_project()\n"
            "local second = sim.add_project('Second')\n"
            "local was_current = sim.current_project() == second\n"
            "sim.set_current_project(second)\n"
            "sim.add_track('Only here')\n"
            "return was_current, sim.current_project() == second, #sim.projects(),\n"
            "  reaper.GetTrack(0, 0) ~= nil, reaper.GetTrack(first, 0) == nil");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("false", "true", "2", "true", "true"));
}

TEST_F(SimTable, ClosedProjectHandlesAreStale) {
    const Outcome o =
        run("local p = sim.add_project('Gone')\n"
            "sim.close_project(p)\n"
            "return pcall(reaper.CountMediaItems, p)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("false", "CountMediaItems argument 1: expected ReaProject*"));
}

TEST_F(SimTable, SelectionAndTransport) {
    const Outcome o =
        run("local t = sim.add_track('T')\n"
            "local a = sim.add_item(t, {})\n"
            "sim.select_item(a) sim.select_track(t)\n"
            "local s1, t1 = reaper.CountSelectedMediaItems(0), reaper.CountSelectedTracks(0)\n"
            "sim.select_item(a, false) sim.select_track(t, false)\n"
            "sim.set_cursor(9.5) sim.set_play_state(5, 1.25)\n"
            "return s1, t1, reaper.CountSelectedMediaItems(0), reaper.CountSelectedTracks(0),\n"
            "  reaper.GetCursorPositionEx(0), reaper.GetPlayState(), reaper.GetPlayPositionEx(0)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("1", "1", "0", "0", "9.5", "5", "1.25"));
}

TEST_F(SimTable, ObserversReportWhatTheHostSaw) {
    const Outcome o =
        run("sim.clear_call_log()\n"
            "local t = sim.add_track('T')\n"
            "local item = sim.add_item(t, {take = {name = 'x', source = 'WAVE'}})\n"
            "reaper.GetMediaItemInfo_Value(item, 'D_VOL')\n"
            "sim.push_message_box_answer(6, 7)\n"
            "reaper.ShowMessageBox('Sure?', 'Title', 4)\n"
            "local log = sim.call_log()\n"
            "local last = log[#log]\n"
            "local boxes = sim.message_boxes()\n"
            "return log[1]['function'], log[1].detail, last['function'],\n"
            "  sim.calls_to('GetMediaItemInfo_Value'), #boxes, boxes[1].text, boxes[1].title,\n"
            "  boxes[1].type, reaper.ShowMessageBox('Next', 'Title', 4)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("GetMediaItemInfo_Value", "D_VOL", "ShowMessageBox", "1", "1",
                                      "Sure?", "Title", "4", "7"));
}

TEST_F(SimTable, SourceCounts) {
    const Outcome o = run(
        "local t = sim.add_track{name = 'T', selected = true}\n"
        "local src = sim.add_source('FLAC')\n"
        "local unowned = sim.unowned_sources()\n"
        "reaper.PCM_Source_Destroy(src)\n"
        "sim.add_media_file('a.wav', {type = 'WAVE', length = 2})\n"
        "reaper.InsertMedia('a.wav', 0)\n"
        "return unowned, sim.unowned_sources(), sim.sources_created(), sim.sources_destroyed(),\n"
        "  #sim.misuse()");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("1", "0", "1", "1", "0"));
}

TEST_F(SimTable, FailingParameterWrites) {
    const Outcome o =
        run("local item = sim.add_item(sim.add_track('T'), {})\n"
            "sim.fail_parameter_writes('D_VOL')\n"
            "return reaper.SetMediaItemInfo_Value(item, 'D_VOL', 0.5),\n"
            "  reaper.SetMediaItemInfo_Value(item, 'D_LENGTH', 2)");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_THAT(o.values, ElementsAre("false", "true"));
}

TEST_F(SimTable, DumpTextIsTheHostsCanonicalText) {
    const Outcome o = run(
        "sim.add_item(sim.add_track('T'), {position = 2, take = {name = 'n', source = 'MP3'}})\n"
        "return sim.dump_text()");
    ASSERT_TRUE(o.ok) << o.error;
    ASSERT_EQ(o.values.size(), 1u);
    EXPECT_EQ(o.values[0], host_.dump());
}

TEST_F(SimTable, ReadableDumpShowsTracksAndItems) {
    ASSERT_TRUE(run("local t = sim.add_track{name = 'Drums', selected = true}\n"
                    "sim.add_item(t, {position = 2, length = 1.5, selected = true,\n"
                    "  take = {name = 'Kick.wav', source = {type = 'WAVE', sample_rate = 48000,\n"
                    "          channels = 1, bit_depth = 24}}})\n"
                    "sim.set_frame_rate(25)")
                    .ok);
    const std::string text = readable_dump(*host_.current_project(), true);
    EXPECT_THAT(text, HasSubstr("(current): frame rate 25"));
    EXPECT_THAT(text, HasSubstr("Track 1 \"Drums\" (selected), 1 item\n"));
    EXPECT_THAT(text, HasSubstr("Kick.wav"));
    EXPECT_THAT(text, HasSubstr("WAVE 48000Hz 1ch 24bit"));
    EXPECT_THAT(text, HasSubstr("    2.000     1.500"));
}

}  // namespace
}  // namespace reaper_sim
