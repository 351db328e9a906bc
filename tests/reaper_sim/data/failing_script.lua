-- Raises a Lua error inside a function, so the traceback has a frame to show.
print("before the error")
local function look_up(index)
  return reaper.QM_GetMediaItemSelect(0, index, 0)
end
look_up("first")
print("never reached")
