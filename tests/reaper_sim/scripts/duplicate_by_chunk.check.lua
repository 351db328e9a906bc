-- The saved project of duplicate_by_chunk.lua, reloaded: kick, snare and bass each have a copy
-- right after them, with its takes renamed, the bass copy still muted, and fresh GUIDs.
local r = reaper
local function item_at(track, pos)
  for i = 0, r.CountTrackMediaItems(track) - 1 do
    local item = r.GetTrackMediaItem(track, i)
    if r.GetMediaItemInfo_Value(item, "D_POSITION") == pos then return item end
  end
end
local drums, snare, bass = r.GetTrack(0, 0), r.GetTrack(0, 1), r.GetTrack(0, 3)
assert(r.CountTrackMediaItems(drums) == 3 and r.CountTrackMediaItems(snare) == 2)
local kick = item_at(drums, 4)
assert(kick and r.CountTakes(kick) == 2 and r.GetMediaItemInfo_Value(kick, "D_LENGTH") == 4)
assert(r.GetTakeName(r.GetTake(kick, 0)) == "kick.wav copy")
assert(r.GetTakeName(r.GetActiveTake(kick)) == "kick room.wav copy")
assert(r.GetMediaItemTakeInfo_Value(r.GetActiveTake(kick), "D_STARTOFFS") == 0.5)
local snare_copy = item_at(snare, 4)
assert(snare_copy and r.GetMediaItemTakeInfo_Value(r.GetActiveTake(snare_copy), "D_PLAYRATE") == 2)
local bass_copy = item_at(bass, 5.5)
assert(bass_copy and r.GetMediaItemInfo_Value(bass_copy, "B_MUTE") == 1)
assert(r.CountSelectedMediaItems(0) == 3)
assert(r.IsMediaItemSelected(kick) and not r.IsMediaItemSelected(item_at(drums, 0)))
-- Every item GUID in the file is its own.
local _, path = r.EnumProjects(-1)
local file = assert(io.open(path))
local seen, count = {}, 0
for guid in file:read("a"):gmatch("\n%s*IGUID ({[^}]*})") do
  assert(not seen[guid], guid)
  seen[guid], count = true, count + 1
end
file:close()
assert(count == r.CountMediaItems(0), count)
