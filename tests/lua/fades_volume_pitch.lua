-- Fades, volume in decibels, pitch and play rate through every addressing form, as a script uses
-- them: values read rounded where they should be, written with one redraw, rates rescaling the
-- item.
local check = require("support.check")
local forms = require("support.forms")

local loop = reaper.GetMediaItem(0, 2) -- Loop.flac: selected, on the selected Drums track
local take = reaper.GetActiveTake(loop)
local function item_value(name) return reaper.GetMediaItemInfo_Value(loop, name) end
local function set_item(name, value) reaper.SetMediaItemInfo_Value(loop, name, value) end
check.eq(#forms.of(loop), 5, "every form reaches Loop.flac")

-- Each setter: true, one redraw.
local function set(label, form, property, ...)
  local redraws = sim.redraw_count()
  check.eq(forms.call(form, "Set", property, ...), true, label .. "set " .. property)
  check.eq(sim.redraw_count(), redraws + 1, label .. property .. " one redraw")
end

for _, form in ipairs(forms.of(loop)) do
  local label = form.name .. ": "
  set(label, form, "Fade", 2, 0.125, 5, 1.005)
  set_item("C_FADEINSHAPE", 2.9)
  check.eq(table.concat({select(2, forms.call(form, "Get", "Fade"))}, " "), "2 0.13 5 1.0",
           label .. "shapes truncated, lengths rounded")

  set_item("D_VOL", 0.5)
  check.eq(select(2, forms.call(form, "Get", "Volume")), -6.02, label .. "volume read")
  set(label, form, "AddVolume", 0)
  check.eq(item_value("D_VOL"), 0.5000000019557987, label .. "add 0 dB to the unrounded level")
  set(label, form, "Volume", -6)
  check.eq(item_value("D_VOL"), 0.5011872355810072, label .. "-6 dB as gain")

  set(label, form, "Pitch", 2.5)
  set(label, form, "AddPitch", 0.125)
  check.eq(select(2, forms.call(form, "Get", "Pitch")), 2.625, label .. "pitch unrounded")

  -- Double the speed: the item covers the same source, fades in proportion.
  reaper.SetMediaItemTakeInfo_Value(take, "D_PLAYRATE", 1)
  set_item("D_LENGTH", 10); set_item("D_FADEINLEN", 1); set_item("D_FADEOUTLEN", 2)
  set(label, form, "Rate", 2)
  check.eq(select(2, forms.call(form, "Get", "Rate")), 2.0, label .. "rate read")
  check.eq(table.concat({item_value("D_LENGTH"), item_value("D_FADEINLEN"),
                         item_value("D_FADEOUTLEN")}, " "), "5.0 0.5 1.0", label .. "rescaled")
end
check.done()
