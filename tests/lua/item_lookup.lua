-- The item lookups as a script uses them on the built-in project: mediaTypeID 0 counts every
-- item (or track), 1 the selected ones, and the track forms count every item on the track found;
-- what they find is the host's own handle; any other type, or an index out of range, finds nil.
local check = require("support.check")

local function names(find)
  local out = {}
  while true do
    local item = find(#out)
    if not item then return table.concat(out, ",") end
    out[#out + 1] = check.take_name(item)
  end
end
local all = "Kick.wav,Snare.wav,Loop.flac,Bass DI.mp3,Bassline.mid,Lead Vox.wav,Harmony.ogg," ..
            "Breath.wav,Intro.mp4,Credits.mov"
local item, track_item = reaper.QM_GetMediaItemSelect, reaper.QM_GetMediaTrackItemSelect
local forms = {
  {all, function(i) return item(0, i, 0) end},
  {"Kick.wav,Loop.flac,Bass DI.mp3,Intro.mp4", function(i) return item(nil, i, 1) end},
  {"Bass DI.mp3,Bassline.mid", function(i) return track_item(0, 1, i, 0) end},
  {"Lead Vox.wav,Harmony.ogg,Breath.wav", function(i) return track_item(0, 1, i, 1) end},
  {"", function(i) return track_item(0, 4, i, 0) end},
  {"", function(i) return track_item(0, 2, i, 1) end},
}
for n, form in ipairs(forms) do check.eq(names(form[2]), form[1], "form " .. n) end
check.eq(item(0, 3, 0), reaper.GetMediaItem(0, 3), "the host's handle")
for _, v in ipairs({-1, 10, 2147483647, -2147483648}) do
  check.eq(item(0, 0, v), nil, "type " .. v)
  check.eq(track_item(0, 0, 0, v), nil, "track type " .. v)
  check.eq(item(0, v, 0), nil, "index " .. v)
  check.eq(track_item(0, v, 0, 1), nil, "track " .. v)
end

-- Another project by its handle; handles of a closed project are refused.
local built_in, kick, credits = sim.current_project(), item(0, 0, 0), item(0, 9, 0)
sim.set_current_project(sim.add_project("empty"))
check.eq(item(0, 0, 0), nil, "the empty current project")
check.eq(item(built_in, 0, 0), kick, "the built-in project by handle")
check.eq(track_item(built_in, 3, 1, 0), credits, "Video's second item")
check.raises("QM_GetMediaTrackItemSelect argument 1: expected ReaProject*", "an item as project",
             reaper.QM_GetMediaTrackItemSelect, kick, 0, 0, 0)
sim.close_project(built_in)
check.raises("QM_GetMediaItemSelect argument 1: expected ReaProject*", "a closed project",
             reaper.QM_GetMediaItemSelect, built_in, 0, 0)
check.done()
