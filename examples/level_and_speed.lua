-- Brings every selected item to one level and changes its speed, keeping its fades in
-- proportion: the item still plays the same stretch of its source, only faster or slower.
--
--   reaper-sim run examples/level_and_speed.lua               (-6 dB, twice as fast)
--   reaper-sim run examples/level_and_speed.lua -- -3 0.5     (-3 dB, half speed)
--
-- Locked items are left as they are. It uses only REAPER's own functions and the extension's,
-- so it runs unchanged in REAPER with the extension installed (where it takes the defaults).

local CURRENT_PROJECT = 0
local args = arg or {}
local LEVEL_DB = tonumber(args[1]) or -6
local SPEED = tonumber(args[2]) or 2

local function out(text)
  reaper.ShowConsoleMsg(text .. "\n")
end

local function describe(index)
  local item = reaper.GetSelectedMediaItem(CURRENT_PROJECT, index)
  local _, level = reaper.QM_GetSelectedMediaVolume(CURRENT_PROJECT, index)
  local _, rate = reaper.QM_GetSelectedMediaRate(CURRENT_PROJECT, index)
  local _, _, fade_in, _, fade_out = reaper.QM_GetSelectedMediaFade(CURRENT_PROJECT, index)
  return ("%7.2f dB  rate %5.3f  %7.3f s long  fades %.2f s / %.2f s"):format(
    level, rate, reaper.GetMediaItemInfo_Value(item, "D_LENGTH"), fade_in, fade_out)
end

local function name_of(item)
  local take = reaper.GetActiveTake(item)
  return take and reaper.GetTakeName(take) or "(no take)"
end

out(("Selected items to %.2f dB at %g times their speed"):format(LEVEL_DB, SPEED))
for index = 0, reaper.CountSelectedMediaItems(CURRENT_PROJECT) - 1 do
  local item = reaper.GetSelectedMediaItem(CURRENT_PROJECT, index)
  out(name_of(item))
  if reaper.GetMediaItemInfo_Value(item, "C_LOCK") & 1 ~= 0 then
    out("  locked, left alone")
  else
    out("  before " .. describe(index))
    local _, rate = reaper.QM_GetSelectedMediaRate(CURRENT_PROJECT, index)
    local level_set = reaper.QM_SetSelectedMediaVolume(CURRENT_PROJECT, index, LEVEL_DB)
    local speed_set = reaper.QM_SetSelectedMediaRate(CURRENT_PROJECT, index, rate * SPEED)
    out("  after  " .. describe(index))
    if not level_set then out("  the level could not be set") end
    if not speed_set then out("  the speed could not be changed (no take, or no usable rate)") end
  end
end
