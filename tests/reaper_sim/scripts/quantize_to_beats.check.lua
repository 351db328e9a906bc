-- The saved project of quantize_to_beats.lua (90 bpm: a beat is 2/3 s), reloaded.
local r = reaper
local function near(a, b) return math.abs(a - b) < 1e-9 end
local track = r.GetTrack(0, 0)
local shaker, kicks = r.GetTrackMediaItem(track, 0), r.GetTrackMediaItem(track, 1)
-- 1.1 s is beat 1.65: to beat 2; 2.9 s is beat 4.35: to beat 4.
assert(near(r.GetMediaItemInfo_Value(shaker, "D_POSITION"), 4 / 3))
assert(near(r.GetMediaItemInfo_Value(kicks, "D_POSITION"), 8 / 3))
-- Beats 4, 5 and 6 lie in the MIDI item (8/3 s .. 14/3 s): kicks at ticks 0, 960 and 1920,
-- sorted in with the note already there.
local take = r.GetActiveTake(kicks)
local _, notes = r.MIDI_CountEvts(take)
assert(notes == 4, notes)
local starts = {}
for i = 0, notes - 1 do
  local _, _, _, start, finish, chan, pitch = r.MIDI_GetNote(take, i)
  starts[#starts + 1] = start
  if pitch == 36 then assert(chan == 9 and finish == start + 240) end
end
assert(starts[1] == 0 and starts[2] == 0 and starts[3] == 960 and starts[4] == 1920)
assert(near(r.MIDI_GetProjTimeFromPPQPos(take, 1920), 4))
-- The selection ends at 14/3 s, beat 7: the cursor is there.
assert(near(r.GetCursorPosition(), 14 / 3), r.GetCursorPosition())
