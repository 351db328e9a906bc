-- Gives every selected item 50 ms fades (at most half its length) in one undo point, the screen
-- held still meanwhile, as shared fade scripts do.
local r = reaper
local count = r.CountSelectedMediaItems(0)
if count == 0 then return r.defer(function() end) end

r.Undo_BeginBlock()
r.PreventUIRefresh(1)
for i = 0, count - 1 do
  local item = r.GetSelectedMediaItem(0, i)
  local fade = math.min(0.05, r.GetMediaItemInfo_Value(item, "D_LENGTH") / 2)
  r.SetMediaItemInfo_Value(item, "D_FADEINLEN", fade)
  r.SetMediaItemInfo_Value(item, "D_FADEOUTLEN", fade)
end
r.PreventUIRefresh(-1)
r.UpdateArrange()
r.Undo_EndBlock("Set 50 ms fades on selected items", -1)
