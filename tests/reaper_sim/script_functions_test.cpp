// REAPER's script functions on the simulated project, one table per family: bad indices, the
// current project for nil or 0, units and types of parameters, and side effects.
#include <gtest/gtest.h>

#include <span>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

// Track `a` "Drums" (selected) holds `i1`: 1 s to 5 s, fades 0.5 and 1, selected, takes "one"
// (a 10 s WAVE from 0.5 s at rate 2) and "two" (active, no source). Track `b` (unnamed) holds
// the empty item `i2` at 0 s.
void run(std::span<const Case> cases) {
    for (const Case& c : cases) {
        sim::Host host;
        Environment env{host};
        testing::expect_case(
            env.state(),
            {"a = sim.add_track('Drums', true) b = sim.add_track('')\n"
             "i1 = sim.add_item(a, {position = 1, length = 4, fade_in = 0.5, fade_out = 1,\n"
             "  selected = true, active_take = 1, takes = {{name = 'one', start_offset = 0.5,\n"
             "  rate = 2, source = {type = 'WAVE', file = 'media/one.wav', length = 10}},\n"
             "  {name = 'two'}}})\n"
             "i2 = sim.add_item(b, {position = 0, length = 2})\n"
             "function v(it, name) return reaper.GetMediaItemInfo_Value(it, name) end\n"
             "function tv(tk, name) return reaper.GetMediaItemTakeInfo_Value(tk, name) end\n"
             "function trv(tr, name) return reaper.GetMediaTrackInfo_Value(tr, name) end"});
        testing::expect_case(env.state(), c);
    }
}

TEST(ScriptFunctions, ProjectAndSelection) {
    const Case cases[] = {
        {"local one = reaper.IsMediaItemSelected(i1)\n"
         "reaper.SelectAllMediaItems(nil, 1) local all = reaper.CountSelectedMediaItems(0)\n"
         "reaper.SelectAllMediaItems(0, 0)\n"
         "return one, reaper.IsMediaItemSelected(i2), all, reaper.CountSelectedMediaItems(0)",
         {"true", "false", "2", "0"}},
        {"local p, file = reaper.EnumProjects(-1)\n"
         "return p == reaper.EnumProjects(0), file, reaper.EnumProjects(1),\n"
         "  reaper.EnumProjects(0x40000000), reaper.GetProjectLength(p), reaper.GetProjectLength()",
         {"true", "", "nil", "nil", "5.0", "5.0"}},
        {"return reaper.GetSetProjectInfo(0, 'PROJECT_SRATE', 0, false),\n"
         "  reaper.GetSetProjectInfo(0, 'PROJECT_SRATE', 48000, true),\n"
         "  reaper.GetSetProjectInfo(nil, 'PROJECT_SRATE', 0, false),\n"
         "  reaper.GetSetProjectInfo(0, 'NO_SUCH_KEY', 5, true),\n"
         "  reaper.GetSetProjectInfo(0, 'PROJECT_TIMEBASE', 2, true)",
         {"44100.0", "48000.0", "48000.0", "0.0", "0.0"}},
        {"return reaper.GetSelectedMediaItem(0, 1), reaper.GetMediaItem(0, -1),\n"
         "  reaper.GetSelectedTrack(0, 1), reaper.GetTrack(0, 2)",
         {"nil", "nil", "nil", "nil"}},
    };
    run(cases);
}

TEST(ScriptFunctions, Items) {
    const Case cases[] = {
        {"return v(i1, 'D_POSITION'), v(i1, 'I_CURTAKE'), v(i2, 'IP_ITEMNUMBER'),\n"
         "  v(i1, 'C_BEATATTACHMODE'), v(i1, 'F_FREEMODE_H'), v(i1, 'D_NO_SUCH'),\n"
         "  math.type(v(i1, 'P_TRACK')), v(i1, 'P_TRACK') ~= 0",
         {"1.0", "1.0", "0.0", "-1.0", "1.0", "0.0", "float", "true"}},
        // Values are kept as their C type keeps them; read-only and unknown names are refused.
        {"local s = reaper.SetMediaItemInfo_Value\n"
         "s(i1, 'C_MUTE_SOLO', -1) s(i1, 'C_LOCK', 257.9) s(i1, 'I_FADELPF', -2.7)\n"
         "s(i1, 'C_AUTOSTRETCH:', 1)\n"
         "local solo = v(i1, 'C_MUTE_SOLO') s(i1, 'B_MUTE', 5)\n"
         "return solo, v(i1, 'C_MUTE_SOLO'), v(i1, 'B_MUTE_ACTUAL'), v(i1, 'C_LOCK'),\n"
         "  v(i1, 'I_FADELPF'), s(i1, 'IP_ITEMNUMBER', 3), s(i1, 'P_TRACK', 0),\n"
         "  s(i1, 'I_CURTAKE', 2), s(i1, 'I_CURTAKE', 0), v(i1, 'I_CURTAKE'), s(i1, 'NOPE', 1),\n"
         "  v(i1, 'C_AUTOSTRETCH')",
         {"-1.0", "0.0", "1.0", "1.0", "-2.0", "false", "false", "false", "true", "0.0", "false",
          "1.0"}},
        {"local g = reaper.GetSetMediaItemInfo_String\n"
         "local set = g(i1, 'P_EXT:mine', 'v1', true) local ok, got = g(i1, 'P_EXT:mine', '', "
         "false)\n"
         "local missing, empty = g(i1, 'P_EXT:other', '', false)\n"
         "return set, ok, got, missing, empty, g(i1, 'P_EXT:', 'x', true), g(i2, 'P_EXT:mine', '', "
         "false)",
         {"true", "true", "v1", "false", "", "false", "false", ""}},
        {"local s, g = reaper.SetMediaItemInfo_Value, reaper.GetSetMediaItemInfo_String\n"
         "s(i1, 'I_GROUPID', 3.7) s(i1, 'D_SNAPOFFSET', 0.25) g(i1, 'P_NOTES', 'a\\nb', true)\n"
         "s(i1, 'I_CUSTOMCOLOR', reaper.ColorToNative(1, 2, 3) | 0x1000000)\n"
         "local bad = g(i1, 'GUID', 'nope', true)\n"
         "local good = g(i1, 'GUID', '{0123abcd-0000-4000-8000-00000000000f}', true)\n"
         "return v(i1, 'I_GROUPID'), v(i1, 'D_SNAPOFFSET'), select(2, g(i1, 'P_NOTES', '', "
         "false)),\n"
         "  reaper.GetDisplayedMediaItemColor(i1) == v(i1, 'I_CUSTOMCOLOR'),\n"
         "  reaper.GetDisplayedMediaItemColor(i2), bad, good, select(2, g(i1, 'GUID', '', false))",
         {"3.0", "0.25", "a\nb", "true", "0", "false", "true",
          "{0123ABCD-0000-4000-8000-00000000000F}"}},
        // 4 and 8 quarter notes at 120 bpm are 2 and 4 seconds.
        {"local m = reaper.CreateNewMIDIItemInProj(b, 2, 4)\n"
         "local q = reaper.CreateNewMIDIItemInProj(b, 4, 8, true) local t = "
         "reaper.GetActiveTake(m)\n"
         "return v(m, 'D_LENGTH'), reaper.TakeIsMIDI(t), reaper.GetTakeName(t), v(q, "
         "'D_POSITION'),\n"
         "  v(q, 'D_LENGTH'), reaper.CreateNewMIDIItemInProj(b, 3, 3)",
         {"2.0", "true", "", "2.0", "2.0", "nil"}},
        // Trim the left edge to 2 s (the content stays put), the right edge to 4.5 s, move
        // 500 ms left, and the cursor 15 frames on; snapping, grid units and a trim past the
        // right edge do nothing.
        {"local n = reaper.ApplyNudge\n"
         "local trims = n(0, 1, 1, 1, 2, false, 0) and n(0, 1, 3, 1, 4.5, false, 0)\n"
         "local moved = n(0, 0, 0, 0, 500, true, 0)\n"
         "local refused = n(0, 3, 0, 1, 1, false, 0) or n(0, 0, 0, 2, 1, false, 0) or\n"
         "  n(0, 1, 1, 1, 9, false, 0)\n"
         "return trims, moved, refused, n(0, 0, 6, 18, 15, false, 0), v(i1, 'D_POSITION'),\n"
         "  v(i1, 'D_LENGTH'), tv(reaper.GetTake(i1, 0), 'D_STARTOFFS'), "
         "reaper.GetCursorPositionEx(0)",
         {"true", "true", "false", "true", "1.5", "2.5", "2.5", "0.5"}},
        {"sim.set_frame_rate(0) reaper.GetSetProjectInfo(0, 'PROJECT_SRATE', 0, true)\n"
         "return reaper.ApplyNudge(0, 0, 6, 18, 1, false, 0), reaper.ApplyNudge(0, 0, 0, 17, 1, "
         "false, 0),\n"
         "  reaper.GetSetProjectInfo(0, 'PROJECT_SRATE', 0 / 0, true), v(i1, 'D_POSITION')",
         {"false", "false", "0.0", "1.0"}},
        // The left part keeps the handle and the fade-in; the right one starts further into
        // each take's source and plays a copy of it.
        {"local r = reaper.SplitMediaItem(i1, 3) local t = reaper.GetTake(r, 0)\n"
         "return v(i1, 'D_LENGTH'), v(i1, 'D_FADEINLEN'), v(i1, 'D_FADEOUTLEN'),\n"
         "  v(r, 'D_POSITION'), v(r, 'D_LENGTH'), v(r, 'D_FADEINLEN'), v(r, 'D_FADEOUTLEN'),\n"
         "  v(r, 'IP_ITEMNUMBER'), v(r, 'I_CURTAKE'), v(r, 'B_UISEL'), tv(t, 'D_STARTOFFS'),\n"
         "  reaper.GetMediaItemTake_Source(t) ~= reaper.GetMediaItemTake_Source(reaper.GetTake(i1, "
         "0)),\n"
         "  reaper.GetTakeName(t), reaper.SplitMediaItem(i1, 1), reaper.SplitMediaItem(i1, 3)",
         {"2.0", "0.5", "0.0", "3.0", "2.0", "0.0", "1.0", "1.0", "1.0", "1.0", "4.5", "true",
          "one", "nil", "nil"}},
        {"local i3 = sim.add_item(a, {position = 2}) local n = sim.redraw_count()\n"
         "reaper.SetMediaItemPosition(i3, 0.5, true) reaper.SetMediaItemLength(i3, 3, false)\n"
         "local before = reaper.GetTrackMediaItem(a, 0) == i1 reaper.UpdateItemInProject(i3)\n"
         "return sim.redraw_count() - n, v(i3, 'D_LENGTH'), before,\n"
         "  reaper.GetTrackMediaItem(a, 0) == i3, v(i1, 'IP_ITEMNUMBER'),\n"
         "  reaper.SetMediaItemPosition(i3, 1, false)",
         {"1", "3.0", "true", "true", "1.0", "true"}},
        {"local moved = reaper.MoveMediaItemToTrack(i1, b)\n"
         "local wrong = reaper.DeleteTrackMediaItem(a, i1)\n"
         "return moved, reaper.GetMediaItemTrack(i1) == b, reaper.GetTrackNumMediaItems(a), "
         "wrong,\n"
         "  reaper.DeleteTrackMediaItem(b, i1), reaper.ValidatePtr(i1, 'MediaItem*'),\n"
         "  reaper.CountTrackMediaItems(b)",
         {"true", "true", "0", "false", "true", "false", "1"}},
    };
    run(cases);
}

TEST(ScriptFunctions, Takes) {
    const Case cases[] = {
        {"return reaper.CountTakes(i1), reaper.CountTakes(i2),\n"
         "  reaper.GetTakeName(reaper.GetActiveTake(i1)), reaper.GetActiveTake(i2),\n"
         "  reaper.GetTake(i1, 2), reaper.GetMediaItemTake(i1, -1),\n"
         "  reaper.GetMediaItemTake(i1, 1) == reaper.GetActiveTake(i1)",
         {"2", "0", "two", "nil", "nil", "nil", "true"}},
        {"local t = reaper.GetTake(i1, 0) reaper.SetActiveTake(t)\n"
         "return v(i1, 'I_CURTAKE'), reaper.GetMediaItemTake_Item(t) == i1, tv(t, 'D_PLAYRATE'),\n"
         "  tv(t, 'D_STARTOFFS'), tv(reaper.GetTake(i1, 1), 'IP_TAKENUMBER'), tv(t, 'D_PANLAW'),\n"
         "  tv(t, 'I_TAKEFX_NCH'), tv(t, 'P_SOURCE') ~= 0, tv(t, 'NOPE')",
         {"0.0", "true", "2.0", "0.5", "1.0", "-1.0", "2.0", "true", "0.0"}},
        {"local t, s = reaper.GetTake(i1, 0), reaper.SetMediaItemTakeInfo_Value\n"
         "return s(t, 'I_CHANMODE', 2.9), tv(t, 'I_CHANMODE'), s(t, 'B_PPITCH', 7),\n"
         "  tv(t, 'B_PPITCH'), s(t, 'F_STRETCHFADESIZE', 0.1), tv(t, 'F_STRETCHFADESIZE') ~= 0.1,\n"
         "  s(t, 'IP_TAKENUMBER', 1), s(t, 'P_SOURCE', 0), s(t, 'P_ITEM', 0), s(t, 'NOPE', 1)",
         {"true", "2.0", "true", "1.0", "true", "true", "false", "false", "false", "false"}},
        {"local t, g = reaper.GetActiveTake(i1), reaper.GetSetMediaItemTakeInfo_String\n"
         "local renamed = g(t, 'P_NAME', 'lead', true)\n"
         "g(t, 'P_EXT:ORIGINAL_FILENAME', 'a.wav', true)\n"
         "return renamed, reaper.GetTakeName(t), select(2, g(t, 'P_EXT:ORIGINAL_FILENAME', '', "
         "false)),\n"
         "  g(t, 'P_EXT:none', '', false)",
         {"true", "lead", "a.wav", "false", ""}},
        {"local t = reaper.GetTake(i1, 0) local _, guid = reaper.GetSetMediaItemTakeInfo_String(t, "
         "'GUID', '', false)\n"
         "reaper.SetMediaItemTakeInfo_Value(t, 'I_CUSTOMCOLOR', 0x1000000 | 255) "
         "reaper.SetActiveTake(t)\n"
         "return reaper.GetMediaItemTakeByGUID(0, guid:lower()) == t,\n"
         "  reaper.GetMediaItemTakeByGUID(nil, '{00000000-0000-0000-0000-000000000000}'),\n"
         "  reaper.GetMediaItemTakeByGUID(0, 'x'), reaper.GetDisplayedMediaItemColor(i1), #guid",
         {"true", "nil", "nil", "16777471", "38"}},
        {"local t = reaper.AddTakeToMediaItem(i2)\n"
         "local m = sim.add_item(b, {take = {source = 'MIDI'}})\n"
         "return reaper.CountTakes(i2), reaper.GetActiveTake(i2) == t, reaper.GetTakeName(t),\n"
         "  reaper.GetMediaItemTake_Source(t), reaper.TakeIsMIDI(t),\n"
         "  reaper.TakeIsMIDI(reaper.GetActiveTake(m)), reaper.TakeIsMIDI(reaper.GetTake(i1, 0))",
         {"1", "true", "", "nil", "false", "true", "false"}},
    };
    run(cases);
}

TEST(ScriptFunctions, SourcesAndMisc) {
    const Case cases[] = {
        {"local src = reaper.GetMediaItemTake_Source(reaper.GetTake(i1, 0))\n"
         "local m = sim.add_item(b, {take = {source = {type = 'MIDI', length = 2}}})\n"
         "local midi = reaper.GetMediaItemTake_Source(reaper.GetActiveTake(m))\n"
         "local len, qn = reaper.GetMediaSourceLength(src)\n"
         "return reaper.GetMediaSourceFileName(src), len, qn, reaper.GetMediaSourceLength(midi)",
         {"media/one.wav", "10.0", "false", "4.0", "true"}},
        // A source another take plays is copied; an unowned one is taken as it is.
        {"local t = reaper.AddTakeToMediaItem(i2)\n"
         "local s = reaper.GetMediaItemTake_Source(reaper.GetTake(i1, 0))\n"
         "local ok = reaper.SetMediaItemTake_Source(t, s) local got = "
         "reaper.GetMediaItemTake_Source(t)\n"
         "local u = sim.add_source('FLAC') reaper.SetMediaItemTake_Source(t, u)\n"
         "return ok, got ~= s, reaper.GetMediaSourceType(got), sim.sources_created(),\n"
         "  reaper.GetMediaItemTake_Source(t) == u, sim.unowned_sources()",
         {"true", "true", "WAVE", "1", "true", "1"}},
        {"local c = reaper.ColorToNative(255, 128, 1)\n"
         "return c, reaper.ColorFromNative(c | 0x1000000)",
         {"98559", "255", "128", "1"}},
        {"return reaper.GetAudioDeviceInfo('SRATE'),\n"
         "  reaper.GetResourcePath():match('/%.config/REAPER$') ~= nil",
         {"false", "true"}},
        {"local p = sim.add_project('other') local t = sim.add_track('gone')\n"
         "local it = reaper.AddMediaItemToTrack(t) reaper.DeleteTrack(t)\n"
         "return reaper.ValidatePtr2(p, i1, 'MediaItem*'), reaper.ValidatePtr(i1, 'MediaItem*'),\n"
         "  reaper.ValidatePtr2(0, p, 'ReaProject*'), reaper.ValidatePtr(i1, 'MediaItemTake*'),\n"
         "  reaper.ValidatePtr2(nil, it, 'MediaItem*'), reaper.ValidatePtr(t, 'MediaTrack*'),\n"
         "  reaper.ValidatePtr2(0, 5, 'MediaItem*')",
         {"false", "true", "true", "false", "false", "false", "false"}},
        {"local g = reaper.genGuid('')\n"
         "return #g, g ~= reaper.genGuid(''), reaper.guidToString(g:lower(), '') == g,\n"
         "  reaper.guidToString('junk', '')",
         {"38", "true", "true", "{00000000-0000-0000-0000-000000000000}"}},
        {"reaper.ValidatePtr(i1)",
         {},
         "bad argument #2 to 'ValidatePtr' (string expected, got no value)"},
    };
    run(cases);
}

TEST(ScriptFunctions, Tracks) {
    const Case cases[] = {
        {"return reaper.GetNumTracks(), select(2, reaper.GetTrackName(b)),\n"
         "  select(2, reaper.GetTrackName(a)), reaper.GetSetMediaTrackInfo_String(b, 'P_NAME', '', "
         "false)",
         {"2", "Track 2", "Drums", "true", ""}},
        {"local s = reaper.SetMediaTrackInfo_Value\n"
         "local sel = s(b, 'I_SELECTED', 1) s(a, 'I_FOLDERDEPTH', 1) s(a, 'B_SHOWINMIXER', 0)\n"
         "return trv(b, 'D_VOL'), trv(b, 'IP_TRACKNUMBER'), sel, reaper.CountSelectedTracks(0),\n"
         "  s(a, 'I_WNDH', 5), s(a, 'NOPE', 1), reaper.GetParentTrack(b) == a,\n"
         "  reaper.GetParentTrack(a), trv(b, 'P_PARTRACK') ~= 0, reaper.CSurf_TrackToID(b, "
         "false),\n"
         "  reaper.CSurf_TrackToID(b, true), reaper.CSurf_TrackToID(a, true),\n"
         "  reaper.IsTrackVisible(a, true), reaper.IsTrackVisible(a, false)",
         {"1.0", "2.0", "true", "2", "false", "false", "true", "nil", "true", "2", "1", "-1",
          "false", "true"}},
        {"local g, s = reaper.GetTrackGUID(a), reaper.GetSetMediaTrackInfo_String\n"
         "local _, text = s(a, 'GUID', '', false) local set = s(b, 'GUID', g:lower(), true)\n"
         "return g == text, #g, g == reaper.GetTrackGUID(a), set, reaper.GetTrackGUID(b) == g,\n"
         "  s(b, 'GUID', '{x}', true)",
         {"true", "38", "true", "true", "true", "false", "{x}"}},
        {"reaper.InsertTrackAtIndex(1, true) reaper.InsertTrackInProject(0, 99, 0)\n"
         "reaper.InsertTrackAtIndex(-5, false)\n"
         "return reaper.CountTracks(0), reaper.GetTrack(0, 1) == a, reaper.GetTrack(0, 3) == b,\n"
         "  select(2, reaper.GetTrackName(reaper.GetTrack(0, 4))), trv(reaper.GetTrack(0, 2), "
         "'I_SELECTED')",
         {"5", "true", "true", "Track 5", "0.0"}},
        {"reaper.DeleteTrack(a) local n = sim.redraw_count() "
         "reaper.TrackList_AdjustWindows(false)\n"
         "return reaper.CountTracks(0), reaper.ValidatePtr(i1, 'MediaItem*'),\n"
         "  reaper.CSurf_TrackToID(b, false), sim.redraw_count() - n",
         {"1", "false", "1", "1"}},
        {"local g = reaper.GetSetMediaTrackInfo_String\n"
         "local ok = g(a, 'P_RAZOREDITS', '1 2 \"\" 3 4.5 \"{E}\"', true)\n"
         "local _, ext = g(a, 'P_RAZOREDITS_EXT', '', false)\n"
         "local bad = g(a, 'P_RAZOREDITS', '1 x', true) local _, back = g(a, 'P_RAZOREDITS', '', "
         "false)\n"
         "g(a, 'P_EXT:k', 'v', true) g(a, 'P_ICON', 'drum.png', true)\n"
         "local _, icon = g(a, 'P_ICON', '', false)\n"
         "return ok, ext, bad, back, select(2, g(a, 'P_EXT:k', '', false)), icon,\n"
         "  g(a, 'P_UI_RECT:tcp.size', '', false)",
         {"true",
          "1.00000000000000 2.00000000000000,3.00000000000000 4.50000000000000 \"{E}\" "
          "0.00000000000000 1.00000000000000",
          "false",
          "1.00000000000000 2.00000000000000 \"\" 3.00000000000000 4.50000000000000 \"{E}\"", "v",
          "drum.png", "false", ""}},
    };
    run(cases);
}

}  // namespace
}  // namespace reaper_sim
