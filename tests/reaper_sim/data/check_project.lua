-- Run with --project two_tracks.lua: only that project exists, none of the built-in one.
assert(expected, "the setup script's globals are visible")
local tracks = 0
while reaper.GetTrack(0, tracks) do tracks = tracks + 1 end
assert(tracks == expected.tracks, "tracks: " .. tracks)
assert(reaper.CountMediaItems(0) == expected.items, "items: " .. reaper.CountMediaItems(0))
local selected = reaper.QM_GetMediaItemSelect(0, 0, 1)
assert(reaper.GetTakeName(reaper.GetActiveTake(selected)) == "a1")
assert(reaper.TimeMap_curFrameRate(0) == 24)
print(("project checked: %d tracks, %d items, args %s %s"):format(
  tracks, reaper.CountMediaItems(0), arg[1], arg[2]))
