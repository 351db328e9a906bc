-- Defers itself forever, with an undo block it never closes.
reaper.Undo_BeginBlock()
local function again() reaper.defer(again) end
reaper.atexit(function() print("atexit ran") end)
again()
