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

local function one_redraw(label, f, ...)
  local redraws = sim.redraw_count()
  local ok = f(...)
  check.eq(sim.redraw_count(), redraws + 1, label .. " one redraw")
  return ok
end

for _, form in ipairs(forms.of(loop)) do
  local label = form.name .. ": "
  check.eq(one_redraw(label .. "set fades", forms.call, form, "Set", "Fade", 2, 0.125, 5, 1.005),
           true, label .. "set fades")
  check.eq(item_value("D_FADEINLEN") .. " " .. item_value("D_FADEOUTLEN"), "0.125 1.005",
           label .. "fade lengths stored as given")
  set_item("C_FADEINSHAPE", 2.9)
  check.eq(table.concat({select(2, forms.call(form, "Get", "Fade"))}, " "), "2 0.13 5 1.0",
           label .. "shapes truncated, lengths rounded")

  set_item("D_VOL", 0.5)
  check.eq(select(2, forms.call(form, "Get", "Volume")), -6.02, label .. "volume read")
  check.eq(one_redraw(label .. "add volume", forms.call, form, "Set", "AddVolume", 0), true,
           label .. "add 0 dB")
  check.eq(item_value("D_VOL"), 0.5000000019557987, label .. "add 0 dB to the unrounded level")
  check.eq(forms.call(form, "Set", "Volume", -6), true, label .. "set volume")
  check.eq(item_value("D_VOL"), 0.5011872355810072, label .. "-6 dB as gain")

  check.eq(one_redraw(label .. "set pitch", forms.call, form, "Set", "Pitch", 2.5), true,
           label .. "set pitch")
  check.eq(forms.call(form, "Set", "AddPitch", 0.125), true, label .. "add pitch")
  check.eq(select(2, forms.call(form, "Get", "Pitch")), 2.625, label .. "pitch unrounded")

  -- Double the speed and back: the item covers the same source, fades in proportion.
  reaper.SetMediaItemTakeInfo_Value(take, "D_PLAYRATE", 1)
  set_item("D_LENGTH", 10); set_item("D_FADEINLEN", 1); set_item("D_FADEOUTLEN", 2)
  for _, step in ipairs({{2, "5.0 0.5 1.0"}, {1, "10.0 1.0 2.0"}, {0.5, "20.0 2.0 4.0"}}) do
    check.eq(one_redraw(label .. "rate", forms.call, form, "Set", "Rate", step[1]), true,
             label .. "set rate " .. step[1])
    check.eq(select(2, forms.call(form, "Get", "Rate")), step[1] + 0.0, label .. "rate read")
    check.eq(table.concat({item_value("D_LENGTH"), item_value("D_FADEINLEN"),
                           item_value("D_FADEOUTLEN")}, " "), step[2], label .. "rescaled")
  end
end

check.done()
