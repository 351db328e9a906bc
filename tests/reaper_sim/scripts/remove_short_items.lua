-- Removes every item shorter than 2.5 s after asking, with REAPER's own actions: clear the
-- selection, select the short items, "Item: Remove items".
local r = reaper
local limit = 2.5
local short = {}
for i = 0, r.CountMediaItems(0) - 1 do
  local item = r.GetMediaItem(0, i)
  if r.GetMediaItemInfo_Value(item, "D_LENGTH") < limit then short[#short + 1] = item end
end
if #short == 0 then return r.defer(function() end) end
local answer = r.MB(("Remove %d items shorter than %g s?"):format(#short, limit), "Remove short items", 4)
if answer ~= 6 then return r.defer(function() end) end

r.Undo_BeginBlock()
r.Main_OnCommand(40289, 0) -- Item: Unselect all items
for _, item in ipairs(short) do r.SetMediaItemSelected(item, true) end
r.Main_OnCommand(40006, 0) -- Item: Remove items
r.Undo_EndBlock("Remove short items", -1)
r.UpdateArrange()
