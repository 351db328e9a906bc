-- Moves the selected items one second later, cuts each to at most 2 seconds, gives it short
-- fades, colours and groups it, mutes every second one and notes what was done on the first; the
-- item lengths and positions go through both the Info functions and their shortcuts.
local r = reaper

local count = r.CountSelectedMediaItems(0)
if count == 0 then return end
for i = 0, count - 1 do
  local item = r.GetSelectedMediaItem(0, i)
  local pos = r.GetMediaItemInfo_Value(item, "D_POSITION")
  local len = r.GetMediaItemInfo_Value(item, "D_LENGTH")
  r.SetMediaItemPosition(item, pos + 1, false)
  if len > 2 then r.SetMediaItemLength(item, 2, false) end
  r.SetMediaItemInfo_Value(item, "D_FADEINLEN", 0.05)
  r.SetMediaItemInfo_Value(item, "D_FADEOUTLEN", 0.25)
  r.SetMediaItemInfo_Value(item, "C_FADEOUTSHAPE", 2)
  r.SetMediaItemInfo_Value(item, "B_MUTE", i % 2)
  r.SetMediaItemInfo_Value(item, "I_CUSTOMCOLOR", r.ColorToNative(200, 40, 10) | 0x1000000)
  r.SetMediaItemInfo_Value(item, "I_GROUPID", 7)
  r.UpdateItemInProject(item)
end
-- Read-only and unknown names change nothing.
local first = r.GetSelectedMediaItem(0, 0)
r.GetSetMediaItemInfo_String(first, "P_NOTES", "shortened\nfaded", true)
assert(r.SetMediaItemInfo_Value(first, "IP_ITEMNUMBER", 3) == false)
assert(r.SetMediaItemInfo_Value(first, "D_NOTAPARAM", 3) == false)
r.SelectAllMediaItems(0, false)
r.SetMediaItemSelected(first, true)
r.UpdateArrange()
