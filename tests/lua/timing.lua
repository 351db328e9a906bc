-- Item timing through every addressing form: start in seconds and frames, length and end time;
-- whole frames read back as written; nothing redrawn.
local check = require("support.check")
local forms = require("support.forms")

local loop = reaper.GetMediaItem(0, 2) -- Loop.flac at 4 s, 8 s long; the project runs at 30 fps
local function start() return reaper.GetMediaItemInfo_Value(loop, "D_POSITION") end

for _, form in ipairs(forms.of(loop)) do
  local label = form.name .. ": "
  reaper.SetMediaItemInfo_Value(loop, "D_POSITION", 4)
  check.eq(select(2, forms.call(form, "Get", "StartTimeSeconds")), 4.0, label .. "start")
  check.eq(select(2, forms.call(form, "Get", "StartTimeFrame")), 120, label .. "start frame")
  check.eq(select(2, forms.call(form, "Get", "Length")), 8.0, label .. "length")
  check.eq(select(2, forms.call(form, "Get", "EndTime")), 12.0, label .. "end")

  check.eq(forms.call(form, "Set", "StartTimeFrame", 57), true, label .. "set frame")
  check.eq(start(), 57 / 30, label .. "stored as seconds")
  check.eq(forms.call(form, "Set", "StartTimeSeconds", 4.1), true, label .. "set seconds")
  check.eq(select(2, forms.call(form, "Get", "StartTimeFrame")), 123, label .. "4.1 s")
end

-- Only the item form refuses a time before the project start.
check.eq(reaper.QM_SetMediaItemStartTimeSeconds(loop, -1), false, "item form, -1 s")
check.eq(reaper.QM_SetMediaItemStartTimeFrame(loop, -0.5), false, "item form, -0.5 frame")
check.eq(start(), 4.1, "not moved")
check.eq(reaper.QM_SetMediaStartTimeSeconds(0, 2, -1), true, "project form, -1 s")
check.eq(start(), -1.0, "moved before the start")

-- Another frame rate is seen at once.
sim.set_frame_rate(25)
reaper.SetMediaItemInfo_Value(loop, "D_POSITION", 2.28)
check.eq(select(2, reaper.QM_GetMediaStartTimeFrame(0, 2)), 57, "2.28 s at 25 fps")

check.eq(sim.redraw_count(), 0, "timing never redraws")
check.done()
