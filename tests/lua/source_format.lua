-- Source formats through every addressing form, as a script uses them: the sample rate and the
-- channels a take plays, its channel mode read and written with one redraw, and the bit depth,
-- which SWS answers when it is installed and which otherwise asks the user about SWS each time.
local check = require("support.check")
local forms = require("support.forms")

local kick = reaper.GetMediaItem(0, 0) -- Kick.wav: mono, 48 kHz, 24 bits
local loop = reaper.GetMediaItem(0, 2) -- Loop.flac: stereo, 44.1 kHz, 24 bits

-- Channel mode, then the channels played from a mono and from a stereo source.
local modes = {{0, 1, 2}, {1, 1, 2}, {2, 1, 1}, {3, 1, 1}, {66, 1, 1}, {67, 1, 2}, {70, 1, 2}}

local sources = {{item = kick, rate = 48000, played = 2}, {item = loop, rate = 44100, played = 3}}
for _, source in ipairs(sources) do
  check.eq(#forms.of(source.item), 5, "every form reaches the item")
  for _, form in ipairs(forms.of(source.item)) do
    local label = form.name .. " " .. check.take_name(source.item) .. ": "
    check.eq(select(2, forms.call(form, "Get", "SampleRate")), source.rate, label .. "sample rate")
    for _, mode in ipairs(modes) do
      local redraws = sim.redraw_count()
      check.eq(forms.call(form, "Set", "ChannelMode", mode[1]), true, label .. "set mode")
      check.eq(sim.redraw_count(), redraws + 1, label .. "one redraw")
      check.eq(select(2, forms.call(form, "Get", "ChannelMode")), mode[1], label .. "mode")
      check.eq(select(2, forms.call(form, "Get", "NumChannels")), mode[source.played],
               label .. "channels with mode " .. mode[1])
    end
  end
end

-- Bit depth: SWS's answer while it is installed, a question without it, on every call.
sim.set_sws_installed(true)
for _, form in ipairs(forms.of(loop)) do
  check.eq(select(2, forms.call(form, "Get", "BitRate")), 24, form.name .. ": SWS bit depth")
end
check.eq(#sim.message_boxes(), 0, "nothing asked while SWS is installed")

sim.set_sws_installed(false)
for i, form in ipairs(forms.of(loop)) do
  local ok, bits = forms.call(form, "Get", "BitRate", 99)
  check.eq(tostring(ok) .. " " .. bits, "false 99", form.name .. " without SWS")
  check.eq(#sim.message_boxes(), i, form.name .. " asks")
end
check.done()
