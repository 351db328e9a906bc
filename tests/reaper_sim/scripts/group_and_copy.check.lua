-- The saved project of group_and_copy.lua: the copies of Drums (kick 0 s, groove 6 s) and Bass
-- (0.5 s) start at 9 s, 15 s and 9.5 s, selected, on the same tracks; the originals are grouped.
local r = reaper
local function item(track, index) return r.GetTrackMediaItem(r.GetTrack(0, track), index) end
local function v(it, name) return r.GetMediaItemInfo_Value(it, name) end
assert(r.CountTrackMediaItems(r.GetTrack(0, 0)) == 4 and r.CountTrackMediaItems(r.GetTrack(0, 3)) == 2)
assert(v(item(0, 2), "D_POSITION") == 9 and v(item(0, 3), "D_POSITION") == 15)
assert(v(item(3, 1), "D_POSITION") == 9.5 and v(item(3, 1), "D_LENGTH") == 5)
assert(r.CountSelectedMediaItems(0) == 3)
local group = v(item(0, 0), "I_GROUPID")
assert(group > 0 and v(item(0, 1), "I_GROUPID") == group and v(item(3, 0), "I_GROUPID") == group)
assert(v(item(1, 0), "I_GROUPID") == 0)
