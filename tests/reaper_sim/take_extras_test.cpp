// What a take holds beyond its source, as a script sees it: a MIDI take at 2 s (120 bpm) with a
// note C4 over its first eighth, two FX (the first with a parameter envelope) and a volume
// envelope; an audio take beside it.
#include <gtest/gtest.h>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

struct Session {
    Session() {
        sim::SourceSpec midi;
        midi.type = "MIDI";
        midi.midi = {{0, 0, "\x90\x3c\x64"},
                     {480, 0, std::string("\x80\x3c\x00", 3)},
                     {3840, 0, std::string("\xb0\x7b\x00", 3)}};
        sim::TakeSpec take;
        take.name = "notes";
        take.source = midi;
        take.fx.resize(2);
        take.fx[0].name = "VST: ReaEQ (Cockos)";
        take.fx[1].name = "JS: gain";
        take.envelopes.resize(2);
        take.envelopes[0].kind = "PARMENV";
        take.envelopes[0].fx = 0;
        take.envelopes[1].kind = "VOLENV";
        sim::ItemSpec item;
        item.position = 2.0;
        item.length = 4.0;
        item.takes = {take};
        sim::Track* track = host.add_track(nullptr, "Keys");
        host.add_item(track, item);
        sim::ItemSpec audio;
        audio.takes.resize(1);
        audio.takes[0].source = sim::SourceSpec{};
        host.add_item(track, audio);
        testing::expect_case(env.state(),
                             {"take = reaper.GetActiveTake(reaper.GetMediaItem(0, 0))\n"
                              "audio = reaper.GetActiveTake(reaper.GetMediaItem(0, 1))"});
    }
    sim::Host host;
    Environment env{host};
};

TEST(TakeExtras, AnswerAsReaperDoes) {
    const Case cases[] = {
        // Take markers stay sorted by source position; an update re-sorts and gives the index.
        {"local a = reaper.SetTakeMarker(take, -1, 'Hit', 1.5)\n"
         "local b = reaper.SetTakeMarker(take, -1, 'Early', 0.5, 0x10000ff)\n"
         "local c = reaper.SetTakeMarker(take, 0, 'Late', 3)\n"
         "local d = reaper.SetTakeMarker(take, 4, 'None', 1)\n"
         "return a, b, c, d, reaper.GetNumTakeMarkers(take), reaper.GetTakeMarker(take, 1)",
         {"0", "0", "1", "-1", "2", "3.0", "Late", "16777471"}},
        {"return reaper.GetTakeMarker(take, 2)", {"-1.0", "", "0"}},
        // Stretch markers: a source position computed when not given, interpolated between
        // markers; a second marker at one position is refused; lookups by position.
        {"local a = reaper.SetTakeStretchMarker(take, -1, 1)\n"
         "local b = reaper.SetTakeStretchMarker(take, -1, 3, 2.5)\n"
         "local c = reaper.SetTakeStretchMarker(take, -1, 3)\n"
         "local d = reaper.SetTakeStretchMarker(take, -1, 2)\n"
         "local _, pos, src = reaper.GetTakeStretchMarker(take, d)\n"
         "return a, b, c, d, pos, src, reaper.GetTakeStretchMarker(take, -1, 2.5)",
         {"0", "1", "-1", "1", "2.0", "1.75", "2", "2.5", "0.0"}},
        {"reaper.SetTakeStretchMarker(take, -1, 1) reaper.SetTakeStretchMarker(take, -1, 2)\n"
         "local moved = reaper.SetTakeStretchMarker(take, 0, 5)\n"
         "local _, pos = reaper.GetTakeStretchMarker(take, 0)\n"
         "local ok = reaper.SetTakeStretchMarkerSlope(take, 0, 0.5)\n"
         "return moved, pos, ok, reaper.GetTakeStretchMarkerSlope(take, 0),\n"
         "  reaper.SetTakeStretchMarkerSlope(take, 2, 0.1), reaper.DeleteTakeStretchMarkers(take, "
         "1, 5),\n"
         "  reaper.DeleteTakeStretchMarkers(take, 3), reaper.GetTakeNumStretchMarkers(take)",
         {"0", "2.0", "true", "0.5", "false", "1", "0", "1"}},
        // The FX list; deleting an FX takes its parameter envelope along.
        {"reaper.TakeFX_SetEnabled(take, 0, false) reaper.TakeFX_SetOffline(take, 1, true)\n"
         "reaper.TakeFX_SetEnabled(take, 9, false)\n"
         "local e, o = reaper.TakeFX_GetEnabled(take, 0), reaper.TakeFX_GetOffline(take, 1)\n"
         "local _, missing = reaper.TakeFX_GetFXName(take, 2)\n"
         "local deleted = reaper.TakeFX_Delete(take, 0)\n"
         "local ok, name = reaper.TakeFX_GetFXName(take, 0)\n"
         "return e, o, missing, deleted, reaper.TakeFX_Delete(take, 1), "
         "reaper.TakeFX_GetCount(take),\n"
         "  ok, name, reaper.CountTakeEnvelopes(take)",
         {"false", "true", "", "true", "false", "1", "true", "JS: gain", "1"}},
        {"local env = reaper.GetTakeEnvelope(take, 1)\n"
         "return reaper.InsertEnvelopePoint(env, 1, 0.5, 0, 0, true),\n"
         "  reaper.InsertEnvelopePoint(env, 0.5, 1, 5, 2, false, true),\n"
         "  reaper.Envelope_SortPoints(env), reaper.GetTakeEnvelope(take, 2)",
         {"true", "true", "true", "nil"}},
        // MIDI: notes by index in start order; ticks through the item position and tempo.
        {"local a = reaper.MIDI_InsertNote(take, true, false, 1920, 2400, 1, 64, 90)\n"
         "local b = reaper.MIDI_InsertNote(take, false, false, 960, 960, 0, 62, 90)\n"
         "local c = reaper.MIDI_SetNote(take, 0, nil, true, 960, 1440, nil, 67)\n"
         "return a, b, c, reaper.MIDI_GetNote(take, 0)",
         {"true", "false", "true", "true", "false", "true", "960.0", "1440.0", "0", "67", "100"}},
        {"reaper.MIDI_DisableSort(take)\n"
         "reaper.MIDI_InsertNote(take, false, false, 1920, 2000, 2, 50, 80)\n"
         "reaper.MIDI_InsertNote(take, false, false, 960, 1000, 2, 52, 80)\n"
         "local _, _, _, unsorted = reaper.MIDI_GetNote(take, 1) reaper.MIDI_Sort(take)\n"
         "local _, _, _, sorted = reaper.MIDI_GetNote(take, 1)\n"
         "return unsorted, sorted, reaper.MIDI_DeleteNote(take, 2), reaper.MIDI_DeleteNote(take, "
         "2),\n"
         "  reaper.MIDI_CountEvts(take)",
         {"1920.0", "960.0", "true", "false", "2", "2", "0", "0"}},
        {"local ok, buf = reaper.MIDI_GetAllEvts(take, '')\n"
         "local offset, flags, msg, next = string.unpack('i4Bs4', buf)\n"
         "buf = string.pack('i4Bs4i4Bs4i4Bs4i4Bs4', 0, 1, '\\x90\\x30\\x40', 100, 1, "
         "'\\x80\\x30\\0',\n"
         "  0, 0, '\\xb0\\x07\\x64', 500, 0, '\\xb0\\x7b\\0')\n"
         "local set = reaper.MIDI_SetAllEvts(take, buf)\n"
         "local bad = reaper.MIDI_SetAllEvts(take, buf:sub(1, 20))\n"
         "return ok, #buf, offset, flags, #msg, set, bad, reaper.MIDI_CountEvts(take)",
         {"true", "48", "0", "0", "3", "true", "false", "2", "1", "1", "0"}},
        {"return reaper.MIDI_GetPPQPosFromProjTime(take, 2.5), "
         "reaper.MIDI_GetProjTimeFromPPQPos(take, "
         "1920),\n  reaper.MIDI_GetProjQNFromPPQPos(take, 960)",
         {"960.0", "3.0", "5.0"}},
        // An audio take has no events; no MIDI editor is ever open, and the nil saying so may be
        // passed
        // on.
        {"local n, notes, ccs, texts = reaper.MIDI_CountEvts(audio)\n"
         "return n, notes, ccs, texts, reaper.MIDI_InsertNote(audio, false, false, 0, 1, 0, 1, "
         "1),\n"
         "  reaper.MIDIEditor_GetTake(reaper.MIDIEditor_GetActive()),\n"
         "  reaper.MIDIEditor_LastFocused_OnCommand(40001, false)",
         {"0", "0", "0", "0", "false", "nil", "false"}},
    };
    for (const Case& c : cases) {
        Session s;
        testing::expect_case(s.env.state(), c);
    }
}

TEST(TakeExtras, EnvelopePointsKeepTimeOrderUnlessToldNotTo) {
    Session s;
    testing::expect_case(s.env.state(),
                         {"local env = reaper.GetTakeEnvelope(take, 1)\n"
                          "reaper.InsertEnvelopePoint(env, 2, 0.5, 0, 0, false)\n"
                          "reaper.InsertEnvelopePoint(env, 1, 0.25, 5, 0.3, true)\n"
                          "reaper.InsertEnvelopePoint(env, 0.5, 1, 1, 0, false, true)"});
    const auto& points =
        s.host.current_project()->tracks[0]->items[0]->takes[0]->envelopes[1].points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0], (sim::EnvelopePoint{1.0, 0.25, 5, 0.3, true}));
    EXPECT_EQ(points[1].time, 2.0);
    EXPECT_EQ(points[2].time, 0.5);
}

}  // namespace
}  // namespace reaper_sim
