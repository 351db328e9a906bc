-- The saved project of shorten_and_fade.lua, reloaded.
local r = reaper
local function item(track, index) return r.GetTrackMediaItem(r.GetTrack(0, track), index) end
local function value(it, name) return r.GetMediaItemInfo_Value(it, name) end
local kick, groove, snare, bass = item(0, 0), item(0, 1), item(1, 0), item(3, 0)
assert(value(kick, "D_POSITION") == 1 and value(kick, "D_LENGTH") == 2)
assert(value(snare, "D_POSITION") == 2 and value(snare, "D_LENGTH") == 2)
assert(value(bass, "D_POSITION") == 1.5 and value(bass, "D_LENGTH") == 2)
assert(value(groove, "D_POSITION") == 6 and value(groove, "D_LENGTH") == 2, "not selected")
assert(value(snare, "D_FADEINLEN") == 0.05 and value(snare, "D_FADEOUTLEN") == 0.25)
assert(value(snare, "C_FADEOUTSHAPE") == 2)
-- Selection order: track by track, so kick, snare, bass.
assert(value(kick, "B_MUTE") == 0 and value(snare, "B_MUTE") == 1 and value(bass, "B_MUTE") == 0)
assert(r.CountSelectedMediaItems(0) == 1 and r.GetSelectedMediaItem(0, 0) == kick)
local red = r.ColorToNative(200, 40, 10) | 0x1000000
assert(value(kick, "I_CUSTOMCOLOR") == red and value(bass, "I_GROUPID") == 7)
assert(value(groove, "I_CUSTOMCOLOR") == 0 and value(groove, "I_GROUPID") == 0)
assert(r.GetDisplayedMediaItemColor(snare) == red)
assert(select(2, r.GetSetMediaItemInfo_String(kick, "P_NOTES", "", false)) == "shortened\nfaded")
