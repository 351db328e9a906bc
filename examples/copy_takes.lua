-- Copies the active take of every selected item onto another track at the same time, as a
-- safety copy before destructive edits. Each copy plays its own duplicate of the source, so the
-- originals can be changed freely afterwards.
--
--   reaper-sim run examples/copy_takes.lua [-- TRACK]      (default: the last track)
--
-- TRACK counts from 1, as REAPER's track list does.

local tracks = reaper.CountTracks(0)
local track_index = (tonumber(arg[1]) or tracks) - 1
if reaper.GetTrack(0, track_index) == nil then error("there is no track " .. track_index + 1) end

-- The copies are not selected, so the selected indices stay as they are while copying.
local copied, skipped = 0, 0
for i = 0, reaper.CountSelectedMediaItems(0) - 1 do
  local position = reaper.GetMediaItemInfo_Value(reaper.GetSelectedMediaItem(0, i), "D_POSITION")
  if reaper.QM_SetSelectedMediaActiveTakeCopy(0, i, track_index, position) then
    copied = copied + 1
  else
    skipped = skipped + 1 -- an item without a take, or a take without a source
  end
end

reaper.ShowConsoleMsg(("Copied %d selected item(s) to track %d"):format(copied, track_index + 1))
reaper.ShowConsoleMsg(skipped > 0 and (", skipped %d.\n"):format(skipped) or ".\n")
