-- Moves each selected item to the nearest beat of the tempo map, lays a kick on every beat each
-- selected MIDI item covers, and puts the edit cursor on the grid line nearest the selection's
-- end, as shared quantize scripts do.
local r = reaper

local last_end = 0
for i = 0, r.CountSelectedMediaItems(0) - 1 do
  local item = r.GetSelectedMediaItem(0, i)
  local pos = r.GetMediaItemInfo_Value(item, "D_POSITION")
  local beat = math.floor(r.TimeMap2_timeToQN(0, pos) + 0.5)
  pos = r.TimeMap2_QNToTime(0, beat)
  r.SetMediaItemInfo_Value(item, "D_POSITION", pos)
  local len = r.GetMediaItemInfo_Value(item, "D_LENGTH")
  last_end = math.max(last_end, pos + len)

  local take = r.GetActiveTake(item)
  if take and r.TakeIsMIDI(take) then
    local first_qn = math.ceil(r.TimeMap2_timeToQN(0, pos))
    local last_qn = math.ceil(r.TimeMap2_timeToQN(0, pos + len)) - 1
    for qn = first_qn, last_qn do
      local ppq = r.MIDI_GetPPQPosFromProjTime(take, r.TimeMap_QNToTime(qn))
      r.MIDI_InsertNote(take, false, false, ppq, ppq + 240, 9, 36, 110, true)
    end
    r.MIDI_Sort(take)
  end
end
r.SetEditCurPos(r.SnapToGrid(0, last_end), false, false)
r.UpdateArrange()
