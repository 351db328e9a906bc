-- Splits the selected items at the edit cursor, keeps the right-hand parts selected and removes
-- the left-hand parts shorter than 1.25 seconds, as shared split scripts do.
local r = reaper

local cursor = r.GetCursorPositionEx(0)
local selected = {}
for i = 0, r.CountSelectedMediaItems(0) - 1 do selected[#selected + 1] = r.GetSelectedMediaItem(0, i) end

local right_parts = {}
for _, item in ipairs(selected) do
  local right = r.SplitMediaItem(item, cursor)
  if right then
    right_parts[#right_parts + 1] = right
    r.SetMediaItemSelected(item, false)
    if r.GetMediaItemInfo_Value(item, "D_LENGTH") < 1.25 then
      r.DeleteTrackMediaItem(r.GetMediaItem_Track(item), item)
    end
  end
end
-- An item the cursor does not cross is not split.
assert(r.SplitMediaItem(r.GetTrackMediaItem(r.GetTrack(0, 0), 1), cursor) == nil)
r.ShowConsoleMsg(#right_parts .. " split\n")
r.UpdateArrange()
