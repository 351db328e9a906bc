-- Remembers the selected items' GUIDs and a setting in the project, where the next run finds them.
local r = reaper
local guids = {}
for i = 0, r.CountSelectedMediaItems(0) - 1 do
  local _, guid = r.GetSetMediaItemInfo_String(r.GetSelectedMediaItem(0, i), "GUID", "", false)
  guids[#guids + 1] = guid
end
r.SetProjExtState(0, "Remember", "items", table.concat(guids, " "))
r.SetProjExtState(0, "Remember", "mode", 'nudge "fine"')
r.SetProjExtState(0, "Remember", "gone", "x")
r.SetProjExtState(0, "Remember", "gone", "")
