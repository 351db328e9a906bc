-- Duplicates each selected item right after itself through its state chunk, as shared cloning
-- scripts do: the GUID lines are dropped so the copy gets its own, the copy's takes are renamed
-- "<name> copy", and only the copies stay selected.
local r = reaper

local items = {}
for i = 0, r.CountSelectedMediaItems(0) - 1 do items[#items + 1] = r.GetSelectedMediaItem(0, i) end

for _, item in ipairs(items) do
  local ok, chunk = r.GetItemStateChunk(item, "", false)
  if ok then
    local pos = r.GetMediaItemInfo_Value(item, "D_POSITION")
    local len = r.GetMediaItemInfo_Value(item, "D_LENGTH")
    chunk = chunk:gsub("\nIGUID [^\n]*", ""):gsub("\nGUID [^\n]*", "")
    chunk = chunk:gsub("\nPOSITION [^\n]*", "\nPOSITION " .. (pos + len))
    chunk = chunk:gsub("\nNAME ([^\n]*)", function(name)
      return '\nNAME "' .. name:gsub('^"(.*)"$', "%1") .. ' copy"'
    end)
    local copy = r.AddMediaItemToTrack(r.GetMediaItem_Track(item))
    assert(r.SetItemStateChunk(copy, chunk, false))
    r.SetMediaItemSelected(item, false)
  end
end
r.UpdateArrange()
