-- The format of every item's source, then the selected items downmixed to mono.
--
--   reaper-sim run examples/source_formats.lua      (the built-in demo project)
--
-- Lists each item's sample rate, the channels its take plays and its channel mode, and the bit
-- depth when the SWS extension is installed. Without SWS the bit-depth query asks the user once
-- whether to open the SWS page; this script then stops asking. Finally it sets the channel mode
-- of the selected items to downmix (2) and shows how many channels each plays afterwards. It
-- uses only REAPER's own functions and the extension's, so it runs unchanged in REAPER.

local CURRENT_PROJECT = 0
local DOWNMIX = 2

local function out(text)
  reaper.ShowConsoleMsg(text .. "\n")
end

local function take_name(item)
  local take = reaper.GetActiveTake(item)
  return take and reaper.GetTakeName(take) or "(no take)"
end

local bit_depth_known = true

local function bit_depth(index)
  if not bit_depth_known then return "-" end
  local ok, bits = reaper.QM_GetMediaBitRate(CURRENT_PROJECT, index)
  if ok then return tostring(bits) end
  bit_depth_known = false -- SWS is missing: the user has been asked once, that is enough
  return "-"
end

local line = "  %-14s  %6s  %8s  %4s  %4s"
out("Items:")
out(line:format("take", "rate", "channels", "mode", "bits"))
for i = 0, reaper.CountMediaItems(CURRENT_PROJECT) - 1 do
  local item = reaper.GetMediaItem(CURRENT_PROJECT, i)
  local _, rate = reaper.QM_GetMediaSampleRate(CURRENT_PROJECT, i)
  local _, channels = reaper.QM_GetMediaNumChannels(CURRENT_PROJECT, i)
  local _, mode = reaper.QM_GetMediaChannelMode(CURRENT_PROJECT, i)
  out(line:format(take_name(item), rate, channels, mode, bit_depth(i)))
end
if not bit_depth_known then out("  (bit depths need the SWS extension)") end

out("")
out("Selected items downmixed:")
for i = 0, reaper.CountSelectedMediaItems(CURRENT_PROJECT) - 1 do
  local item = reaper.GetSelectedMediaItem(CURRENT_PROJECT, i)
  local _, before = reaper.QM_GetSelectedMediaNumChannels(CURRENT_PROJECT, i)
  if not reaper.QM_SetSelectedMediaChannelMode(CURRENT_PROJECT, i, DOWNMIX) then
    error("REAPER refused the channel mode of " .. take_name(item))
  end
  local _, after = reaper.QM_GetSelectedMediaNumChannels(CURRENT_PROJECT, i)
  out(("  %-14s  %d -> %d channel%s"):format(take_name(item), before, after,
                                             after == 1 and "" or "s"))
end
