-- The saved project of split_at_cursor.lua (cursor at 2 s), reloaded.
local r = reaper
local function item(track, index) return r.GetTrackMediaItem(r.GetTrack(0, track), index) end
local function value(it, name) return r.GetMediaItemInfo_Value(it, name) end
local function take_value(it, name) return r.GetMediaItemTakeInfo_Value(r.GetActiveTake(it), name) end
-- Drums: kick 0..2 and 2..4 (its active take starts 0.5 + 2 s into the source), groove.
assert(r.CountTrackMediaItems(r.GetTrack(0, 0)) == 3)
assert(value(item(0, 0), "D_LENGTH") == 2 and value(item(0, 0), "B_UISEL") == 0)
assert(value(item(0, 1), "D_POSITION") == 2 and value(item(0, 1), "D_LENGTH") == 2)
assert(value(item(0, 1), "B_UISEL") == 1 and r.CountTakes(item(0, 1)) == 2)
assert(take_value(item(0, 1), "D_STARTOFFS") == 2.5)
assert(r.GetTakeName(r.GetActiveTake(item(0, 1))) == "kick room.wav")
-- Snare: its 1 s left part is gone; the right part starts 0.25 + 1 s x rate 2 into the source.
assert(r.CountTrackMediaItems(r.GetTrack(0, 1)) == 1)
assert(value(item(1, 0), "D_FADEINLEN") == 0 and value(item(1, 0), "D_FADEOUTLEN") == 0.2)
assert(value(item(1, 0), "D_POSITION") == 2 and take_value(item(1, 0), "D_STARTOFFS") == 2.25)
-- Bass 0.5..2 and 2..5.5; the right part keeps its mute and volume.
assert(value(item(3, 1), "D_POSITION") == 2 and value(item(3, 1), "D_LENGTH") == 3.5)
assert(value(item(3, 1), "B_MUTE") == 1 and value(item(3, 1), "D_VOL") == 0.5)
assert(r.CountSelectedMediaItems(0) == 3)
-- The right part is an item of its own, its takes too.
local function guid(get, object) return select(2, get(object, "GUID", "", false)) end
assert(guid(r.GetSetMediaItemInfo_String, item(0, 0)) ~= guid(r.GetSetMediaItemInfo_String, item(0, 1)))
assert(guid(r.GetSetMediaItemTakeInfo_String, r.GetTake(item(0, 0), 0))
  ~= guid(r.GetSetMediaItemTakeInfo_String, r.GetTake(item(0, 1), 0)))
