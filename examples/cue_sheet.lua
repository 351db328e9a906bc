-- A cue sheet of the current project: every item with its clean take name (no extension), its
-- start as a frame number and in seconds, its length and whether it is muted. Items of half a
-- second or less (breaths, clicks) are muted on the way.
--
--   reaper-sim run examples/cue_sheet.lua       (or run it as a ReaScript in REAPER)

local PROJECT = 0
local SHORTEST = 0.5 -- seconds

local function out(text)
  reaper.ShowConsoleMsg(text .. "\n")
end

out(("%-4s %-16s %8s %9s %8s  %s"):format("#", "cue", "frame", "start", "length", "mute"))
for i = 0, reaper.CountMediaItems(PROJECT) - 1 do
  local _, name = reaper.QM_GetMediaName(PROJECT, i)
  local _, frame = reaper.QM_GetMediaStartTimeFrame(PROJECT, i)
  local _, start = reaper.QM_GetMediaStartTimeSeconds(PROJECT, i)
  local _, length = reaper.QM_GetMediaLength(PROJECT, i)
  if length <= SHORTEST then reaper.QM_SetMediaMute(PROJECT, i, true) end
  local _, mute = reaper.QM_GetMediaMute(PROJECT, i)
  out(("%-4d %-16s %8d %9.3f %8.3f  %s"):format(i + 1, name, frame, start, length,
                                                   mute and "muted" or ""))
end
