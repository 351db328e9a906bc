-- Moves the edit cursor by video frames, counted from the project start or back from its end,
-- and prints where it stands: handy for spotting picture cuts.
--
--   reaper-sim run examples/cursor_frames.lua [-- FRAMES [end]]
--                                       (default: 2 seconds' worth of frames before the end)
--
-- A negative FRAMES with "end" lands before the end of the project.

local rate = reaper.TimeMap_curFrameRate(0)
local from_end = arg[2] == "end" or arg[1] == nil
local frames = tonumber(arg[1]) or -math.floor(2 * rate)

local _, before = reaper.QM_GetPlayCursorPosition(0)
local ok, frame = reaper.QM_SetPlayCursorPositionFrame(0, from_end and 1 or 0, frames)
if not ok then error("the project has no usable frame rate") end
local _, now = reaper.QM_GetPlayCursorPosition(0)

local fps = math.floor(rate + 0.5)
local whole = frame // fps
reaper.ShowConsoleMsg(("Cursor moved from %.3f s to %.3f s: frame %d at %g fps, %d:%02d:%02d:%02d\n")
  :format(before, now, frame, rate, whole // 3600, whole // 60 % 60, whole % 60, frame % fps))
