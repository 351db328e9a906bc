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

-- Nothing there: false, outputs as the script gave them, nothing redrawn or renamed.
local before, redraws = sim.dump_text(), sim.redraw_count()
for _, form in ipairs(forms.nowhere) do
  local ok, muted = forms.call(form, "Get", "Mute", true)
  check.eq(ok, false, form.name .. " mute, no item")
  check.eq(muted, true, form.name .. " mute output untouched")
  check.eq(forms.call(form, "Set", "Mute", true), false, form.name .. " set mute, no item")
  check.eq((forms.call(form, "Get", "Name")), false, form.name .. " name, no item")
  check.eq(forms.call(form, "Set", "Name", "x"), false, form.name .. " set name, no item")
end
check.eq(sim.dump_text(), before, "nothing changed")
check.eq(sim.redraw_count(), redraws, "nothing redrawn")

-- The built-in project's names as a script lists them.
local names = {}
for i = 0, reaper.CountMediaItems(0) - 1 do
  names[#names + 1] = select(2, reaper.QM_GetMediaName(0, i))
end
check.eq(table.concat(names, ","),
         "Kick,Snare,Groove SelectedTrackMedia,Bass DI,Bassline,Lead Vox,Harmony,Breath,Intro,Credits",
         "every name in project order")
check.done()
