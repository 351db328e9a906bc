// What a run keeps beside the project, one table per family: undo and refresh, dialogs and the
// console, the Lua side of ReaScript, actions, ext state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <span>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

// Tracks `a` (selected) and `b`; on `a`, `i1` 1..5 s (selected, takes "one" and "two", the second
// active) and `i2` 4..8 s; on `b`, `i3` 0..2 s. `answers` are the run's --answer values.
void run(std::span<const Case> cases, std::vector<std::string> answers = {}) {
    for (const Case& c : cases) {
        sim::Host host;
        Environment env{host};
        env.session().answers.assign(answers.begin(), answers.end());
        env.session().script_path = "/scripts/Tidy items.lua";
        testing::expect_case(
            env.state(),
            {"a = sim.add_track('A', true) b = sim.add_track('B')\n"
             "i1 = sim.add_item(a, {position = 1, length = 4, selected = true, active_take = 1,\n"
             "  takes = {{name = 'one', source = 'MP3'}, {name = 'two', source = 'MP3'}}})\n"
             "i2 = sim.add_item(a, {position = 4, length = 4})\n"
             "i3 = sim.add_item(b, {position = 0, length = 2})\n"
             "function v(it, name) return reaper.GetMediaItemInfo_Value(it, name) end\n"
             "function undo() return table.concat(sim.undo_history(), '|') end"});
        testing::expect_case(env.state(), c);
    }
}

TEST(RunFunctions, UndoAndRefresh) {
    const Case cases[] = {
        // Nested blocks make one point; a state change inside a block merges into it.
        {"reaper.Undo_BeginBlock() reaper.Undo_BeginBlock2(0) reaper.Undo_OnStateChange('inner')\n"
         "reaper.Undo_EndBlock2(nil, 'nested', -1) local open = undo()\n"
         "reaper.Undo_EndBlock('outer', 4) reaper.Undo_OnStateChangeEx('after', 4, -1)\n"
         "return open, undo()",
         {"", "outer|after"}},
        // A stale project records nothing; another project keeps its own history.
        {"local p = sim.add_project('other') reaper.Undo_OnStateChange2(p, 'there')\n"
         "return undo(), table.concat(sim.undo_history(p))",
         {"", "there"}},
        {"reaper.PreventUIRefresh(1) reaper.UpdateArrange() reaper.UpdateTimeline()\n"
         "reaper.PreventUIRefresh(-1) return sim.redraw_count(), undo()",
         {"2", ""}},
    };
    run(cases);
}

TEST(RunFunctions, DialogsAndConsole) {
    // Answers in order: a button by number, one by name, field values, a cancel, a bad button.
    const Case cases[] = {
        {"return reaper.MB('Sure?', 'Q', 4), reaper.ShowMessageBox('Again?', 'Q', 3),\n"
         "  reaper.GetUserInputs('T', 3, 'A,B,C,extrawidth=50', '1,2,3'),\n"
         "  select(2, reaper.GetUserInputs('T', 2, 'A,B', 'd,e')),\n"
         "  reaper.GetUserInputs('T', 1, 'A', 'keep'), reaper.MB('x', 'y', 0),\n"
         "  select(2, reaper.GetUserInputs('T', 2, 'A\\nB\\nseparator=\\n', 'p\\nq')),\n"
         "  reaper.MB('Abort?', 'Q', 2), #sim.message_boxes()",
         {"7", "2", "true", "x,", "false", "1", "p\nq", "3", "4"}},
        {"return reaper.GetUserInputs('T', 0, '', ''), reaper.GetUserInputs('T', 17, '', '')",
         {"false", "false", ""}},
    };
    run(cases, {"7", "cancel", "x,,y", "x", "cancel", "maybe"});
}

TEST(RunFunctions, LuaSideOfReaScript) {
    const Case cases[] = {
        {"return reaper.get_action_context()",
         {"false", "/scripts/Tidy items.lua", "0", "55000", "-1", "-1", "-1", ""}},
        {"return reaper.GetAppVersion():match('^7%.78/linux%-') ~= nil, reaper.GetOS(),\n"
         "  reaper.APIExists('GetTrack'), reaper.APIExists('BR_GetMediaItemGUID'),\n"
         "  reaper.file_exists('/'), reaper.file_exists('/no/such/file'),\n"
         "  reaper.time_precise() <= reaper.time_precise()",
         {"true", "Other", "true", "false", "false", "false", "true"}},
        {"return reaper.defer(print), reaper.runloop(print)", {"true", "true"}},
        {"reaper.defer(42)", {}, "bad argument #1 to 'defer' (function expected, got number)"},
        {"reaper.atexit()", {}, "bad argument #1 to 'atexit' (function expected, got no value)"},
        {"return reaper.CreateTakeAudioAccessor, reaper.GetTrack ~= nil", {"nil", "true"}},
    };
    run(cases);
}

// Deferred functions run round by round, then the atexit ones; a runaway stops at its limit.
TEST(RunFunctions, DeferRoundsAndTheMissingFunctionError) {
    struct Row {
        const char* script;
        int rounds;
        Environment::DeferOutcome outcome;
        const char* log;
    };
    const Row rows[] = {
        {"log = '' reaper.atexit(function() log = log .. 'x' end)\n"
         "local n = 0 local function f() n = n + 1 log = log .. n if n < 3 then reaper.defer(f) "
         "end "
         "end reaper.defer(f) reaper.defer(function() log = log .. 'b' end)",
         1000, Environment::DeferOutcome::Done, "1b23x"},
        {"log = '' reaper.atexit(function() log = log .. 'x' end)\n"
         "local function f() log = log .. '.' reaper.defer(f) end f()",
         2, Environment::DeferOutcome::Runaway, "...x"},
        {"log = '' reaper.defer(function() error('late') end)", 5, Environment::DeferOutcome::Error,
         ""},
    };
    for (const Row& row : rows) {
        sim::Host host;
        Environment env{host};
        std::string error;
        ASSERT_TRUE(env.run_string(row.script, "=script", error)) << error;
        EXPECT_EQ(env.run_deferred(row.rounds, error), row.outcome) << row.script;
        lua_getglobal(env.state(), "log");
        EXPECT_STREQ(lua_tostring(env.state(), -1), row.log);
        lua_pop(env.state(), 1);
    }
    sim::Host host;
    Environment env{host};
    std::string error;
    EXPECT_FALSE(env.run_string("reaper.GetMediaItemTake_Peaks(nil)", "=s", error));
    EXPECT_EQ(error.substr(0, error.find('\n')),
              "s:1: reaper.GetMediaItemTake_Peaks is a REAPER function that reaper-sim does not "
              "simulate (attempt to call a nil value (field 'GetMediaItemTake_Peaks'))");
}

TEST(RunFunctions, Actions) {
    const Case cases[] = {
        {"reaper.Main_OnCommand(40289, 0) local none = reaper.CountSelectedMediaItems(0)\n"
         "reaper.Main_OnCommandEx(40182, 0, 0) return none, reaper.CountSelectedMediaItems(), "
         "undo()",
         {"0", "3", "Item: Unselect (clear selection of) all items|Item: Select all items"}},
        // Inside a block actions add no points of their own.
        {"reaper.Undo_BeginBlock() reaper.Main_OnCommand(40006, 0) reaper.Undo_EndBlock('rm', -1)\n"
         "return reaper.CountMediaItems(0), reaper.CountTrackMediaItems(b), undo()",
         {"2", "1", "rm"}},
        {"reaper.Main_OnCommand(40131, 0)\n"
         "return reaper.CountTakes(i1), reaper.GetTakeName(reaper.GetActiveTake(i1))",
         {"1", "two"}},
        {"reaper.Main_OnCommand(40129, 0)\n"
         "return reaper.CountTakes(i1), reaper.GetTakeName(reaper.GetActiveTake(i1))",
         {"1", "one"}},
        {"reaper.SetMediaItemSelected(i2, true) reaper.Main_OnCommand(41059, 0)\n"
         "reaper.Main_OnCommand(41173, 0) reaper.Main_OnCommand(40290, 0)\n"
         "return v(i1, 'D_FADEOUTLEN'), v(i2, 'D_FADEINLEN'), reaper.GetCursorPositionEx(0)",
         {"1.0", "1.0", "1.0"}},
        {"reaper.SetMediaItemSelected(i3, true) reaper.Main_OnCommand(40032, 0)\n"
         "reaper.Main_OnCommand(40289, 0) reaper.SetMediaItemSelected(i3, true)\n"
         "reaper.Main_OnCommand(40034, 0) local grouped = reaper.CountSelectedMediaItems(0)\n"
         "local group = v(i1, 'I_GROUPID') reaper.Main_OnCommand(40033, 0)\n"
         "return grouped, group, v(i2, 'I_GROUPID'), v(i3, 'I_GROUPID')",
         {"2", "1.0", "0.0", "0.0"}},
        {"reaper.GetSetMediaTrackInfo_String(a, 'P_RAZOREDITS', '1 2 \"\"', true)\n"
         "reaper.Main_OnCommand(42406, 0)\n"
         "return select(2, reaper.GetSetMediaTrackInfo_String(a, 'P_RAZOREDITS', '', false))",
         {""}},
        // Split twice, then healed back; i2 (another source) is left alone.
        {"local r = reaper.SplitMediaItem(i1, 2) reaper.SplitMediaItem(r, 3.5)\n"
         "reaper.SetMediaItemSelected(i2, true) reaper.Main_OnCommand(40182, 0)\n"
         "reaper.Main_OnCommand(40548, 0)\n"
         "return reaper.CountTrackMediaItems(a), v(i1, 'D_LENGTH'), reaper.ValidatePtr(r, "
         "'MediaItem*')",
         {"2", "4.0", "false"}},
        {"reaper.Main_OnCommand(40118, 0) reaper.Main_OnCommand(40175, 0)\n"
         "return reaper.GetMediaItem_Track(i1) == b, v(i1, 'B_MUTE'), "
         "reaper.CountTrackMediaItems(a)",
         {"true", "1.0", "1"}},
        // Copy, remove, paste at the cursor on the last-touched track (b).
        {"reaper.Main_OnCommand(40698, 0) reaper.Main_OnCommand(40006, 0)\n"
         "reaper.SetOnlyTrackSelected(b) reaper.Main_OnCommand(40914, 0)\n"
         "reaper.SetEditCurPos2(0, 10, false, false) reaper.Main_OnCommand(42398, 0)\n"
         "local pasted = reaper.GetSelectedMediaItem(0, 0)\n"
         "return reaper.CountMediaItems(0), reaper.GetMediaItem_Track(pasted) == b,\n"
         "  v(pasted, 'D_POSITION'), reaper.CountTakes(pasted)",
         {"3", "true", "10.0", "2"}},
        // Offline closes the files (not MIDI), online opens them again; a marker at the cursor
        // goes on the active take of the selected items under it; the grid is a half note.
        {"local f = sim.add_item(b, {position = 6, length = 1,\n"
         "  takes = {{source = {type = 'WAVE', file = 'f.wav'}}, {source = 'MIDI'}}})\n"
         "local function avail() return select(2, sim.dump_text():gsub('available 1', '')) end\n"
         "local all = avail() reaper.Main_OnCommand(40100, 0) local off = avail()\n"
         "reaper.Main_OnCommand(40101, 0) reaper.SetEditCurPos(2.5, false, false)\n"
         "reaper.Main_OnCommand(41842, 0) local _, pos = reaper.GetTakeStretchMarker(\n"
         "  reaper.GetActiveTake(i1), 0)\n"
         "reaper.Main_OnCommand(40780, 0)\n"
         "return all - off, avail() == all, pos, "
         "reaper.GetTakeNumStretchMarkers(reaper.GetTake(i1, "
         "0)),\n  reaper.SnapToGrid(0, 1.3)",
         {"1", "true", "1.5", "0", "1.0"}},
        {"local before = reaper.GetToggleCommandState(1156) reaper.Main_OnCommand(1156, 0)\n"
         "reaper.Main_OnCommand(41120, 0)\n"
         "return before, reaper.GetToggleCommandState(1156), reaper.GetToggleCommandState(41117),\n"
         "  reaper.GetToggleCommandStateEx(32060, 1156), reaper.GetToggleCommandState(40289),\n"
         "  reaper.SetToggleCommandState(0, 55000, 1), reaper.GetToggleCommandStateEx(0, 55000),\n"
         "  reaper.SetToggleCommandState(0, 1156, 1), undo()",
         {"1", "0", "1", "-1", "-1", "true", "1", "false", ""}},
        {"reaper.Main_OnCommand(40514, 0) reaper.Main_OnCommand(0, 0)\n"
         "return reaper.NamedCommandLookup('_SWS_SAVETIME1'), reaper.NamedCommandLookup('41110'),\n"
         "  reaper.NamedCommandLookup('12x'), reaper.CountSelectedMediaItems(0), undo()",
         {"0", "41110", "0", "1", ""}},
    };
    run(cases);
}

TEST(RunFunctions, ExtState) {
    const Case cases[] = {
        {"reaper.SetExtState('s', 'k', 'v', false) reaper.SetExtState('s', 'p', 'kept', true)\n"
         "local had = reaper.HasExtState('s', 'k') reaper.DeleteExtState('s', 'k', true)\n"
         "return had, reaper.HasExtState('s', 'k'), reaper.GetExtState('s', 'p'),\n"
         "  reaper.GetExtState('s', 'none'), reaper.GetExtState('none', 'k')",
         {"true", "false", "kept", "", ""}},
        {"local size = reaper.SetProjExtState(0, 'me', 'key', 'value')\n"
         "reaper.SetProjExtState(nil, 'me', 'k2', 'v2')\n"
         "local got, val = reaper.GetProjExtState(0, 'me', 'key')\n"
         "reaper.SetProjExtState(0, 'me', 'key', '') local gone = reaper.GetProjExtState(0, 'me', "
         "'key')\n"
         "local left = reaper.SetProjExtState(0, 'me', '', '')\n"
         "return size, got, val, gone, left, select(2, reaper.GetProjExtState(0, 'me', 'k2'))",
         {"8", "1", "value", "0", "0", ""}},
        {"return reaper.GetProjExtState(sim.add_project(), 'me', 'key')", {"0", ""}},
    };
    run(cases);
}

// The --ext-state file: read before the run, only the persisted values written back.
TEST(RunFunctions, ExtStateFile) {
    struct Row {
        const char* file;  // nullptr: no file
        bool loads;
        const char* written;
    };
    const Row rows[] = {
        {nullptr, true, "[new]\nk=v\n"},
        {"[old]\r\nkeep=1\n; a comment\n\n[new]\nk=before\nx=gone\n", true,
         "[new]\nk=v\n[old]\nkeep=1\n"},
        {"k=v\n", false, nullptr},
        {"[s]\nno equals sign\n", false, nullptr},
    };
    const auto path = std::filesystem::temp_directory_path() / "reaper_sim_ext_state_test.ini";
    for (const Row& row : rows) {
        std::filesystem::remove(path);
        if (row.file != nullptr) std::ofstream(path, std::ios::binary) << row.file;
        Session session;
        std::string error;
        ASSERT_EQ(session.load_ext_state(path.string(), error), row.loads) << error;
        if (!row.loads) continue;
        session.persisted["new"]["k"] = "v";
        session.persisted["new"].erase("x");
        session.ext_state["temp"]["t"] = "not kept";
        ASSERT_TRUE(session.save_ext_state(error)) << error;
        std::ifstream in(path, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), row.written);
    }
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace reaper_sim
