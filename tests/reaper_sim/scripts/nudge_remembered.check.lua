-- The saved project of nudge_remembered.lua answered 0.5: the selected items start 0.5 s later.
local r = reaper
local function position(track, index)
  return r.GetMediaItemInfo_Value(r.GetTrackMediaItem(r.GetTrack(0, track), index), "D_POSITION")
end
assert(position(0, 0) == 0.5 and position(1, 0) == 1.5 and position(3, 0) == 1.0)
assert(position(0, 1) == 6 and position(2, 0) == 2)
