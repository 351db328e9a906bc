-- The saved project of remember_in_project.lua, reloaded: its ext state is there.
local r = reaper
local ok, items = r.GetProjExtState(0, "Remember", "items")
assert(ok == 1 and items:match("^{[%x-]+} {[%x-]+} {[%x-]+}$"), items)
assert(items:match("^([^ ]+)") == select(2, r.GetSetMediaItemInfo_String(r.GetSelectedMediaItem(0, 0), "GUID", "", false)))
assert(select(2, r.GetProjExtState(0, "Remember", "mode")) == 'nudge "fine"')
assert(r.GetProjExtState(0, "Remember", "gone") == 0)
