-- The type counts on the built-in project: every scope, the case-blind type request (a request
-- for WAV counts WAVE sources too), a nil request counting everything; a nil track is refused by
-- the binding, as REAPER refuses it.
local check = require("support.check")

local cases = {
  {"GetMediaTypeCount", {0, ""}, 10, 10},
  {"GetMediaTypeCount", {0, nil}, 10, 10},
  {"GetMediaTypeCount", {0, "wav"}, 10, 4},
  {"GetMediaTypeCount", {0, "Video"}, 10, 2},
  {"GetSelectedMediaTypeCount", {0, "MP3"}, 4, 1},
  {"GetTrackItemMediaTypeCount", {reaper.GetTrack(0, 2), "WAVE"}, 3, 2},
  {"GetTrackMediaTypeCount", {0, 1, "midi"}, 2, 1},
  {"GetSelectedTrackMediaTypeCount", {0, 0, "flac"}, 3, 1},
}
for _, c in ipairs(cases) do
  local name, args, all, typed = table.unpack(c)
  local ok, all_out, typed_out = reaper["QM_" .. name](table.unpack(args, 1, #args + 1))
  local label = ("%s(%s)"):format(name, tostring(args[#args]))
  check.eq(ok, true, label)
  check.eq(all_out, all, label .. " all")
  check.eq(typed_out, typed, label .. " of the type")
end
check.raises("bad argument #1 to 'QM_GetTrackItemMediaTypeCount' (MediaTrack expected)",
  "nil track", reaper.QM_GetTrackItemMediaTypeCount, nil, "WAVE")
check.eq(sim.redraw_count(), 0, "counting draws nothing")
check.done()
