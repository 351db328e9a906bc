-- Copying Lead Vox.wav's active take onto FX Returns through every form: a new item each time,
-- with the take's name, values and its own duplicate of the source.
local check = require("support.check")
local forms = require("support.forms")

local lead = reaper.GetMediaItem(0, 5)
reaper.SetMediaItemSelected(lead, true)
local returns = reaper.GetTrack(0, 4)
local source = reaper.GetMediaItemTake_Source(reaper.GetActiveTake(lead))
for i, form in ipairs(forms.of(lead)) do
  local position = i * 10.0
  check.eq(forms.call(form, "Set", "ActiveTakeCopy", 4, position), true, form.name .. " copies")
  local copy = reaper.GetTrackMediaItem(returns, i - 1)
  local take = reaper.GetActiveTake(copy)
  check.eq(reaper.GetTakeName(take), "Lead Vox.wav", form.name .. " name")
  check.eq(reaper.GetMediaItemInfo_Value(copy, "D_POSITION"), position, form.name .. " position")
  check.eq(reaper.GetMediaItemInfo_Value(copy, "D_FADEOUTLEN"), 1.0, form.name .. " fade out")
  check.eq(reaper.GetMediaItemTakeInfo_Value(take, "D_PITCH"), -2.0, form.name .. " pitch")
  local own = reaper.GetMediaItemTake_Source(take)
  check.eq(own ~= source and reaper.GetMediaSourceType(own), "WAVE", form.name .. " own source")
end
check.eq(reaper.CountTrackMediaItems(returns), 5, "five copies")
check.eq(sim.sources_created(), 5, "five duplicates")

check.done()
