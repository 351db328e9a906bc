-- The saved project of rename_takes_dialog.lua answered "Hit,10": the selected items' active
-- takes are numbered in project order; other takes keep their names.
local r = reaper
local function name(track, index)
  return r.GetTakeName(r.GetActiveTake(r.GetTrackMediaItem(r.GetTrack(0, track), index)))
end
assert(name(0, 0) == "Hit 10" and name(1, 0) == "Hit 11" and name(3, 0) == "Hit 12")
assert(name(0, 1) == "groove")
assert(r.GetTakeName(r.GetTake(r.GetTrackMediaItem(r.GetTrack(0, 0), 0), 0)) ~= "Hit 10")
