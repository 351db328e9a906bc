-- The saved project of short_fades.lua: the three selected items fade for 50 ms, the others not.
local r = reaper
local function item(track, index) return r.GetTrackMediaItem(r.GetTrack(0, track), index) end
local function fades(it)
  return r.GetMediaItemInfo_Value(it, "D_FADEINLEN"), r.GetMediaItemInfo_Value(it, "D_FADEOUTLEN")
end
for _, at in ipairs({{0, 0}, {1, 0}, {3, 0}}) do
  local fade_in, fade_out = fades(item(at[1], at[2]))
  assert(fade_in == 0.05 and fade_out == 0.05, "track " .. at[1])
end
local groove_in, groove_out = fades(item(0, 1))
assert(groove_in == 0 and groove_out == 0)
