-- Gathers every item of one source type onto one track and leaves just those items selected:
-- say, all video onto the video track before editing picture.
--
--   reaper-sim run examples/gather_by_type.lua [-- TYPE [TRACK]]    (default: VIDEO onto track 4)
--
-- TRACK counts from 1, as REAPER's track list does.

local wanted = (arg[1] or "VIDEO"):upper()
local track_index = (tonumber(arg[2]) or 4) - 1
if reaper.GetTrack(0, track_index) == nil then error("there is no track " .. track_index + 1) end

local function source_type(item)
  local take = reaper.GetActiveTake(item)
  local source = take and reaper.GetMediaItemTake_Source(take)
  return source and reaper.GetMediaSourceType(source) or ""
end

-- Moving an item renumbers the project's items, so the items to move are listed first.
local moving = {}
for i = 0, reaper.CountMediaItems(0) - 1 do
  local item = reaper.GetMediaItem(0, i)
  if source_type(item) == wanted then moving[#moving + 1] = item end
end
for _, item in ipairs(moving) do
  if not reaper.QM_SetMediaItemMoveToTrack(item, track_index) then
    error("REAPER would not move an item to track " .. track_index + 1)
  end
end

reaper.QM_SetAllMediaSelected(0, false)
local _, on_track = reaper.QM_GetTrackMediaTypeCount(0, track_index, "")
for i = 0, on_track - 1 do
  local item = reaper.GetTrackMediaItem(reaper.GetTrack(0, track_index), i)
  if source_type(item) == wanted then reaper.QM_SetTrackMediaSelected(0, track_index, i, true) end
end

local _, _, selected = reaper.QM_GetSelectedMediaTypeCount(0, wanted)
reaper.ShowConsoleMsg(("Moved %d %s item(s) to track %d; %d of the %d items there are selected.\n")
  :format(#moving, wanted, track_index + 1, selected, on_track))
