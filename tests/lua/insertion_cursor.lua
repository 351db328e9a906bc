-- The play cursor, then inserting Shaker.wav with each of the seven insertions on the built-in
-- project (ends at 35 s, 30 fps, cursor at 4 s; Drums and Vocals selected): each returns the new
-- item where it was asked for and leaves both selections as they were, plus the new item.
local check = require("support.check")

check.eq(select(2, reaper.QM_GetPlayCursorPosition(0)), 4.0, "the edit cursor while stopped")
check.eq(select(2, reaper.QM_SetPlayCursorPosition(0, 1, -5)), 30.0, "5 s before the end")
check.eq(select(2, reaper.QM_SetPlayCursorPositionFrame(0, 0, 48)), 48, "frame 48 reported")
check.eq(reaper.GetCursorPositionEx(0), 1.6, "frame 48 is 1.6 s")
check.eq(select(2, reaper.QM_SetPlayCursorPositionFrame(0, 7, -30)), 1020, "a second before the end")
sim.set_play_state(1, 12.5)
check.eq(select(2, reaper.QM_GetPlayCursorPosition(0)), 12.5, "the play position while playing")
check.eq(select(2, reaper.QM_SetPlayCursorPosition(0, 0, 3)), 3.0, "playing from 3 s")
sim.set_play_state(0)

local drums, bass, vocals = reaper.GetTrack(0, 0), reaper.GetTrack(0, 1), reaper.GetTrack(0, 2)
local cases = {
  {"InsertMediaOutItem", {0}, drums, 3.0},
  {"InsertMediaTrackItemSecond", {bass}, bass, 2.5, 0, 2.5},
  {"InsertMediaTrackIdSecond", {0, 1}, bass, 33.0, 1, -2},
  {"InsertMediaSelectedTrackIdSecond", {0, 1}, vocals, 0.0, 0, -1},
  {"InsertMediaTrackItemFrame", {vocals}, vocals, 5.0, 0, 150},
  {"InsertMediaTrackIdFrame", {0, 3}, reaper.GetTrack(0, 3), 35.0, -1, -30}, -- ends at 36 now
  {"InsertMediaSelectedTrackIdFrame", {0, 0}, drums, 0.5, 0, 15},
}
for i, c in ipairs(cases) do
  local name, lead, track, position, start_end, time = table.unpack(c)
  local args = {table.unpack(lead)}
  table.move({"Shaker.wav", start_end, time}, 1, 3, #args + 1, args)
  local item = reaper["QM_" .. name](table.unpack(args))
  check.eq(check.take_name(item), "Shaker.wav", name .. " returns the new item")
  check.eq(reaper.GetMediaItem_Track(item), track, name .. " track")
  check.eq(reaper.GetMediaItemInfo_Value(item, "D_POSITION"), position, name .. " position")
  check.eq(reaper.CountSelectedMediaItems(0), 4 + i, name .. ": earlier selection and the new item")
  check.eq(reaper.GetSelectedTrack(0, 0) == drums and reaper.GetSelectedTrack(0, 1) == vocals
           and reaper.CountSelectedTracks(0), 2, name .. ": the tracks selected as before")
end

check.eq(reaper.QM_InsertMediaOutItem(0, "missing.wav"), nil, "a file REAPER cannot read")
check.eq(reaper.CountSelectedMediaItems(0), 11, "the selection as it was")
check.eq(sim.unowned_sources(), 0, "every inserted source belongs to its take")
check.done()
