-- How many items of each source type the project holds: in all, among the selected items and on
-- each track.
--
--   reaper-sim run examples/media_types.lua [-- TYPE...]     (default: WAVE MP3 FLAC MIDI VIDEO)
--
-- A request for WAV also counts WAVE sources; case does not matter.

local types = #arg > 0 and {table.unpack(arg)} or {"WAVE", "MP3", "FLAC", "MIDI", "VIDEO"}

local function row(label, count)
  local cells = {}
  local all
  for _, t in ipairs(types) do
    local _, scope, matching = count(t)
    all = scope
    cells[#cells + 1] = ("%6d"):format(matching)
  end
  reaper.ShowConsoleMsg(("%-14s %5d %s\n"):format(label, all, table.concat(cells, " ")))
end

local header = {}
for _, t in ipairs(types) do header[#header + 1] = ("%6s"):format(t) end
reaper.ShowConsoleMsg(("%-14s %5s %s\n"):format("", "items", table.concat(header, " ")))
row("project", function(t) return reaper.QM_GetMediaTypeCount(0, t) end)
row("selected", function(t) return reaper.QM_GetSelectedMediaTypeCount(0, t) end)
for i = 0, reaper.CountTracks(0) - 1 do
  row("  track " .. (i + 1), function(t) return reaper.QM_GetTrackMediaTypeCount(0, i, t) end)
end
