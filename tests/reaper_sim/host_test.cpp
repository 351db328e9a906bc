// The host as a script sees it: the host-function rows, calls through them, and the `sim` table.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "environment.h"
#include "host_functions.h"
#include "lua_eval.h"
#include "sim/host.h"
#include "sim_table.h"

namespace reaper_sim {
namespace {

using testing::Case;
using testing::fails;
using ::testing::HasSubstr;

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

TEST(HostFunctionRows, EachFunctionTheLibraryCallsIsAHostFunctionOnce) {
    sim::Host host;
    host.set_sws_installed(true);
    std::multiset<std::string> rows;
    for (const HostFunctionRow& row : host_function_rows()) {
        rows.insert(row.name);
        EXPECT_NE(host.get_func(row.name), nullptr) << row.name;
    }
    // Less the two that pass void*, plus the console.
    std::istringstream names(
        "GetMediaItem GetSelectedMediaItem GetTrack GetSelectedTrack GetTrackMediaItem "
        "CountMediaItems CountSelectedMediaItems CountTrackMediaItems CountSelectedTracks "
        "GetMediaItem_Track GetItemProjectContext GetActiveTake GetMediaItemTake_Source "
        "GetMediaItemInfo_Value SetMediaItemInfo_Value GetMediaItemTakeInfo_Value "
        "SetMediaItemTakeInfo_Value GetSetMediaItemTakeInfo_String GetMediaTrackInfo_Value "
        "GetTakeName GetMediaSourceType GetMediaSourceSampleRate GetMediaSourceNumChannels "
        "PCM_Source_Destroy AddMediaItemToTrack AddTakeToMediaItem DeleteTrackMediaItem "
        "MoveMediaItemToTrack SetMediaItemSelected SetOnlyTrackSelected SetTrackSelected "
        "InsertMedia TimeMap_curFrameRate GetPlayState GetPlayPositionEx GetCursorPositionEx "
        "SetEditCurPos2 CSurf_GoEnd UpdateArrange ShowMessageBox ShowConsoleMsg "
        "CF_GetMediaSourceBitDepth");
    for (std::string name; names >> name;) EXPECT_EQ(rows.count(name), 1u) << name;
}

// Globals `track` "Bass" (selected) holding `item`, "Bass DI.mp3" at 1.5 s for 4 s.
class Scripting : public ::testing::TestWithParam<Case> {
protected:
    Scripting() : env_(std::make_unique<Environment>(host_)) {
        testing::eval(
            L(),
            "track = sim.add_track('Bass', true)\n"
            "item = sim.add_item(track, {position = 1.5, length = 4, vol = 0.5, take = {\n"
            "  name = 'Bass DI.mp3', source = {type = 'MP3', sample_rate = 48000,\n"
            "  channels = 2, bit_depth = 16}}})\n"
            // values(get, handle, "A B") returns get(handle, "A"), get(handle, "B").
            "function values(get, h, names) local out = {}\n"
            "  for p in names:gmatch('%S+') do out[#out + 1] = get(h, p) end\n"
            "  return table.unpack(out) end");
    }
    lua_State* L() { return env_->state(); }

    sim::Host host_;
    std::unique_ptr<Environment> env_;
};

TEST_P(Scripting, Call) {
    testing::expect_case(L(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Functions, Scripting,
    ::testing::Values(
        Case{"return reaper.GetMediaItemInfo_Value(nil, 'D_VOL'),\n"
             "  values(reaper.GetMediaItemInfo_Value, item, 'D_POSITION D_VOL')",
             {"0.0", "1.5", "0.5"}},
        Case{"local a = reaper.SetMediaItemInfo_Value(item, 'D_LENGTH', 2.25)\n"
             "return a, reaper.GetMediaItemInfo_Value(item, 'D_LENGTH'),\n"
             "  reaper.SetMediaItemInfo_Value(item, 'NOPE', 1)",
             {"true", "2.25", "false"}},
        Case{"sim.fail_parameter_writes('D_VOL')\n"
             "return reaper.SetMediaItemInfo_Value(item, 'D_VOL', 0.25),\n"
             "  reaper.SetMediaItemInfo_Value(item, 'D_LENGTH', 2),\n"
             "  reaper.GetMediaItemInfo_Value(item, 'D_VOL')",
             {"false", "true", "0.5"}},
        Case{"return reaper.CountMediaItems(0), reaper.CountSelectedTracks(nil),\n"
             "  reaper.CountTrackMediaItems(track), reaper.GetTrackMediaItem(track, 0) == item,\n"
             "  reaper.GetMediaItem_Track(item) == track, reaper.GetTrack(0, 0) == track,\n"
             "  reaper.GetTrack(0, 1), reaper.GetMediaTrackInfo_Value(track, 'I_SELECTED'),\n"
             "  reaper.GetItemProjectContext(item) == sim.current_project()",
             {"1", "1", "1", "true", "true", "true", "nil", "1.0", "true"}},
        Case{
            "local t = reaper.GetActiveTake(item) local s = reaper.GetMediaItemTake_Source(t)\n"
            "return reaper.GetTakeName(t), reaper.GetTakeName(nil), reaper.GetMediaSourceType(s),\n"
            "  reaper.GetMediaSourceSampleRate(s), reaper.GetMediaSourceNumChannels(s)",
            {"Bass DI.mp3", "nil", "MP3", "48000", "2"}},
        Case{"local t = reaper.GetActiveTake(item)\n"
             "local a, before = reaper.GetSetMediaItemTakeInfo_String(t, 'P_NAME', '', false)\n"
             "local b = reaper.GetSetMediaItemTakeInfo_String(t, 'P_NAME', 'Renamed', true)\n"
             "return a, before, b, reaper.GetTakeName(t)",
             {"true", "Bass DI.mp3", "true", "Renamed"}},
        Case{"local rate, drop = reaper.TimeMap_curFrameRate(0, true)\n"
             "sim.set_frame_rate(29.97, true) return rate, drop, reaper.TimeMap_curFrameRate(0)",
             {"30.0", "false", "29.97", "true"}},
        Case{"reaper.SetEditCurPos2(0, 3.5, false, false) local a = reaper.GetCursorPositionEx(0)\n"
             "reaper.CSurf_GoEnd() local b = reaper.GetCursorPositionEx(nil)\n"
             "sim.set_cursor(9.5) sim.set_play_state(5, 1.25)\n"
             "return a, b, reaper.GetCursorPositionEx(0), reaper.GetPlayState(),\n"
             "  reaper.GetPlayPositionEx(0)",
             {"3.5", "5.5", "9.5", "5", "1.25"}},
        Case{"sim.push_message_box_answer(6, 6)\n"
             "local a, b, c = reaper.ShowMessageBox('Go?', 'T', 4),\n"
             "  reaper.ShowMessageBox('Again?', 'T', 4), reaper.ShowMessageBox('More?', 'T', 4)\n"
             "local box = sim.message_boxes()[1]\n"
             "return a, b, c, #sim.message_boxes(), box.text, box.title, box.type",
             {"6", "6", "7", "3", "Go?", "T", "4"}},
        Case{"reaper.UpdateArrange() reaper.UpdateArrange()\n"
             "reaper.ShowConsoleMsg('one\\n') reaper.ShowConsoleMsg('two')\n"
             "return sim.redraw_count(), #sim.console(), sim.console()[2]",
             {"2", "2", "two"}},
        Case{"reaper.SetMediaItemSelected(item, true)\n"
             "local a, b = reaper.CountSelectedMediaItems(0), reaper.GetSelectedMediaItem(0, 0)\n"
             "sim.select_item(item, false) sim.select_track(track, false)\n"
             "local c, d = reaper.CountSelectedMediaItems(0), reaper.CountSelectedTracks(0)\n"
             "sim.select_item(item) sim.select_track(track)\n"
             "return a, b == item, c, d, reaper.CountSelectedMediaItems(0),\n"
             "  reaper.GetSelectedTrack(0, 0) == track",
             {"1", "true", "0", "0", "1", "true"}},
        Case{"local it = reaper.AddMediaItemToTrack(track)\n"
             "local tk = reaper.AddTakeToMediaItem(it)\n"
             "return reaper.CountTrackMediaItems(track), reaper.GetMediaItemTake_Source(tk)",
             {"2", "nil"}},
        Case{"local before = reaper.CF_GetMediaSourceBitDepth sim.set_sws_installed(true)\n"
             "local depth = reaper.CF_GetMediaSourceBitDepth("
             "reaper.GetMediaItemTake_Source(reaper.GetActiveTake(item)))\n"
             "sim.set_sws_installed(false) return before, depth, reaper.CF_GetMediaSourceBitDepth",
             {"nil", "16", "nil"}},
        Case{"sim.hide_function('GetTrack') return reaper.GetTrack, type(reaper.GetMediaItem)",
             {"nil", "function"}},
        fails("reaper.GetMediaItemInfo_Value(track, 'D_VOL')",
              "GetMediaItemInfo_Value argument 1: expected MediaItem*"),
        fails("reaper.SetEditCurPos2(0, 'x', false, false)",
              "SetEditCurPos2 argument 2: expected number"),
        // Sources: InsertMedia reads only known files; a destroyed source is a stale handle.
        Case{"local src = sim.add_source('FLAC') local unowned = sim.unowned_sources()\n"
             "reaper.PCM_Source_Destroy(src)\n"
             "local ok, err = pcall(reaper.GetMediaSourceNumChannels, src)\n"
             "sim.add_media_file('a.wav', {type = 'WAVE', length = 2})\n"
             "return unowned, sim.unowned_sources(), err, reaper.InsertMedia('a.wav', 0) ~= 0,\n"
             "  reaper.CountTrackMediaItems(track), reaper.InsertMedia('missing.wav', 0),\n"
             "  sim.sources_created(), sim.sources_destroyed(), #sim.misuse()",
             {"1", "0", "GetMediaSourceNumChannels argument 1: expected PCM_source*", "true", "2",
              "0", "1", "1", "0"}}));

INSTANTIATE_TEST_SUITE_P(
    SimTable, Scripting,
    ::testing::Values(
        Case{"local it = sim.add_item(track, {position = 12.5, length = 3, fade_in = 0.2,\n"
             "  fade_out = 0.7, fade_in_shape = 3, fade_out_shape = 5, mute = true, loop = false,\n"
             "  lock = 1, vol = 0.25, selected = true})\n"
             "return values(reaper.GetMediaItemInfo_Value, it, 'D_POSITION D_LENGTH D_FADEINLEN "
             "  D_FADEOUTLEN C_FADEINSHAPE C_FADEOUTSHAPE B_MUTE B_LOOPSRC C_LOCK D_VOL B_UISEL')",
             {"12.5", "3.0", "0.2", "0.7", "3.0", "5.0", "1.0", "0.0", "1.0", "0.25", "1.0"}},
        Case{
            "local it = sim.add_item(sim.add_track{name = 'Keys'}, {takes = {\n"
            "  {name = 'A', source = 'MIDI'},\n"
            "  {name = 'B', rate = 0.5, pitch = 3, pan = -0.5, vol = 2, start_offset = 1,\n"
            "   preserve_pitch = true, chan_mode = 3, pitch_mode = 2,\n"
            "   source = {type = 'FLAC', sample_rate = 96000, channels = 6, bit_depth = 32}},\n"
            "  {name = 'C'}}, active_take = 1})\n"
            "local tk = reaper.GetActiveTake(it) local s = reaper.GetMediaItemTake_Source(tk)\n"
            "sim.set_sws_installed(true)\n"
            "return reaper.GetTakeName(tk), reaper.GetMediaSourceType(s),\n"
            "  reaper.GetMediaSourceSampleRate(s), reaper.GetMediaSourceNumChannels(s),\n"
            "  reaper.CF_GetMediaSourceBitDepth(s), values(reaper.GetMediaItemTakeInfo_Value, tk,\n"
            "  'D_PLAYRATE D_PITCH D_PAN D_VOL D_STARTOFFS B_PPITCH I_CHANMODE I_PITCHMODE')",
            {"B", "FLAC", "96000", "6", "32", "0.5", "3.0", "-0.5", "2.0", "1.0", "1.0", "3.0",
             "2.0"}},
        Case{"local first = sim.current_project()\n"
             "local second = sim.add_project('Second')\n"
             "local was_current = sim.current_project() == second\n"
             "sim.set_current_project(second) sim.add_track('Only here')\n"
             "return was_current, sim.current_project() == second, #sim.projects(),\n"
             "  reaper.GetTrack(0, 0) ~= nil, reaper.GetTrack(0, 0) ~= track,\n"
             "  reaper.CountSelectedTracks(0), reaper.CountSelectedTracks(first)",
             {"false", "true", "2", "true", "true", "0", "1"}},
        Case{"sim.clear_call_log() reaper.GetMediaItemInfo_Value(item, 'D_VOL')\n"
             "reaper.UpdateArrange() local log = sim.call_log()\n"
             "return #log, log[1]['function'], log[1].detail, log[2]['function'],\n"
             "  sim.calls_to('GetMediaItemInfo_Value')",
             {"2", "GetMediaItemInfo_Value", "D_VOL", "UpdateArrange", "1"}},
        fails("sim.add_item(nil, {})", "sim.add_item argument 1: expected a live MediaTrack"),
        fails("local t = sim.add_track() sim.delete_track(t) sim.add_item(t, {})",
              "sim.add_item argument 1: expected a live MediaTrack"),
        fails("sim.delete_track(1)", "sim.delete_track argument 1: expected a live MediaTrack"),
        fails("sim.select_item(2)", "sim.select_item argument 1: expected a live MediaItem"),
        fails("sim.add_item(track, 7)", "sim.add_item options must be a table"),
        fails("sim.add_item(track, {length = 'long'})",
              "sim.add_item options: field 'length' must be a number"),
        fails("sim.add_item(track, {takes = {{source = 5}}})",
              "sim.add_item options.takes[1].source must be a table"),
        fails("sim.set_frame_rate('fast')", "sim.set_frame_rate argument 1: expected number"),
        fails("sim.set_current_project({})",
              "sim.set_current_project argument 1: expected ReaProject"),
        fails("sim.select_item(track)", "sim.select_item argument 1: expected a live MediaItem")));

TEST_F(Scripting, DumpsShowTheProject) {
    const testing::Outcome o = testing::eval(L(), "sim.set_frame_rate(25) return sim.dump_text()");
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(o.values, std::vector<std::string>{host_.dump()});
    const std::string text = readable_dump(*host_.current_project(), true);
    EXPECT_THAT(text, HasSubstr("(current): frame rate 25"));
    EXPECT_THAT(text, HasSubstr("Track 1 \"Bass\" (selected), 1 item\n"));
    EXPECT_THAT(text, HasSubstr("MP3 48000Hz 2ch 16bit"));
    EXPECT_THAT(text, HasSubstr("    1.500     4.000"));
}

}  // namespace
}  // namespace reaper_sim
