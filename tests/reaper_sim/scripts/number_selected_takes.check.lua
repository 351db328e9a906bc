-- The saved project of number_selected_takes.lua, reloaded.
local r = reaper
local function take_name(track, item, take)
  local it = r.GetTrackMediaItem(r.GetTrack(0, track), item)
  return r.GetTakeName(r.GetTake(it, take))
end
assert(take_name(0, 0, 0) == "kick.wav", take_name(0, 0, 0))
assert(take_name(0, 0, 1) == "01 kick room.wav", take_name(0, 0, 1))
assert(take_name(1, 0, 0) == "03 snare.wav", take_name(1, 0, 0))
assert(take_name(3, 0, 0) == "02 bass.flac", take_name(3, 0, 0))
assert(take_name(0, 1, 0) == "groove", "an unselected item keeps its name")
local kick = r.GetTrackMediaItem(r.GetTrack(0, 0), 0)
assert(r.GetMediaItemInfo_Value(kick, "I_CURTAKE") == 0)
assert(r.GetActiveTake(kick) == r.GetTake(kick, 0))
