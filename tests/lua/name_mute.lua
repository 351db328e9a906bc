-- Take names and mute through every addressing form, as a script uses them: names read without
-- their extensions, written as given; mute read as a boolean and written with one redraw.
local check = require("support.check")
local forms = require("support.forms")

local loop = reaper.GetMediaItem(0, 2) -- Loop.flac: selected, on the selected Drums track
local take = reaper.GetActiveTake(loop)
check.eq(#forms.of(loop), 5, "every form reaches Loop.flac")

for _, form in ipairs(forms.of(loop)) do
  local label = form.name .. ": "
  reaper.GetSetMediaItemTakeInfo_String(take, "P_NAME", "Loop.take2.flac", true)
  check.eq(select(2, forms.call(form, "Get", "Name")), "Loop", label .. "name without extension")
  check.eq(forms.call(form, "Set", "Name", "Groove " .. form.name .. ".wav"), true, label .. "set")
  check.eq(reaper.GetTakeName(take), "Groove " .. form.name .. ".wav", label .. "stored as given")
  check.eq(select(2, forms.call(form, "Get", "Name")), "Groove " .. form.name, label .. "read back")

  for _, on in ipairs({true, false}) do
    local redraws = sim.redraw_count()
    check.eq(forms.call(form, "Set", "Mute", on), true, label .. "set mute")
    check.eq(reaper.GetMediaItemInfo_Value(loop, "B_MUTE"), on and 1.0 or 0.0, label .. "B_MUTE")
    check.eq(sim.redraw_count(), redraws + 1, label .. "one redraw")
    local ok, muted = forms.call(form, "Get", "Mute")
    check.eq(ok and muted, on, label .. "read mute")
  end
end

check.done()
