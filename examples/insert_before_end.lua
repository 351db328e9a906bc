-- Inserts a media file on the first selected track so that it starts a given time before the
-- end of the project (a sting under the last bars, a tail sound), then reports where it landed.
-- The item selection and the track selection stay as they were, plus the new item.
--
--   reaper-sim run examples/insert_before_end.lua [-- FILE [SECONDS]]
--                                                   (default: Shaker.wav, 2 seconds)

local file = arg[1] or "Shaker.wav"
local before_end = tonumber(arg[2]) or 2.0
local FROM_END = 1

if reaper.CountSelectedTracks(0) == 0 then error("select a track to insert on") end
local item = reaper.QM_InsertMediaSelectedTrackIdSecond(0, 0, file, FROM_END, -before_end)
if item == nil then error("REAPER could not insert " .. file) end

local position = reaper.GetMediaItemInfo_Value(item, "D_POSITION")
local length = reaper.GetMediaItemInfo_Value(item, "D_LENGTH")
reaper.ShowConsoleMsg(("Inserted %s at %.3f s (%.3f s long); %d items are selected.\n")
  :format(file, position, length, reaper.CountSelectedMediaItems(0)))
