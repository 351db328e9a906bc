-- Numbers the active takes of the selected items in timeline order ("01 kick", ...), halves the
-- volume of MIDI takes and reports each item's source, as shared take-renaming scripts do.
local r = reaper

local items = {}
for i = 0, r.CountSelectedMediaItems(0) - 1 do
  items[#items + 1] = r.GetSelectedMediaItem(0, i)
end
table.sort(items, function(a, b)
  return r.GetMediaItemInfo_Value(a, "D_POSITION") < r.GetMediaItemInfo_Value(b, "D_POSITION")
end)

local numbered = 0
for _, item in ipairs(items) do
  local take = r.GetActiveTake(item)
  if take then
    numbered = numbered + 1
    local _, name = r.GetSetMediaItemTakeInfo_String(take, "P_NAME", "", false)
    r.GetSetMediaItemTakeInfo_String(take, "P_NAME", string.format("%02d %s", numbered, name), true)
    if r.TakeIsMIDI(take) then
      r.SetMediaItemTakeInfo_Value(take, "D_VOL", r.GetMediaItemTakeInfo_Value(take, "D_VOL") * 0.5)
    end
    local source = r.GetMediaItemTake_Source(take)
    local file = r.GetMediaSourceFileName(source, "")
    r.ShowConsoleMsg(r.GetTakeName(take) .. " " .. r.GetMediaSourceType(source, "") .. " "
      .. (file:match("[^/\\]+$") or "") .. "\n")
  end
end

-- The first take of every selected item with several takes becomes the active one.
for _, item in ipairs(items) do
  if r.CountTakes(item) > 1 then r.SetActiveTake(r.GetTake(item, 0)) end
end
r.UpdateArrange()
