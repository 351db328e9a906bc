-- Asks for a prefix and a first number, then names the active take of each selected item
-- "<prefix> <n>", counting up; Cancel leaves everything as it was.
local r = reaper
if r.CountSelectedMediaItems(0) == 0 then
  r.MB("Select items first.", "Rename takes", 0)
  return
end
local ok, answer = r.GetUserInputs("Rename takes", 2, "Prefix,First number,extrawidth=80", "Take,1")
if not ok then return r.defer(function() end) end
local prefix, first = answer:match("^([^,]*),(%d+)$")
if not prefix then
  r.ShowMessageBox("The first number must be a whole number.", "Rename takes", 0)
  return
end

r.Undo_BeginBlock()
for i = 0, r.CountSelectedMediaItems(0) - 1 do
  local take = r.GetActiveTake(r.GetSelectedMediaItem(0, i))
  if take then
    r.GetSetMediaItemTakeInfo_String(take, "P_NAME", prefix .. " " .. (first + i), true)
  end
end
r.Undo_EndBlock("Rename takes", -1)
-- No automatic undo point on top of the block's (the idiom shared scripts end with).
r.defer(function() end)
