-- The saved project of remove_short_items.lua, its question answered with Enter (Yes): the
-- 2 s groove and the 1 s empty item are gone, nothing else.
local r = reaper
local counts = {}
for t = 0, r.CountTracks(0) - 1 do counts[#counts + 1] = r.CountTrackMediaItems(r.GetTrack(0, t)) end
assert(table.concat(counts, ",") == "1,1,0,1", table.concat(counts, ","))
assert(r.GetTakeName(r.GetActiveTake(r.GetMediaItem(0, 0))) == "kick room.wav")
assert(r.CountSelectedMediaItems(0) == 0)
