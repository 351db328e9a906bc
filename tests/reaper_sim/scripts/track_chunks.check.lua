-- The saved project of track_chunks.lua, reloaded: each track's chunk is its block of the file,
-- the new fifth track's included; the first track has the GUID the script gave it.
local r = reaper
local _, path = r.EnumProjects(-1)
local file = assert(io.open(path))
local text = file:read("a")
file:close()
local t = 0
for block in text:gmatch("(<TRACK.-\n  >)\n") do
  local _, chunk = r.GetTrackStateChunk(r.GetTrack(0, t), "", false)
  assert(chunk == block:gsub("\n%s+", "\n") .. "\n", t)
  t = t + 1
end
assert(t == 5 and r.CountTrackMediaItems(r.GetTrack(0, 4)) == 1)
assert(r.GetTrackGUID(r.GetTrack(0, 0)) == "{11111111-0000-4000-8000-0000000000AA}")
