-- A --project setup for check_project.lua. It runs once the module has loaded, so reaper.QM_*
-- is there already; its globals stay visible to the script.
assert(type(reaper.QM_GetMediaItemSelect) == "function", "module functions during setup")
local a = sim.add_track{name = "A", selected = true}
sim.add_item(a, {position = 0, length = 1, take = {name = "a0", source = "WAVE"}})
sim.add_item(a, {position = 1, length = 1, selected = true, take = {name = "a1", source = "MP3"}})
local b = sim.add_track{name = "B"}
sim.add_item(b, {position = 5, length = 2, take = {name = "b0", source = "MIDI"}})
sim.set_frame_rate(24)
expected = {tracks = 2, items = 3}
