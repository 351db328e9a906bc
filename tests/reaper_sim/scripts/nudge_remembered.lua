-- Moves the selected items later by an amount asked for, offering the last amount used (kept in
-- the ext state) as the default, and notes it in the project.
local r = reaper
local section = "QM_Tests_Nudge"
local last = r.HasExtState(section, "seconds") and r.GetExtState(section, "seconds") or "0.25"
local ok, text = r.GetUserInputs("Nudge items", 1, "Seconds", last)
local seconds = ok and tonumber(text)
if not seconds then return r.defer(function() end) end
r.SetExtState(section, "seconds", tostring(seconds), true)
r.SetProjExtState(0, section, "last", tostring(seconds))

r.Undo_BeginBlock()
for i = 0, r.CountSelectedMediaItems(0) - 1 do
  local item = r.GetSelectedMediaItem(0, i)
  r.SetMediaItemInfo_Value(item, "D_POSITION", r.GetMediaItemInfo_Value(item, "D_POSITION") + seconds)
end
r.Undo_EndBlock("Nudge items", -1)
assert(r.GetExtState(section, "seconds") == "0.5")
assert(select(2, r.GetProjExtState(0, section, "last")) == "0.5")
